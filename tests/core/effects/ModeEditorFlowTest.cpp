#include "core/effects/ModeEditorFlow.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

CModeItem Mode(std::string type, UIntArray colours = {})
{
    CModeItem m;
    m.type = std::move(type);
    m.colours = std::move(colours);
    return m;
}

} // namespace

TEST(ModeEditorFlow, ModesWithListsStillToPickGoOnToTheGroupListPage)
{
    EXPECT_EQ(CModeEditorFlow::NextPageAfterOk(Mode("CM_CUSTOMMODE")), EditorPage::GroupList);
    EXPECT_EQ(CModeEditorFlow::NextPageAfterOk(Mode("CM_RIGHTTOLEFT_WORD")), EditorPage::GroupList);
    EXPECT_EQ(CModeEditorFlow::NextPageAfterOk(Mode("CM_RIGHTTOLEFT_GC")), EditorPage::ModeList);
}

TEST(ModeEditorFlow, SaveColourNeedsAWholeColourAndATextModeTwo)
{
    EXPECT_EQ(CModeEditorFlow::CheckColours(Mode("CM_LEFTTORIGHT_GC", {1, 2})).key,
              CModeEditorFlow::kNoColoursKey);
    EXPECT_TRUE(CModeEditorFlow::CheckColours(Mode("CM_LEFTTORIGHT_GC", {1, 2, 3})));
    EXPECT_EQ(CModeEditorFlow::CheckColours(Mode("CM_UPTODOWN_WORD", {1, 2, 3})).key,
              CModeEditorFlow::kWordColoursKey);
    EXPECT_TRUE(CModeEditorFlow::CheckColours(Mode("CM_REGROUP")));
}

TEST(ModeEditorFlow, ANewModeCoversAllLampsAndOkStoresItByWhatWasStarted)
{
    CEffectSet e;
    e.lampPositions.emplace_back(12, 40, 0, 0, 1, 1);
    e.lampPositions.emplace_back(30, 8, 1, 0, 1, 1);
    const CModeItem r = CModeEditorFlow::NewRecord("CM_CUSTOMMODE", e);
    EXPECT_EQ((std::vector{r.areaLeft, r.areaTop, r.areaRight, r.areaBottom}), (std::vector{12, 8, 30, 40}));
    EXPECT_EQ(r.lampOrderIndex, -1);
    EXPECT_EQ(r.bandOrderIndex, -1);

    EXPECT_EQ(CModeEditorFlow::Store(e, r, OkOutcome::Append, 0).value(), 0u);
    EXPECT_EQ(CModeEditorFlow::Store(e, r, OkOutcome::Insert, 0).value(), 1u);
    // The mode selected at Insert was deleted meanwhile: the record goes last.
    EXPECT_EQ(CModeEditorFlow::Store(e, r, OkOutcome::Insert, 9).value(), 2u);
    EXPECT_EQ(CModeEditorFlow::Store(e, r, OkOutcome::Replace, 3).status().key,
              CModeEditorFlow::kEditedModeGoneKey);
    EXPECT_EQ(e.modes.size(), 3u);
}
