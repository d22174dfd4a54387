#include "gui/effects/Page2.h"

#include "core/app/InstallFolder.h"
#include "core/app/LangText.h"
#include "core/effects/ColourData.h"
#include "core/effects/ModeCatalogue.h"
#include "core/effects/ModeEditState.h"
#include "core/effects/ModeEditorFlow.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/effects/ColourListEditor.h"
#include "gui/preview/ModeTestState.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {

std::optional<QString> AskNewGroupName(QWidget* owner, const QString& proposal)
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(owner, QStringLiteral("New Color Group"),
                              QStringLiteral("input new colorgroup name!"), QLineEdit::Normal, proposal, &ok);
    if (!ok)
        return std::nullopt;
    return name;
}

// A fade runs from its first colour to its second and reads no others.
bool IsFade(const CModeItem& record)
{
    return record.type != kCustomModeType && EffectClassOf(record) == 0;
}

} // namespace

CPage2::CPage2(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "ColorList", parent)
{
    chooseColour = &CColourListEditor::SystemColourDialog;
    askGroupName = &AskNewGroupName;
    m_editor = new CColourListEditor(this, context.prompts, [this] { return chooseColour(this); });

    auto* colourLabel = new QLabel(QStringLiteral("Color List"), this);
    SetControlId(colourLabel, ColourListLabelId);
    auto* groupLabel = new QLabel(QStringLiteral("Color Group List"), this);
    SetControlId(groupLabel, GroupListLabelId);
    m_groups = new QListWidget(this);
    SetControlId(m_groups, GroupListId);
    m_groups->setMinimumWidth(160);
    m_status = new QLineEdit(this);
    SetControlId(m_status, StatusId);
    m_status->setReadOnly(true);

    auto* gradient = new QGroupBox(this);
    struct ButtonDef {
        int id;
        const char* text;
        const char* tip;
        std::function<void()> run;
    };
    CColourListEditor* editor = m_editor;
    // In the order of the page's tooltips.
    const ButtonDef defs[] = {
        {SelectStepId, "Select Ste&p", "IDD108_m_p2tip1", [editor] { editor->OnAddGradient(); }},
        {AddId, "&Add", "IDD108_m_p2tip2", [editor] { editor->OnAddColour(); }},
        {InsertId, "&Insert", "IDD108_m_p2tip3", [editor] { editor->OnInsertColour(); }},
        {RemoveSingleId, "&Remove Single", "IDD108_m_p2tip4", [editor] { editor->OnRemoveColour(); }},
        {RemoveAllId, "Remove A&ll", "IDD108_m_p2tip5", [editor] { editor->OnRemoveAll(); }},
        {StartColourId, "&Select Start Color", "IDD108_m_p2tip6", [editor] { editor->OnMark(true); }},
        {EndColourId, "Select &End Color", "IDD108_m_p2tip7", [editor] { editor->OnMark(false); }},
        {DeleteColourId, "&Delete Color", "IDD108_m_p2tip8", [editor] { editor->OnDeleteRange(); }},
        {ShowColourId, "Sho&w Color", "IDD108_m_p2tip9", [this] { OnShowColour(); }},
        {SaveColourId, "Sa&ve Color", "IDD108_m_p2tip10", [this] { OnSaveColour(); }},
        {OutputId, "&Output", "IDD108_m_p2tip11", [this] { OnOutput(); }},
        {InputId, "Inpu&t", "IDD108_m_p2tip12", [this] { OnInput(); }},
        {ClearId, "&Clear", "IDD108_m_p2tip13", [this] { OnClear(); }},
        {AddGroupId, "Add&group ", "IDD108_m_p2tip14", [this] { OnAddGroup(); }},
    };
    for (const ButtonDef& def : defs) {
        const bool inGradient = def.id == SelectStepId || def.id == StartColourId || def.id == EndColourId ||
                                def.id == DeleteColourId;
        QPushButton* button =
            MakeControlButton(inGradient ? static_cast<QWidget*>(gradient) : this, def.id, def.text);
        SetLangToolTip(button, def.tip);
        connect(button, &QPushButton::clicked, this, def.run);
    }

    auto* gradientLayout = new QGridLayout(gradient);
    gradientLayout->addWidget(Button(StartColourId), 0, 0, 1, 2);
    gradientLayout->addWidget(Button(EndColourId), 1, 0, 1, 2);
    gradientLayout->addWidget(Button(DeleteColourId), 2, 0, 1, 2);
    gradientLayout->addWidget(m_editor->GradientCount(), 3, 0);
    gradientLayout->addWidget(m_editor->GradientInsert(), 3, 1);
    gradientLayout->addWidget(m_editor->SineButton(), 4, 0);
    gradientLayout->addWidget(m_editor->CosineButton(), 4, 1);
    gradientLayout->addWidget(Button(SelectStepId), 5, 0, 1, 2);

    auto* colours = new QVBoxLayout;
    colours->addWidget(colourLabel);
    colours->addWidget(m_editor->List(), 1);
    colours->addWidget(m_status);
    auto* colourButtons = new QVBoxLayout;
    for (int id : {AddId, InsertId, RemoveSingleId, RemoveAllId})
        colourButtons->addWidget(Button(id));
    colourButtons->addWidget(gradient);
    colourButtons->addStretch();
    colourButtons->addWidget(Button(ShowColourId));
    colourButtons->addWidget(Button(SaveColourId));
    auto* groups = new QVBoxLayout;
    groups->addWidget(groupLabel);
    groups->addWidget(m_groups, 1);
    for (int id : {OutputId, InputId, ClearId, AddGroupId})
        groups->addWidget(Button(id));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(colours, 1);
    layout->addLayout(colourButtons);
    layout->addLayout(groups, 1);

    SetDialogLangText(this, kDialogId);
    FillGroupList();
    Load();
}

