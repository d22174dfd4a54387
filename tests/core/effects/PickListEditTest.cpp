#include "core/effects/PickListEdit.h"
#include "core/effects/PickLists.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {
constexpr std::uint32_t kNone = CPickLists::kNoLamp;
}

TEST(PickListEdit, GroupListRepeatsLampsAndInsertsAtAnAdvancingCursor)
{
    UIntArray list{4, 5};
    AppendPickedLamp(list, 4);
    std::size_t cursor = 1;
    InsertPickedLamp(list, cursor, 8);
    InsertPickedLamp(list, cursor, 9);
    EXPECT_EQ(list, (UIntArray{4, 8, 9, 5, 4}));
    EXPECT_EQ(cursor, 3u);
    std::size_t beyond = 99;
    InsertPickedLamp(list, beyond, 1);
    EXPECT_EQ(beyond, list.size()) << "a cursor past the end inserts at the end";

    // Removing takes every entry; the cursor stays behind the same entries.
    EXPECT_TRUE(RemovePickedLamp(list, cursor, 4));
    EXPECT_EQ(list, (UIntArray{8, 9, 5, 1}));
    EXPECT_EQ(cursor, 2u);
    EXPECT_FALSE(RemovePickedLamp(list, cursor, 7));
}

TEST(PickListEdit, ParameterListTradesTheNoLampEntryForLampsAndBack)
{
    UIntArray list{kNone};
    EXPECT_TRUE(NoParameterLamp(list));
    EXPECT_TRUE(AddParameterLamp(list, 3));
    EXPECT_FALSE(AddParameterLamp(list, 3)) << "a set";
    AddParameterLamp(list, 6);
    EXPECT_EQ(list, (UIntArray{3, 6}));
    EXPECT_FALSE(RemoveParameterLamp(list, 9));
    RemoveParameterLamp(list, 3);
    EXPECT_TRUE(RemoveParameterLamp(list, 6));
    EXPECT_EQ(list, (UIntArray{kNone}));
    EXPECT_FALSE(RemoveParameterLamp(list, 6));
    UIntArray empty;
    EXPECT_TRUE(RemoveParameterLamp(empty, 1)) << "an empty list also means none chosen";
    EXPECT_EQ(empty, (UIntArray{kNone}));
}

TEST(PickListEdit, LayerAddsOnceAndRemovesAll)
{
    UIntArray layer{2, 7, 2};
    EXPECT_FALSE(AddLayerLamp(layer, 7));
    EXPECT_TRUE(AddLayerLamp(layer, 1));
    EXPECT_TRUE(RemoveLayerLamp(layer, 2));
    EXPECT_EQ(layer, (UIntArray{7, 1}));
}
