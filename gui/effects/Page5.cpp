#include "gui/effects/Page5.h"

#include "core/app/LangText.h"
#include "core/effects/GroupListEdit.h"
#include "core/effects/ModeEditState.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/preview/ModeTestState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace lumaro::gui {

namespace {

void FillList(QListWidget* list, const UIntArray& values)
{
    const int row = list->currentRow();
    list->clear();
    for (std::uint32_t value : values)
        list->addItem(QString::number(value));
    if (row >= 0)
        list->setCurrentRow(std::min(row, list->count() - 1));
}

} // namespace

CPage5::CPage5(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "GroupList", parent)
{
    auto* lampLabel = new QLabel(QStringLiteral("LampCollect"), this);
    SetControlId(lampLabel, LampListLabelId);
    auto* bandLabel = new QLabel(QStringLiteral("NewGroupCollect"), this);
    SetControlId(bandLabel, BandListLabelId);
    m_lamps = new QListWidget(this);
    SetControlId(m_lamps, LampListId);
    m_bands = new QListWidget(this);
    SetControlId(m_bands, BandListId);

    using Pick = CModeTestState::GroupPick;
    const struct {
        int id;
        const char* text;
        std::function<void()> run;
    } defs[] = {
        {AddLampId, "&AddLamp", [this] { OnGroupPick(int(Pick::Add)); }},
        {InsertLampId, "InsertLa&mp", [this] { OnInsertLamp(); }},
        {DeleteLampId, "&DeleteLamp", [this] { OnGroupPick(int(Pick::Remove)); }},
        {InputGroupId, "In&putGroup ", [this] { OnInput(false); }},
        {NewGroupId, "&NewGroup",
         [this] {
             Run(QStringLiteral("New Group"), Aspect::Picks, [](CEffectSet& effects) {
                 CGroupListEdit::NewGroup(effects);
                 return Status::Ok();
             });
         }},
        {ShowId, "&Show",
         [this] {
             const CModeItem record = Record();
             Run(QStringLiteral("Show Group"), Aspect::Picks, [&record](CEffectSet& effects) {
                 CGroupListEdit::Show(effects, record);
                 return Status::Ok();
             });
         }},
        {AddGroupId, "Add&Group",
         [this] {
             const CModeItem record = Record();
             Run(QStringLiteral("Add Group"), Aspect::Picks | Aspect::LampGroups,
                 [&record](CEffectSet& effects) { return CGroupListEdit::AddGroup(effects, record); });
         }},
        {InsertGroupId, "&InsertGroup",
         [this] {
             const CModeItem record = Record();
             const auto band = SelectedBand();
             Run(QStringLiteral("Insert Group"), Aspect::Picks | Aspect::LampGroups,
                 [&](CEffectSet& effects) { return CGroupListEdit::InsertGroup(effects, record, band); });
         }},
        {DeleteGroupId, "DeleteGrou&p",
         [this] {
             const auto band = SelectedBand();
             Run(QStringLiteral("Delete Group"), Aspect::Picks,
                 [&band](CEffectSet& effects) { return CGroupListEdit::DeleteGroup(effects, band); });
         }},
        {InputGrpGrpId, "Inpu&tGrpGrp", [this] { OnInput(true); }},
        {ReturnId, "&Return", [this] { Q_EMIT PageRequested(CModeTestState::ModeListPage); }},
        {OpenGroupId, "&OpenGroup",
         [this] {
             const auto band = SelectedBand();
             Run(QStringLiteral("Open Group"), Aspect::Picks,
                 [&band](CEffectSet& effects) { return CGroupListEdit::OpenGroup(effects, band); });
         }},
    };
    auto* buttons = new QGridLayout;
    int index = 0;
    for (const auto& def : defs) {
        QPushButton* button = MakeControlButton(this, def.id, def.text);
        connect(button, &QPushButton::clicked, this, def.run);
        buttons->addWidget(button, index % 6, index / 6);
        ++index;
    }
    buttons->setRowStretch(6, 1);

    auto* lamps = new QVBoxLayout;
    lamps->addWidget(lampLabel);
    lamps->addWidget(m_lamps, 1);
    auto* bands = new QVBoxLayout;
    bands->addWidget(bandLabel);
    bands->addWidget(m_bands, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(lamps, 1);
    layout->addLayout(bands, 1);
    layout->addLayout(buttons);

    connect(&m_context.document, &CLayoutDocument::Changed, this, &CPage5::OnChanged);
    SetDialogLangText(this, kDialogId);
    Fill();
}

QPushButton* CPage5::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

void CPage5::Fill()
{
    const CPickLists& picks = m_context.document.Data().picks;
    FillList(m_lamps, picks.lamps);
    FillList(m_bands, picks.bands);
}

void CPage5::OnChanged(Aspects what)
{
    if (what & (Aspect::Picks | Aspect::LampGroups))
        Fill();
}

std::optional<std::size_t> CPage5::SelectedBand() const
{
    const int row = m_bands->currentRow();
    if (row < 0 || !m_bands->item(row)->isSelected())
        return std::nullopt;
    return std::size_t(row);
}

CModeItem CPage5::Record() const
{
    const auto& modes = m_context.document.Data().modes;
    const int index = m_context.edit.selectedIndex;
    if (m_context.edit.action == CModeEditState::Action::Editing && index >= 0 && index < int(modes.size()))
        return modes[std::size_t(index)];
    return m_context.edit.record;
}

bool CPage5::Run(const QString& text, Aspects aspects, const std::function<Status(CEffectSet&)>& change)
{
    return EditOrTell(text, aspects, [&change](CEditImgDoc& data) { return change(data); });
}

void CPage5::OnGroupPick(int pick)
{
    m_context.modeTest.ChangePickRequests(
        [pick](auto& picks) { picks.group = CModeTestState::GroupPick(pick); });
    Q_EMIT PickRequested();
}

void CPage5::OnInsertLamp()
{
    const int row = m_lamps->currentRow();
    if (row < 0 || !m_lamps->item(row)->isSelected()) {
        m_context.prompts.message(this, QString::fromStdString(GetLangText("PAGE5_ONBUTTON8_PSAL")),
                                  QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    // The view inserts the picked lamps here, one behind the other.
    Run(QStringLiteral("Insert Lamp"), Aspect::Picks, [row](CEffectSet& effects) {
        effects.picks.lampCursor = std::size_t(row);
        return Status::Ok();
    });
    OnGroupPick(int(CModeTestState::GroupPick::Insert));
}

void CPage5::OnInput(bool bandList)
{
    CModeEditState& edit = m_context.edit;
    const QString text = bandList ? QStringLiteral("Input Group List") : QStringLiteral("Input Group");
    // A mode being added or inserted is not in the list yet: the lists
    // become the pending record's, which its OK stores.
    if (edit.action == CModeEditState::Action::Adding || edit.action == CModeEditState::Action::Inserting) {
        CModeItem pending = edit.record;
        const bool done =
            Run(text, Aspect::Picks | Aspect::LampGroups, [&pending, bandList](CEffectSet& effects) {
                return bandList ? CGroupListEdit::InputGrpGrpInto(effects, pending)
                                : CGroupListEdit::InputGroupInto(effects, pending);
            });
        if (!done)
            return;
        edit.record = pending;
        edit.customModePending = false;
        Q_EMIT PageRequested(CModeTestState::ParameterPage);
        return;
    }
    // Editing: the stored mode takes the list.
    const std::size_t mode =
        edit.selectedIndex >= 0 ? std::size_t(edit.selectedIndex) : std::numeric_limits<std::size_t>::max();
    const Aspects aspects = Aspect::Picks | Aspect::LampGroups | Aspect::Modes;
    const bool done = Run(text, aspects, [mode, bandList](CEffectSet& effects) {
        return bandList ? CGroupListEdit::InputGrpGrp(effects, mode)
                        : CGroupListEdit::InputGroup(effects, mode);
    });
    if (!done)
        return;
    edit.record = m_context.document.Data().modes[mode];
    edit.customModePending = false;
    Q_EMIT PageRequested(CModeTestState::ModeListPage);
}

} // namespace lumaro::gui
