#include "effects/EffectsTestSupport.h"

#include "core/effects/GroupListEdit.h"
#include "core/effects/ModeEditState.h"
#include "gui/effects/Page5.h"
#include "gui/preview/ModeTestState.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace lumaro::gui::test {
namespace {

class Page5Test : public ModeEditorTest {
protected:
    void SetUp() override
    {
        ModeEditorTest::SetUp();
        page = sheet->GroupListPage();
        EditProject(document, [](CEditImgDoc& data) {
            data.lampPositions = LampRow(0, 6);
            CModeItem bands = Mode("CM_CUSTOMMODE", "bands");
            bands.layer = 2; // lit band by band
            bands.bandOrderIndex = -1;
            CModeItem order = Mode("CM_CUSTOMMODE", "order");
            order.lampOrderIndex = -1; // class 0: one lamp group
            data.modes = {bands, order};
        });
        Edit(0);
        sheet->ShowPage(CModeTestState::GroupListPage);
    }
    // The mode list page's Edit of mode index, as after its OK.
    void Edit(int index)
    {
        CModeEditState& edit = sheet->EditState();
        edit.Begin(document.Data().modes[std::size_t(index)], CModeEditState::Action::Editing);
        edit.selectedIndex = index;
        edit.customModePending = true;
    }
    void Click(int id) { page->Button(id)->click(); }
    // The view's clicks: the lamp list being built.
    void Pick(const UIntArray& lamps)
    {
        EditProject(document, [&lamps](CEditImgDoc& data) { data.picks.lamps = lamps; });
    }
    static QString Lines(const QListWidget* list)
    {
        QStringList lines;
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines.join(QLatin1Char(','));
    }
    const CPickLists& Picks() const { return document.Data().picks; }

    CPage5* page = nullptr;
};

TEST_F(Page5Test, LampButtonsAskTheViewForPicks)
{
    CModeTestState& modeTest = CModeTestState::Of(document);
    QSignalSpy announced(&modeTest, &CModeTestState::PickRequestsChanged);
    Click(CPage5::AddLampId);
    EXPECT_EQ(modeTest.Picks().group, CModeTestState::GroupPick::Add);
    EXPECT_EQ(announced.count(), 1) << "the view draws the lamp list blue at once";
    EXPECT_FALSE(sheet->isVisible());
    Click(CPage5::DeleteLampId);
    EXPECT_EQ(modeTest.Picks().group, CModeTestState::GroupPick::Remove);

    modeTest.ChangePickRequests([](auto& picks) { picks.group = CModeTestState::GroupPick::None; });
    Click(CPage5::InsertLampId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE5_ONBUTTON8_PSAL")});
    EXPECT_EQ(modeTest.Picks().group, CModeTestState::GroupPick::None);
    Pick({4, 5, 6});
    EXPECT_EQ(Lines(page->LampList()), QStringLiteral("4,5,6"));
    page->LampList()->setCurrentRow(1);
    Click(CPage5::InsertLampId);
    EXPECT_EQ(Picks().lampCursor, 1u);
    EXPECT_EQ(modeTest.Picks().group, CModeTestState::GroupPick::Insert);
}

TEST_F(Page5Test, GroupListIsBuiltFromPickedGroupsAndGivenToTheMode)
{
    Pick({1, 2});
    Click(CPage5::AddGroupId);
    Click(CPage5::NewGroupId);
    EXPECT_TRUE(Picks().lamps.empty());
    Pick({3, 4});
    page->BandList()->setCurrentRow(0);
    Click(CPage5::InsertGroupId);
    EXPECT_EQ(Picks().bands.size(), 2u);
    EXPECT_EQ(document.Data().lampGroups[Picks().bands[0]], (UIntArray{3, 4}));

    page->BandList()->setCurrentRow(1);
    Click(CPage5::OpenGroupId);
    EXPECT_EQ(Lines(page->LampList()), QStringLiteral("1,2"));
    EXPECT_TRUE(log.messages.isEmpty());

    Click(CPage5::InputGrpGrpId);
    const CModeItem& mode = document.Data().modes[0];
    ASSERT_GE(mode.bandOrderIndex, 0);
    EXPECT_EQ(document.Data().groupLists[std::size_t(mode.bandOrderIndex)].size(), 2u);
    EXPECT_EQ(page->BandList()->count(), 0);
    EXPECT_FALSE(sheet->EditState().customModePending);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::ModeListPage);

    Click(CPage5::ShowId);
    EXPECT_EQ(page->BandList()->count(), 2) << "the mode's group list to work on again";
    document.UndoStack().undo();
    document.UndoStack().undo();
    EXPECT_EQ(document.Data().modes[0].bandOrderIndex, -1);
    EXPECT_EQ(page->BandList()->count(), 2) << "the lists as they were before the input";
}

TEST_F(Page5Test, LampGroupsGoToLampOrderModesOnly)
{
    Pick({2, 3});
    Click(CPage5::InputGroupId);
    Edit(1);
    Click(CPage5::AddGroupId);
    Click(CPage5::DeleteGroupId);
    EXPECT_EQ(log.messages,
              (QStringList{Text(CGroupListEdit::kNotLampOrderModeKey), Text(CGroupListEdit::kNotBandModeKey),
                           Text(CGroupListEdit::kNoGroupSelectedKey)}));
    Click(CPage5::InputGroupId);
    const CModeItem& mode = document.Data().modes[1];
    ASSERT_GE(mode.lampOrderIndex, 0);
    EXPECT_EQ(document.Data().lampGroups[std::size_t(mode.lampOrderIndex)], (UIntArray{2, 3}));
    EXPECT_EQ(sheet->EditState().record.lampOrderIndex, mode.lampOrderIndex);
    EXPECT_EQ(page->LampList()->count(), 0);

    sheet->EditState().selectedIndex = -1;
    Click(CPage5::InputGrpGrpId);
    EXPECT_EQ(log.messages.back(), Text(CGroupListEdit::kNoSuchModeKey));
    Click(CPage5::ReturnId);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::ModeListPage);
}

TEST_F(Page5Test, InputWritesIntoTheModeBeingInsertedNotTheOneItGoesBehind)
{
    // Inserting behind mode 1: the new record is pending, mode 1 selected.
    CModeEditState& edit = sheet->EditState();
    CModeItem pending = Mode("CM_CUSTOMMODE", "new");
    pending.lampOrderIndex = -1;
    pending.colours = {9, 9, 9};
    edit.Begin(pending, CModeEditState::Action::Inserting);
    edit.selectedIndex = 1;
    edit.customModePending = true;
    const std::vector<CModeItem> before = document.Data().modes;
    Pick({2, 3});
    Click(CPage5::InputGroupId);
    EXPECT_TRUE(log.messages.isEmpty()) << log.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(document.Data().modes, before) << "no stored mode is touched";
    EXPECT_GE(edit.record.lampOrderIndex, 0);
    EXPECT_EQ(edit.record.name, "new");
    EXPECT_EQ(edit.record.colours, (UIntArray{9, 9, 9}));
    EXPECT_EQ(edit.action, CModeEditState::Action::Inserting);

    // Adding: the same, where a stored mode was refused before.
    edit.Begin(pending, CModeEditState::Action::Adding);
    edit.selectedIndex = -1;
    Pick({4});
    Click(CPage5::InputGroupId);
    EXPECT_TRUE(log.messages.isEmpty()) << log.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_GE(edit.record.lampOrderIndex, 0);
}

} // namespace
} // namespace lumaro::gui::test
