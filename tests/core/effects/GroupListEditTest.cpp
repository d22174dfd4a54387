#include "core/effects/GroupListEdit.h"

#include "core/effects/EffectCompiler.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

CModeItem Custom(std::int32_t code)
{
    CModeItem m;
    m.type = "CM_CUSTOMMODE";
    m.layer = code;
    m.lampOrderIndex = m.bandOrderIndex = -1;
    m.colours = {255, 0, 0};
    return m;
}

// A row of five lamps, an old lamp group {4} and mode 0 of the given code.
CEffectSet Project(std::int32_t code)
{
    CEffectSet e;
    for (int i = 0; i < 5; ++i)
        e.lampPositions.emplace_back(i, 0, i, 0, 1, 1);
    e.lampGroups = {{4}};
    e.modes = {Custom(code)};
    return e;
}

} // namespace

TEST(GroupListEdit, ABandListIsBuiltStoredOnceShownAgainAndCompiled)
{
    CEffectSet e = Project(2);
    const CModeItem record = e.modes[0];
    for (const UIntArray& lamps : {UIntArray{0, 1}, UIntArray{2}, UIntArray{0, 1}}) {
        e.picks.lamps = lamps;
        ASSERT_TRUE(CGroupListEdit::AddGroup(e, record));
    }
    e.picks.lamps = {4};
    ASSERT_TRUE(CGroupListEdit::InsertGroup(e, record, 1));
    EXPECT_EQ(e.picks.bands, (UIntArray{1, 0, 2, 1}));
    EXPECT_EQ(e.lampGroups, (ArrayList{{4}, {0, 1}, {2}}));

    ASSERT_TRUE(CGroupListEdit::InputGrpGrp(e, 0));
    EXPECT_EQ(e.modes[0].bandOrderIndex, 0);
    EXPECT_EQ(e.picks, CPickLists{});
    e.modes.push_back(Custom(7)); // the same bands: the same stored list
    e.picks.bands = {1, 0, 2, 1};
    ASSERT_TRUE(CGroupListEdit::InputGrpGrp(e, 1));
    EXPECT_EQ(e.modes[1].bandOrderIndex, 0);

    CGroupListEdit::Show(e, e.modes[0]);
    EXPECT_EQ(e.picks.bands, (UIntArray{1, 0, 2, 1}));
    ASSERT_TRUE(CGroupListEdit::DeleteGroup(e, 2));
    EXPECT_EQ(e.picks.bands, (UIntArray{1, 0, 1}));
    EXPECT_EQ(e.picks.lamps, (UIntArray{2}));

    // The compiler finds the lists where the page put them.
    const CCompiledEffects c = CompileEffects(e);
    ASSERT_EQ(c.modes.size(), 2u);
    EXPECT_EQ(c.bandTable[static_cast<std::size_t>(c.modes[0].bandOrderIndex)], (UIntArray{1, 0, 2, 1}));
    EXPECT_EQ(c.lampSequenceTable[1], (UIntArray{0, 1}));
}

TEST(GroupListEdit, ALampGroupBecomesTheLampOrderOfACustomOrTextMode)
{
    CEffectSet e = Project(9);
    e.modes.emplace_back().type = "CM_LEFTTORIGHT_WORD";
    e.picks.lamps = {3, 1};
    ASSERT_TRUE(CGroupListEdit::InputGroup(e, 0));
    EXPECT_EQ(e.modes[0].lampOrderIndex, 1);
    EXPECT_TRUE(e.picks.lamps.empty());
    e.picks.lamps = {4};
    ASSERT_TRUE(CGroupListEdit::InputGroup(e, 1));
    EXPECT_EQ(e.modes[1].lampOrderIndex, 0);

    e.picks.bands = {0};
    CGroupListEdit::Show(e, e.modes[0]);
    EXPECT_EQ(e.picks.lamps, (UIntArray{3, 1}));
    EXPECT_EQ(e.picks.lampCursor, 2u);
    EXPECT_TRUE(e.picks.bands.empty());
}

TEST(GroupListEdit, FailuresChangeNothing)
{
    CEffectSet e = Project(2);
    const CModeItem bandMode = e.modes[0];
    CModeItem gc = bandMode;
    gc.type = "CM_LEFTTORIGHT_GC";
    e.picks.bands = {0, 7};
    const ArrayList groups = e.lampGroups;
    const CPickLists picks = e.picks;

    EXPECT_EQ(CGroupListEdit::AddGroup(e, gc).key, CGroupListEdit::kNotBandModeKey);
    EXPECT_EQ(CGroupListEdit::AddGroup(e, bandMode).key, CGroupListEdit::kNoLampsKey);
    EXPECT_EQ(CGroupListEdit::InputGroup(e, 0).key, CGroupListEdit::kNotLampOrderModeKey);
    EXPECT_EQ(CGroupListEdit::DeleteGroup(e, 2).key, CGroupListEdit::kNoGroupSelectedKey);
    EXPECT_EQ(CGroupListEdit::OpenGroup(e, 1).key, CGroupListEdit::kNoSuchLampGroupKey);
    EXPECT_EQ(CGroupListEdit::InputGrpGrp(e, 1).key, CGroupListEdit::kNoSuchModeKey);
    e.picks.lamps = {1};
    EXPECT_EQ(CGroupListEdit::InsertGroup(e, bandMode, std::nullopt).key,
              CGroupListEdit::kNoGroupSelectedKey);
    e.picks.lamps.clear();
    EXPECT_EQ(e.lampGroups, groups);
    EXPECT_EQ(e.picks, picks);
    EXPECT_EQ(e.modes[0], bandMode);

    e.picks.bands.clear();
    EXPECT_EQ(CGroupListEdit::InputGrpGrp(e, 0).key, CGroupListEdit::kNoGroupsKey);
    EXPECT_TRUE(e.groupLists.empty());
}
