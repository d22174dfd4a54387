#include "core/effects/ModeCatalogue.h"
#include "core/effects/ArrayTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace lumaro;

namespace {

CModeItem Mode(std::string type, std::string inner = {})
{
    CModeItem m;
    m.type = std::move(type);
    m.innerType = std::move(inner);
    return m;
}

} // namespace

TEST(ModeCatalogue, SeventyDistinctNamesWithTheirDescriptionKeys)
{
    const auto types = CatalogueTypes();
    ASSERT_EQ(types.size(), 70u);
    EXPECT_EQ(std::set<std::string_view>(types.begin(), types.end()).size(), 70u);
    EXPECT_EQ(types.front(), "CM_CUSTOMMODE");
    EXPECT_EQ(types[4], "CM_LEFTTORIGHT_GC");
    EXPECT_EQ(types.back(), "CM_CIRCULAR_AREA");
    EXPECT_EQ(ModeInfoKey("CM_CUSTOMMODE"), "ID_MSG_PAGE3_MODE_INFO1");
    EXPECT_EQ(ModeInfoKey("CM_KERNELBD"), "ID_MSG_PAGE3_MODE_INFO51");
    EXPECT_EQ(ModeInfoKey("CM_CIRCULAR_AREA"), "ID_MSG_PAGE3_MODE_INFO70");
    EXPECT_EQ(ModeInfoKey("CM_MIDDLETOSIDE_GC"), ""); // compiled only, never offered
}

TEST(ModeCatalogue, EveryListedNameButTheWordsAndTheCircleHasAClass)
{
    for (std::string_view t : CatalogueTypes()) {
        const int code = EffectClassOf(Mode(std::string(t), "CM_KERNELBD"));
        if (IsWordMode(t))
            EXPECT_EQ(code, kNoClass) << t; // expanded before coding
        else
            EXPECT_NE(code, kNoClass) << t;
    }
    // The 61 inner names are exactly the orderable catalogue names.
    for (std::string_view inner : CircularInnerTypes()) {
        EXPECT_NE(OrderKindOf(inner), OrderKind::None) << inner;
        EXPECT_NE(ModeInfoKey(inner), "") << inner;
    }
    EXPECT_EQ(CircularInnerTypes().size(), 61u);
}

TEST(ModeCatalogue, ClassCodesOfPairsAndFamilies)
{
    const std::pair<const char*, int> cases[] = {
        {"CM_LEFTTORIGHT_GC", 2},    {"CM_RIGHTTOLEFT_GC", 1},   {"CM_LEFTTORIGHT_SCROLL", 2},
        {"CM_RIGHTUP_SCROLL", 1},    {"CM_LEFTUP_GC", 2},        {"CM_RIGHTDOWN_GC", 1},
        {"CM_LEFTDOWN_GOBC", 3},     {"CM_RIGHTUP_GOBC", 4},     {"CM_UPTODOWN_GF", 7},
        {"CM_DOWNTOUP_GF", 8},       {"CM_LEFTTORIGHT_CC", 6},   {"CM_RIGHTTOLEFT_CC", 5},
        {"CM_RIGHTDOWN_CC", 6},      {"CM_LEFTUP_CC", 5},        {"CM_RIGHTUP_CF", 9},
        {"CM_LEFTDOWN_CF", 10},      {"CM_SIDEFRAME_SCROLL", 5}, {"CM_ASIDEFRAME_SCROLL", 6},
        {"CM_ASIDEFRAME_CF", 9},     {"CM_SIDEFRAME_CF", 10},    {"CM_BRIGHTTODARK", 0},
        {"CM_SIDEFRAMEBD", 0},       {"CM_KERNELBD", 0},         {"CM_EXPANDCIRCULAR_GC", 2},
        {"CM_SHRINKCIRCULAR_GF", 8}, {"CM_MIDDLETOSIDE_GC", 2},  {"CM_SIDETOMIDDLE_GC", 1},
        {"CM_EMPTYMODE", 254},       {"CM_REGROUP", 253},        {"CM_REGRESS", 255},
    };
    for (const auto& [type, code] : cases)
        EXPECT_EQ(EffectClassOf(Mode(type)), code) << type;
    // A pair shares one generator: the code alone gives the direction.
    EXPECT_EQ(OrderKindOf("CM_LEFTTORIGHT_GC"), OrderKindOf("CM_RIGHTTOLEFT_SCROLL"));
    EXPECT_EQ(OrderKindOf("CM_BRIGHTTODARK"), OrderKindOf("CM_LEFTTORIGHT_CC"));
    EXPECT_EQ(OrderKindOf("CM_LEFTUP_CC"), OrderKind::FallingLampOrder);
    EXPECT_EQ(OrderKindOf("CM_LEFTUP_GC"), OrderKind::RisingBands);
}

TEST(ModeCatalogue, CircularAreaTakesItsInnerTypesClassAndCustomKeepsItsOwn)
{
    EXPECT_EQ(EffectClassOf(Mode("CM_CIRCULAR_AREA", "CM_KERNELBD")), 0);
    EXPECT_EQ(EffectClassOf(Mode("CM_CIRCULAR_AREA", "CM_RIGHTUP_SCROLL")), 1);
    EXPECT_EQ(EffectClassOf(Mode("CM_CIRCULAR_AREA", "CM_CIRCULAR_AREA")), kNoClass);
    EXPECT_EQ(EffectClassOf(Mode("CM_CIRCULAR_AREA")), kNoClass);
    CModeItem custom = Mode("CM_CUSTOMMODE");
    custom.layer = 7;
    EXPECT_EQ(EffectClassOf(custom), 7);
    EXPECT_EQ(EffectClassOf(Mode("CM_LEFTUP_WORD")), kNoClass);
    EXPECT_EQ(EffectClassOf(Mode("")), kNoClass);
}

TEST(ArrayTable, EqualArraysAreStoredOnceSeededOnesKeepTheirPlaces)
{
    CArrayTable t;
    t.Seed({{1, 2}, {}, {1, 2}});
    EXPECT_EQ(t.AddUnique(UIntArray{1, 2}), 0u);
    EXPECT_EQ(t.AddUnique(UIntArray{}), 1u);
    EXPECT_EQ(t.AddUnique(UIntArray{2, 1}), 3u);
    EXPECT_EQ(t.AddUnique(UIntArray{2, 1}), 3u);
    EXPECT_EQ(t.AddUnique(UIntArray{1, 2, 0}), 4u);
    EXPECT_EQ(t.Size(), 5u);
}
