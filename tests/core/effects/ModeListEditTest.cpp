#include "core/effects/ModeListEdit.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

// Modes "A", "B", ... and entries of program group 3 copied from the modes
// numbered; a number beyond the list names no mode.
CEffectSet Project(int modes, const std::vector<std::int32_t>& entries)
{
    CEffectSet e;
    for (int m = 0; m < modes; ++m)
        e.modes.emplace_back().name = std::string(1, char('A' + m));
    for (std::int32_t n : entries) {
        CModeItem entry = n < modes ? e.modes[static_cast<std::size_t>(n)] : CModeItem{};
        entry.layer = n;
        e.programGroups[3].push_back(entry);
    }
    return e;
}

std::vector<std::int32_t> Numbers(const CEffectSet& e)
{
    std::vector<std::int32_t> n;
    for (const CModeItem& entry : e.programGroups[3]) {
        n.push_back(entry.layer);
        if (entry.layer < static_cast<std::int32_t>(e.modes.size())) { // still plays its own mode
            EXPECT_EQ(entry.name, e.modes[static_cast<std::size_t>(entry.layer)].name);
        }
    }
    return n;
}

} // namespace

TEST(ModeListEdit, InsertGoesBehindTheLastSelectedAndRaisesTheEntriesBehindIt)
{
    CEffectSet e = Project(4, {0, 1, 2, 3, 2, 7});
    CModeItem added;
    added.name = "new";
    EXPECT_EQ(CModeListEdit::Insert(e, {2, 0, 99}, added).value(), 3u);
    EXPECT_EQ(e.modes[3].name, "new");
    EXPECT_EQ(Numbers(e), (std::vector<std::int32_t>{0, 1, 2, 4, 2, 8}));
    EXPECT_EQ(CModeListEdit::Add(e, added), 5u);
    EXPECT_EQ(Numbers(e).back(), 9); // an entry naming no mode never comes to name one

    EXPECT_EQ(CModeListEdit::Insert(e, {6}, added).status().key, CModeListEdit::kInsertNothingKey);
    EXPECT_EQ(e.modes.size(), 6u);
    CEffectSet empty;
    EXPECT_EQ(CModeListEdit::Insert(empty, {}, added).value(), 0u);
}

TEST(ModeListEdit, DeleteDropsTheEntriesOfDeletedModesAndRenumbersTheRest)
{
    CEffectSet e = Project(5, {0, 1, 2, 3, 4, 9, 4});
    ASSERT_TRUE(CModeListEdit::Delete(e, {3, 1, 1, 42}));
    ASSERT_EQ(e.modes.size(), 3u);
    EXPECT_EQ(e.modes[0].name + e.modes[1].name + e.modes[2].name, "ACE");
    EXPECT_EQ(Numbers(e), (std::vector<std::int32_t>{0, 1, 2, 9, 2}));
    EXPECT_EQ(CModeListEdit::Delete(e, {3}).key, CModeListEdit::kDeleteNothingKey);
    EXPECT_EQ(e.modes.size(), 3u);
}

TEST(ModeListEdit, CopyTakesTheLastSelectedAndPasteInsertsItBehindTheSelection)
{
    CEffectSet e = Project(4, {0, 1, 3});
    EXPECT_EQ(CModeListEdit::Copy(e, {}).status().key, CModeListEdit::kCopyNothingKey);
    const CModeItem copied = CModeListEdit::Copy(e, {3, 1}).value();
    EXPECT_EQ(copied.name, "D");
    EXPECT_EQ(CModeListEdit::Paste(e, {0}, std::nullopt).status().key, CModeListEdit::kPasteNoCopyKey);
    EXPECT_EQ(CModeListEdit::Paste(e, {}, copied).status().key, CModeListEdit::kPasteNothingKey);
    EXPECT_EQ(CModeListEdit::Paste(e, {0}, copied).value(), 1u);
    EXPECT_EQ(e.modes[1], copied);
    EXPECT_EQ(Numbers(e), (std::vector<std::int32_t>{0, 2, 4}));
}

TEST(ModeListEdit, ReplaceRefreshesTheEntriesCopiedFromTheMode)
{
    CEffectSet e = Project(3, {1, 2});
    CModeItem edited = e.modes[1];
    edited.name = "B2";
    ASSERT_TRUE(CModeListEdit::Replace(e, 1, edited));
    EXPECT_EQ(Numbers(e), (std::vector<std::int32_t>{1, 2})); // names checked against the modes
    EXPECT_FALSE(CModeListEdit::Replace(e, 3, edited));
}

TEST(ModeListEdit, RenumberingFollowsInsertsDeletesAndEditsInPlace)
{
    auto modes = [](const std::string& names) {
        std::vector<CModeItem> list;
        for (char c : names)
            list.emplace_back().name = std::string(1, c);
        return list;
    };
    using N = std::vector<std::int32_t>;
    EXPECT_EQ(CModeListEdit::Renumbering(modes("ABCD"), modes("ABXCD")), (N{0, 1, 3, 4}));
    EXPECT_EQ(CModeListEdit::Renumbering(modes("ABCDE"), modes("ACE")), (N{0, -1, 1, -1, 2}));
    EXPECT_EQ(CModeListEdit::Renumbering(modes("ABCD"), modes("AXCD")), (N{0, 1, 2, 3})) << "B edited";
    EXPECT_EQ(CModeListEdit::Renumbering(modes("ABCD"), modes("AXYD")), (N{0, 1, 2, 3}));
    EXPECT_EQ(CModeListEdit::Renumbering(modes("AAB"), modes("AB")), (N{0, -1, 1}));
    EXPECT_EQ(CModeListEdit::Renumbering(modes("AB"), modes("")), (N{-1, -1}));
    EXPECT_EQ(CModeListEdit::Renumbering(modes(""), modes("AB")), N{});
    EXPECT_EQ(CModeListEdit::Renumbering(modes("ABC"), modes("CAB")), (N{1, 2, -1}));

    const N gone{-1, -1, 0, -1};
    EXPECT_EQ(CModeListEdit::Follow(gone, 3), -1);
    EXPECT_EQ(CModeListEdit::Follow(gone, 3, true), 0) << "the kept mode before it";
    EXPECT_EQ(CModeListEdit::Follow(gone, 1, true), 0) << "none before";
    EXPECT_EQ(CModeListEdit::Follow(gone, 9), -1);
    EXPECT_EQ(CModeListEdit::Follow(gone, -1), -1);
}
