#include "core/effects/ModeParameters.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

CModeItem Mode(std::string type, std::string inner = {})
{
    CModeItem m;
    m.type = std::move(type);
    m.innerType = std::move(inner);
    m.interval = m.loop = m.step = 1;
    m.areaRight = m.areaBottom = 499;
    return m;
}

// Lamps at (10,10) and (20,20); layer 1 holds the second, layer 50 the first.
CEffectSet Project()
{
    CEffectSet e;
    e.lampPositions.emplace_back(10, 10, 0, 0, 1, 1);
    e.lampPositions.emplace_back(20, 20, 1, 0, 1, 1);
    e.layers[0] = {1};
    e.layers[49] = {0};
    return e;
}

} // namespace

TEST(ModeParameters, EachFamilyOffersTheFieldsItReads)
{
    const auto gf = CModeParameters::FieldsFor(Mode("CM_UPTODOWN_GF"));
    EXPECT_TRUE(gf.step && gf.startPoint && gf.extraLamps && gf.area && gf.layer);
    EXPECT_FALSE(gf.loop || gf.wordStep); // a fill runs once
    EXPECT_STREQ(gf.stepHeading, CModeParameters::kStepRowsHeading);

    const auto fade = CModeParameters::FieldsFor(Mode("CM_KERNELBD"));
    EXPECT_FALSE(fade.startPoint || fade.step || fade.extraLamps);
    EXPECT_STREQ(fade.loopHeading, CModeParameters::kLoopFadeHeading);

    const auto ring = CModeParameters::FieldsFor(Mode("CM_CIRCULAR_AREA", "CM_EXPANDCIRCULAR_GC"));
    EXPECT_TRUE(ring.step && !ring.extraLamps);
    EXPECT_STREQ(ring.stepHeading, CModeParameters::kStepLinesHeading);

    const auto custom = CModeParameters::FieldsFor(Mode("CM_CUSTOMMODE"));
    EXPECT_TRUE(custom.loop && custom.layer && !custom.area);
    EXPECT_STREQ(custom.layerHeading, CModeParameters::kLayerCodeHeading);

    const auto empty = CModeParameters::FieldsFor(Mode("CM_EMPTYMODE"));
    EXPECT_TRUE(empty.holdTime && !empty.interval && !empty.layer);

    CModeItem word = Mode("CM_DOWNTOUP_WORD");
    EXPECT_TRUE(CModeParameters::FieldsFor(word).wordStep);
    EXPECT_FALSE(CModeParameters::FieldsFor(word).area);
    word.wordColourMode = 1; // the combo's second entry
    EXPECT_FALSE(CModeParameters::FieldsFor(word).wordStep || CModeParameters::FieldsFor(word).loop);
}

TEST(ModeParameters, OkRejectsValuesOutOfRangeAndKeepsTheRecord)
{
    const CEffectSet e = Project();
    const CParameterValues valid = CModeParameters::ValuesOf(Mode("CM_LEFTTORIGHT_GC"), 1);
    auto store = [&](auto change, std::string type = "CM_LEFTTORIGHT_GC") {
        CParameterValues v = valid;
        v.interval = 7;
        change(v);
        CModeItem r = Mode(type);
        const Status s = CModeParameters::Store(v, {CPickLists::kNoLamp}, 1, e, r);
        EXPECT_EQ(r.interval, s ? 7 : 1);
        return s;
    };
    const Status zero = store([](auto& v) { v.interval = 0; });
    EXPECT_EQ(zero.key, CModeParameters::kIntervalKey);
    EXPECT_EQ(zero.args, (std::vector<std::string>{"1", "65535"}));
    EXPECT_EQ(store([](auto& v) { v.loop = 65536; }).key, CModeParameters::kLoopKey);
    EXPECT_EQ(store([](auto& v) { v.holdTime = -1; }).key, CModeParameters::kHoldTimeKey);
    EXPECT_EQ(store([](auto& v) { v.step = 0; }).key, CModeParameters::kStepKey);
    EXPECT_TRUE(store([](auto& v) { v.layer = 50; }));
    EXPECT_EQ(store([](auto& v) { v.layer = 51; }).key, CModeParameters::kLayerKey);
    EXPECT_EQ(store([](auto& v) { v.startX = 500; }).key, CModeParameters::kStartPointKey);
    EXPECT_EQ(store([](auto& v) { v.areaLeft = -1; }).key, CModeParameters::kAreaKey);
    EXPECT_TRUE(store([](auto& v) { v.layer = 10; }, "CM_CUSTOMMODE"));
    EXPECT_EQ(store([](auto& v) { v.layer = 11; }, "CM_CUSTOMMODE").key, CModeParameters::kCustomCodeKey);
}

TEST(ModeParameters, PositionsAreTakenBackToCellsNormalisedAndMustFindALamp)
{
    const CEffectSet e = Project();
    CModeItem r = Mode("CM_LEFTTORIGHT_GC");
    r.extraLamps = {1};
    CParameterValues v = CModeParameters::ValuesOf(r, 10);
    v.layer = 1;
    v.areaLeft = 214; // dragged from bottom-right to top-left, in pixels
    v.areaTop = 196;
    v.areaRight = 96;
    v.areaBottom = 104;
    v.startX = -5; // still the square of cell 0
    ASSERT_TRUE(CModeParameters::Store(v, {CPickLists::kNoLamp}, 10, e, r));
    EXPECT_EQ((std::vector{r.areaLeft, r.areaTop, r.areaRight, r.areaBottom}), (std::vector{10, 10, 21, 20}));
    EXPECT_EQ(r.startX, 0);
    EXPECT_TRUE(r.extraLamps.empty());
    EXPECT_EQ(CModeParameters::ValuesOf(r, 10).areaRight, 210);
    v.startX = -6;
    const Status off = CModeParameters::Store(v, {}, 10, e, r);
    EXPECT_EQ(off.key, CModeParameters::kStartPointKey);
    EXPECT_EQ(off.args, (std::vector<std::string>{"0", "4990"})) << "in the pixels the fields show";

    // Layer 1 has no lamp around (10,10); a supplementary lamp plays there,
    // but not in a kernel order, which reads none.
    v = CModeParameters::ValuesOf(r, 1);
    v.areaLeft = v.areaTop = 5;
    v.areaRight = v.areaBottom = 15;
    EXPECT_EQ(CModeParameters::Store(v, {CPickLists::kNoLamp}, 1, e, r).key, CModeParameters::kEmptyAreaKey);
    ASSERT_TRUE(CModeParameters::Store(v, {0}, 1, e, r));
    EXPECT_EQ(r.extraLamps, (UIntArray{0}));
    CModeItem kernel = Mode("CM_KERNELBD");
    EXPECT_EQ(CModeParameters::Store(v, {0}, 1, e, kernel).key, CModeParameters::kEmptyAreaKey);
}
