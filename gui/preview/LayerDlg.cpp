#include "gui/preview/LayerDlg.h"

#include "gui/app/DialogLangText.h"
#include "gui/layout/LayoutDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumaro::gui {

CLayerDlg::CLayerDlg(CPrompts* prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Layer Dialog"));
    m_add = new QRadioButton(QStringLiteral("Add lamp"), this);
    m_delete = new QRadioButton(QStringLiteral("Delete lamp"), this);
    SetControlId(m_add, kAdd);
    SetControlId(m_delete, kDelete);
    auto* label = new QLabel(QStringLiteral("Image Layer(1-50)"), this);
    SetControlId(label, kLabelLayer);
    m_layer = new QLineEdit(QString::number(kFirstLayer), this);
    SetControlId(m_layer, kLayer);

    QPushButton* ok = MakeControlButton(this, kOkId, "OK");
    ok->setDefault(true);
    QPushButton* cancel = MakeControlButton(this, kCancelId, "Cancel");
    connect(ok, &QPushButton::clicked, this, &CLayerDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_layer);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_add);
    layout->addWidget(m_delete);
    layout->addLayout(row);
    layout->addLayout(buttons);
    SetDialogLangText(this, kDialogId);
}

int CLayerDlg::Layer() const
{
    return m_layer->text().trimmed().toInt();
}

CLayerDlg::Mode CLayerDlg::EditMode() const
{
    if (m_add->isChecked())
        return AddLamps;
    if (m_delete->isChecked())
        return DeleteLamps;
    return NoEdit;
}

QRadioButton* CLayerDlg::Button(Mode mode) const
{
    return mode == AddLamps ? m_add : mode == DeleteLamps ? m_delete : nullptr;
}

void CLayerDlg::accept()
{
    if (!CheckIntegerField(m_prompts, m_layer, kFirstLayer, kLastLayer))
        return;
    QDialog::accept();
}

} // namespace lumaro::gui
