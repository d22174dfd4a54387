#include "core/effects/SceneConverter.h"

#include "core/effects/FrameGenerator.h"
#include "core/project/EditImgDoc.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

CEditImgDoc LampsFrom(int x0, int x1)
{
    CEditImgDoc doc;
    for (int x = x0; x <= x1; ++x)
        doc.lamps.emplace_back(x, 3, x - x0, static_cast<std::int32_t>(kColourGreen), 8, 1);
    return doc;
}

} // namespace

TEST(SceneConverter, ShiftingOverTwentyColumns)
{
    CEditImgDoc doc = LampsFrom(10, 29);
    doc.scenes[0][0] = {3, 35, {}};
    CSceneConverter::Convert(doc, doc.lamps);
    ASSERT_EQ(doc.modes.size(), 1u);
    const CModeItem& m = doc.modes[0];
    EXPECT_EQ(m.type, "CM_RIGHTTOLEFT_GC");
    EXPECT_EQ(m.step, 20);
    EXPECT_EQ(m.loop, 100);
    EXPECT_EQ(m.holdTime, 10 * 35);
    EXPECT_EQ(m.interval, 35);
    EXPECT_EQ(m.sceneEffect, 3);
    EXPECT_EQ(m.layer, 0);
    EXPECT_EQ(m.areaRight, 180);
    EXPECT_EQ(m.areaBottom, 180);
    EXPECT_EQ(m.colours.size(), 27u);               // the nine colours
    EXPECT_EQ(doc.scenes[0][0].colours, m.colours); // stored back into the slot
    EXPECT_EQ(doc.lampPositions, doc.lamps);
}

TEST(SceneConverter, ScenesBecomeTheirProgramGroupsInSlotOrder)
{
    CEditImgDoc doc = LampsFrom(0, 4);
    doc.modes.resize(3);
    doc.programGroups[20].resize(2);
    doc.scenes[0][2] = {1, 10, {1, 2, 3}};
    doc.scenes[0][5] = {10, 10, {}};
    doc.scenes[2][0] = {5, 10, {}};
    doc.scenes[2][1] = {0, 10, {9, 9, 9}}; // "Null": no mode
    CSceneConverter::Convert(doc, doc.lamps);
    ASSERT_EQ(doc.modes.size(), 3u);
    EXPECT_EQ(doc.modes[0].colours, (UIntArray{1, 2, 3})); // the slot's own list wins
    EXPECT_EQ(doc.modes[1].type, "CM_MIDDLETOSIDE_GC");
    EXPECT_EQ(doc.modes[1].loop, 40);
    EXPECT_EQ(doc.modes[2].type, "CM_LEFTTORIGHT_GC");
    ASSERT_EQ(doc.programGroups[0].size(), 2u);
    EXPECT_EQ(doc.programGroups[0][0].layer, 0);
    EXPECT_EQ(doc.programGroups[0][1].layer, 1);
    ASSERT_EQ(doc.programGroups[2].size(), 1u);
    EXPECT_EQ(doc.programGroups[2][0].layer, 2);
    EXPECT_TRUE(doc.programGroups[1].empty());
    EXPECT_TRUE(doc.programGroups[20].empty());
}

TEST(SceneConverter, ALampOffTheGridDoesNotWidenTheColourLists)
{
    // A corrupt file's lamp far off the grid once made the width two
    // thousand million columns, and the chasing colours gigabytes.
    CEditImgDoc doc = LampsFrom(10, 29);
    doc.lamps.emplace_back(-1090518626, 3, 20, static_cast<std::int32_t>(kColourGreen), 8, 1);
    doc.lamps.emplace_back(CFrameGenerator::kGridSize, 3, 21, static_cast<std::int32_t>(kColourGreen), 8, 1);
    EXPECT_EQ(CSceneConverter::LampWidth(doc.lamps), 20);
    doc.scenes[0][0] = {4, 10, {}}; // ToLeftChasing: eight colours, each once per column
    doc.scenes[0][1] = {3, 10, {}}; // Shifting: the width as its step
    CSceneConverter::Convert(doc, doc.lamps);
    ASSERT_EQ(doc.modes.size(), 2u);
    EXPECT_EQ(doc.modes[0].colours.size(), 20u * 8u * 3u);
    EXPECT_EQ(doc.modes[0].loop, 20 * 8);
    EXPECT_EQ(doc.modes[1].step, 20);

    EXPECT_EQ(CSceneConverter::LampWidth({doc.lamps.back()}), 0) << "no lamp on the grid";
    // A width handed in from elsewhere is held to the grid as well.
    EXPECT_EQ(CSceneConverter::DefaultColours(4, 2'000'000'000).size(), 500u * 8u * 3u);
}

TEST(SceneConverter, HoldTimeIsUnsignedArithmetic)
{
    // 1536 × 3,000,000 overflows 32 bits; the product wraps as an unsigned number.
    const CModeItem m = CSceneConverter::ModeFor(8, 3000000, {}, 5);
    EXPECT_EQ(static_cast<std::uint32_t>(m.holdTime), (1536u * 3000000u) / 10u);
}

TEST(SceneConverter, DefaultColourLists)
{
    EXPECT_EQ(CSceneConverter::DefaultColours(0, 5).size(), 0u);
    EXPECT_EQ(CSceneConverter::DefaultColours(4, 5).size(), 5u * 8u * 3u);
    EXPECT_EQ(CSceneConverter::DefaultColours(6, 5).size(), 18u * 3u);
    const UIntArray shading = CSceneConverter::DefaultColours(7, 5);
    ASSERT_EQ(shading.size(), 769u * 3u);
    EXPECT_EQ((UIntArray(shading.begin(), shading.begin() + 6)), (UIntArray{255, 0, 0, 255, 0, 0}));
    EXPECT_EQ((UIntArray(shading.end() - 3, shading.end())), (UIntArray{255, 0, 0}));
    const UIntArray flicker = CSceneConverter::DefaultColours(8, 5);
    ASSERT_EQ(flicker.size(), 1537u * 3u);
    EXPECT_EQ((UIntArray(flicker.begin() + 3 * 257, flicker.begin() + 3 * 258)), (UIntArray{255, 0, 0}));
    EXPECT_EQ(CSceneConverter::DefaultColours(9, 5), (UIntArray{255, 0, 0}));
    EXPECT_EQ(CSceneConverter::DefaultColours(11, 20).size(), 11u * 7u * 3u); // m = 20 / 2 + 1
    EXPECT_EQ(CSceneConverter::EffectNames()[3], "Shifting");
}