QListWidget* CPage2::ColourList() const
{
    return m_editor->List();
}

QPushButton* CPage2::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

fs::path CPage2::ColourDataFile() const
{
    return m_context.dataFolder / datapath::ColourData;
}

void CPage2::Load()
{
    m_editor->SetColours(m_context.edit.record.colours);
    m_sourceGroup.reset();
    m_loadedSerial = m_context.edit.recordSerial;
    ShowStatus();
}

void CPage2::showEvent(QShowEvent* event)
{
    CModeEditorPage::showEvent(event);
    // A new record was begun since the list was filled: show its colours,
    // but keep a list still being built for the same record.
    if (m_loadedSerial != m_context.edit.recordSerial)
        Load();
    else
        ShowStatus();
}

void CPage2::FillGroupList()
{
    m_groups->clear();
    for (const std::string& item : CColourData::NumberedGroupItems())
        m_groups->addItem(QString::fromStdString(item));
    for (const std::string& name : CColourData::GetColorGroupNames(ColourDataFile()))
        m_groups->addItem(QString::fromStdString(name));
}

void CPage2::changeEvent(QEvent* event)
{
    CModeEditorPage::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ShowStatus();
}

void CPage2::ShowStatus()
{
    const CModeItem& record = m_context.edit.record;
    QString text = QString::fromStdString(GetLangText("ID_MSG_PAGE2_CURMODE"));
    if (!record.type.empty())
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromStdString(record.type);
    m_status->setText(text);
}

QMessageBox::StandardButton CPage2::Message(const char* key, QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons)
{
    return m_context.prompts.message(this, QString::fromStdString(GetLangText(key)), icon, buttons);
}

bool CPage2::Succeeded(const Status& status)
{
    if (!status)
        m_context.prompts.message(this, QString::fromStdString(GetLangText(status)), QMessageBox::Warning,
                                  QMessageBox::Ok);
    return bool(status);
}

int CPage2::SelectedGroup(const char* noneKey)
{
    const int group = m_groups->currentRow();
    if (group < 0)
        Message(noneKey);
    return group;
}

void CPage2::OnShowColour()
{
    m_editor->Redisplay();
    ShowStatus();
}

void CPage2::OnSaveColour()
{
    CModeEditState& edit = m_context.edit;
    if (edit.action == CModeEditState::Action::None) {
        // No mode is being made or changed: that starts with a type on the mode list page.
        Message("PAGE3_ONBUTTON1_PSAT");
        Q_EMIT PageRequested(CModeTestState::ModeListPage);
        return;
    }
    CModeItem record = edit.record;
    record.colours = m_editor->Colours();
    if (!Succeeded(CModeEditorFlow::CheckColours(record)))
        return;
    if (IsFade(record) && record.colours.size() != 6)
        Message("PAGE2_ONBUTTON4_TFCW", QMessageBox::Information);
    if (m_sourceGroup)
        record.colourGroupId = *m_sourceGroup;
    edit.record = std::move(record);
    Q_EMIT PageRequested(CModeTestState::ParameterPage);
}

void CPage2::OnOutput()
{
    const int group = SelectedGroup("PAGE2_ONBUTTON12_PSAC");
    if (group < 0)
        return;
    Succeeded(CColourData::SaveColorData(ColourDataFile(), group, CColourData::AppendColours,
                                         CColourData::Fields(m_editor->Colours())));
}

void CPage2::OnInput()
{
    const int group = SelectedGroup("PAGE2_ONBUTTON13_PSAC");
    if (group < 0)
        return;
    const Result<UIntArray> colours = CColourData::GetColorData(ColourDataFile(), group);
    m_editor->SetColours(colours ? colours.value() : UIntArray{});
    if (!Succeeded(colours.status()))
        return;
    m_sourceGroup = group;
}

void CPage2::OnClear()
{
    const int group = SelectedGroup("PAGE2_ONBUTTON14_PSAC");
    if (group < 0)
        return;
    if (Message("PAGE2_ONBUTTON14_DYRW", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    Succeeded(CColourData::SaveColorData(ColourDataFile(), group, CColourData::ClearGroup, {}));
}

void CPage2::OnAddGroup()
{
    std::vector<std::string> items;
    for (int row = 0; row < m_groups->count(); ++row)
        items.push_back(m_groups->item(row)->text().toStdString());
    std::optional<QString> name =
        askGroupName(this, QString::fromStdString(CColourData::ProposedGroupName(items)));
    if (!name)
        return;
    // The name ends at the first "]" of its line, and a line is one group.
    for (const QChar c : {QLatin1Char('['), QLatin1Char(']'), QLatin1Char('\r'), QLatin1Char('\n')})
        name->remove(c);
    if (name->isEmpty())
        return;
    if (Succeeded(CColourData::SaveColorData(ColourDataFile(), 0, CColourData::AddNamedGroup,
                                             CColourData::Fields(m_editor->Colours()), name->toStdString())))
        m_groups->addItem(*name);
}

} // namespace lumaro::gui
