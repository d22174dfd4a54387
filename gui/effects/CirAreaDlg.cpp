#include "gui/effects/CirAreaDlg.h"

#include "core/app/LangText.h"
#include "core/effects/ModeCatalogue.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumaro::gui {

CCirAreaDlg::CCirAreaDlg(CPrompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("CM_CIRCULAR_AREA"));

    auto* group = new QGroupBox(QStringLiteral("Mode Group List"), this);
    SetControlId(group, GroupId);
    auto* groupLayout = new QVBoxLayout(group);
    m_list = new QListWidget(group);
    SetControlId(m_list, ListId);
    for (std::string_view name : lumaro::CircularInnerTypes())
        m_list->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
    groupLayout->addWidget(m_list);

    auto makeEdit = [this](int id) {
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setValidator(new QIntValidator(edit));
        SetControlId(edit, id);
        return edit;
    };
    m_x = makeEdit(CentreXId);
    m_y = makeEdit(CentreYId);
    m_r = makeEdit(RadiusId);
    auto label = [this](const char* text, int id) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        SetControlId(l, id);
        return l;
    };
    auto* form = new QFormLayout;
    form->addRow(label("X:", LabelXId), m_x);
    form->addRow(label("Y:", LabelYId), m_y);
    form->addRow(label("Radius:", LabelRadiusId), m_r);

    auto* pick = new QPushButton(QStringLiteral("Center Of Circle"), this);
    pick->setAutoDefault(false);
    SetControlId(pick, CentrePickId);
    connect(pick, &QPushButton::clicked, this, &CCirAreaDlg::OnCentrePick);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    SetControlId(ok, 1);
    connect(ok, &QPushButton::clicked, this, &CCirAreaDlg::OnOk);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setAutoDefault(false);
    SetControlId(cancel, 2);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addWidget(pick);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(side);

    SetDialogLangText(this, kDialogId);
}

QLineEdit* CCirAreaDlg::Edit(int controlId) const
{
    switch (controlId) {
    case CentreXId:
        return m_x;
    case CentreYId:
        return m_y;
    case RadiusId:
        return m_r;
    default:
        return nullptr;
    }
}

void CCirAreaDlg::SetValues(int centreX, int centreY, int radius, const QString& innerType)
{
    m_centreX = centreX;
    m_centreY = centreY;
    m_radius = radius;
    m_innerType = innerType;
    m_x->setText(QString::number(centreX));
    m_y->setText(QString::number(centreY));
    m_r->setText(QString::number(radius));
    const auto found = m_list->findItems(innerType, Qt::MatchExactly);
    m_list->setCurrentItem(found.isEmpty() ? nullptr : found.front());
}

void CCirAreaDlg::StoreEdits()
{
    m_centreX = m_x->text().toInt();
    m_centreY = m_y->text().toInt();
    m_radius = m_r->text().toInt();
}

void CCirAreaDlg::SetPickedCentre(int x, int y)
{
    m_centreX = x;
    m_centreY = y;
    m_x->setText(QString::number(x));
    m_y->setText(QString::number(y));
    *m_pickFlag = 0;
    show();
    raise();
    activateWindow();
}

void CCirAreaDlg::OnCentrePick()
{
    StoreEdits();
    *m_pickFlag = 1;
    // Out of the way, so that the centre can be clicked on the layout;
    // hidden, not minimised, so that no window manager takes the layout
    // away with it.
    hide();
}

void CCirAreaDlg::OnOk()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        m_prompts.message(this, QString::fromStdString(GetLangText("CIRAREADLG_ONOK_PS")),
                          QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    StoreEdits();
    m_innerType = item->text();
    m_done = true;
    accept();
}

} // namespace lumaro::gui
