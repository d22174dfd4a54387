#include "gui/preview/ZoomDlg.h"

#include "gui/app/DialogLangText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {
// Wide enough that a value outside 2 to 20 can be typed and refused with
// the view's own message.
constexpr int kLowest = 0, kHighest = 9999;
} // namespace

CZoomDlg::CZoomDlg(int zoom, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ZOOM"));
    auto* label = new QLabel(QStringLiteral("Value(2-20)"), this);
    SetControlId(label, kLabelValue);
    m_value = new QSpinBox(this);
    m_value->setRange(kLowest, kHighest);
    m_value->setValue(zoom);
    SetControlId(m_value, kValue);

    QPushButton* ok = MakeControlButton(this, 1, "OK");
    ok->setDefault(true);
    QPushButton* cancel = MakeControlButton(this, 2, "Cancel");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_value);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    SetDialogLangText(this, kDialogId);
}

int CZoomDlg::Value() const
{
    return m_value->value();
}

} // namespace lumaro::gui
