#include "gui/effects/ColorListDlg.h"

#include "gui/app/DialogLangText.h"
#include "gui/effects/ColourListEditor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lumaro::gui {

CColorListDlg::CColorListDlg(const UIntArray& colours, CPrompts& prompts, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Color List"));
    chooseColour = &CColourListEditor::SystemColourDialog;
    m_editor = new CColourListEditor(this, prompts, [this] { return chooseColour(this); });
    m_editor->SetColours(colours);

    auto* buttons = new QVBoxLayout;
    struct ButtonDef {
        int id;
        const char* text;
        void (CColourListEditor::*handler)();
    };
    const ButtonDef buttonDefs[] = {
        {AddColourId, "Add a &color ", &CColourListEditor::OnAddColour},
        {InsertColourId, "&Insert a color", &CColourListEditor::OnInsertColour},
        {RemoveColourId, "&Remove a color", &CColourListEditor::OnRemoveColour},
        {RemoveAllId, "Remove A&ll", &CColourListEditor::OnRemoveAll},
    };
    for (const ButtonDef& def : buttonDefs) {
        QPushButton* button = MakeControlButton(this, def.id, def.text);
        connect(button, &QPushButton::clicked, m_editor, def.handler);
        buttons->addWidget(button);
    }

    auto* gradient = new QGroupBox(this);
    auto* gradientLayout = new QGridLayout(gradient);
    QPushButton* start = MakeControlButton(gradient, StartColourId, "&Select Start Color");
    connect(start, &QPushButton::clicked, m_editor, [this] { m_editor->OnMark(true); });
    QPushButton* end = MakeControlButton(gradient, EndColourId, "Select &End Color");
    connect(end, &QPushButton::clicked, m_editor, [this] { m_editor->OnMark(false); });
    QPushButton* remove = MakeControlButton(gradient, DeleteRangeId, "&Delete Color");
    connect(remove, &QPushButton::clicked, m_editor, &CColourListEditor::OnDeleteRange);
    QPushButton* addList = MakeControlButton(gradient, AddListId, "&Add a list");
    connect(addList, &QPushButton::clicked, m_editor, &CColourListEditor::OnAddGradient);
    gradientLayout->addWidget(start, 0, 0, 1, 2);
    gradientLayout->addWidget(end, 1, 0, 1, 2);
    gradientLayout->addWidget(remove, 2, 0, 1, 2);
    gradientLayout->addWidget(m_editor->GradientCount(), 3, 0);
    gradientLayout->addWidget(m_editor->GradientInsert(), 3, 1);
    gradientLayout->addWidget(m_editor->SineButton(), 4, 0);
    gradientLayout->addWidget(m_editor->CosineButton(), 4, 1);
    gradientLayout->addWidget(addList, 5, 0, 1, 2);
    SetControlId(m_editor->SineButton(), SineId);
    SetControlId(m_editor->CosineButton(), CosineId);
    SetControlId(m_editor->GradientInsert(), InsertCheckId);
    buttons->addWidget(gradient);
    buttons->addStretch();

    QPushButton* ok = MakeControlButton(this, OkId, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CColorListDlg::OnOk);
    QPushButton* cancel = MakeControlButton(this, CancelId, "Cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* closing = new QHBoxLayout;
    closing->addWidget(ok);
    closing->addWidget(cancel);
    buttons->addLayout(closing);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_editor->List(), 1);
    layout->addLayout(buttons);

    SetDialogLangText(this, kDialogId);
}

QListWidget* CColorListDlg::List() const
{
    return m_editor->List();
}

QPushButton* CColorListDlg::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

QSpinBox* CColorListDlg::GradientCount() const
{
    return m_editor->GradientCount();
}

QCheckBox* CColorListDlg::GradientInsert() const
{
    return m_editor->GradientInsert();
}

void CColorListDlg::SetCurve(CColourData::Curve curve)
{
    m_editor->SetCurve(curve);
}

int CColorListDlg::StartMark() const
{
    return m_editor->StartMark();
}

int CColorListDlg::EndMark() const
{
    return m_editor->EndMark();
}

void CColorListDlg::OnOk()
{
    m_result = m_editor->Colours();
    accept();
}

} // namespace lumaro::gui
