#include "core/preview/DemoPainter.h"

#include "DemoFakes.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

using test::DemoDraw;
using Request = CDemoPainter::Request;
using Draws = std::vector<DemoDraw>;
using Sleeps = std::vector<std::int64_t>;

DemoDraw D(std::int64_t ms, std::int32_t lamp, std::uint8_t red, std::uint8_t green = 0,
           std::uint8_t blue = 0)
{
    return {ms, lamp, {red, green, blue}};
}

enum Colours { kThree, kSevenValues, kTwoValues, kFade, kFadeOneColour };
enum Orders { kLamp0, kLamp1, kLamps23, kFive, kFour, kForty, kHundredOne, kWithStray };
enum BandLists { kThreeBands, kThreeBigBands };

UIntArray Iota(std::uint32_t n)
{
    UIntArray a;
    for (std::uint32_t i = 0; i < n; ++i)
        a.push_back(i);
    return a;
}

class DemoPainterTest : public testing::Test {
protected:
    DemoPainterTest()
    {
        for (int i = 0; i < 120; ++i)
            lamps.emplace_back(i, 0, i, 0, 1, 1);
        tables.colourTable = {{10, 0, 0, 20, 0, 0, 30, 0, 0},
                              {1, 2, 3, 4, 5, 6, 7},
                              {9, 9},
                              {100, 50, 0, 40, 50, 30},
                              {100, 50, 0, 40}};
        tables.lampSequenceTable = {{0}, {1}, {2, 3}, Iota(5), Iota(4), Iota(40), Iota(101), {0, 999}};
        tables.bandTable = {{kLamp0, kLamp1, kLamps23}, {kForty, kForty, kForty}};
    }

    static CModeItem Mode(int code, std::int32_t colours, std::int32_t interval, std::int32_t loop)
    {
        CModeItem m;
        m.layer = code;
        m.colourGroupId = colours;
        m.interval = interval;
        m.loop = loop;
        m.bandOrderIndex = kThreeBands;
        m.lampOrderIndex = kFive;
        return m;
    }

    CDemoPainter::Result Play(const CModeItem& mode, std::stop_token stop = {})
    {
        CDemoPainter painter(canvas, clock, tables, lamps, shape);
        return painter.Play(mode, stop);
    }

    std::vector<CLamp> lamps;
    CCompiledEffects tables;
    DemoShape shape = DemoShape::Rectangle;
    test::VirtualDemoClock clock;
    test::RecordingDemoCanvas canvas{clock};
};

TEST_F(DemoPainterTest, BandChaseMovesColoursOneBandAStepInItsDirection)
{
    EXPECT_EQ(Play(Mode(2, kThree, 10, 2)), CDemoPainter::Result{});
    // Last band first; at step 0 the last band has colour 0, at step 1 colour 1.
    EXPECT_EQ(canvas.draws, (Draws{D(0, 2, 10), D(0, 3, 10), D(0, 1, 20), D(0, 0, 30), //
                                   D(100, 2, 20), D(100, 3, 20), D(100, 1, 30), D(100, 0, 10)}));
    EXPECT_EQ(clock.Now(), 200);

    canvas.draws.clear();
    Play(Mode(1, kThree, 10, 2));
    EXPECT_EQ(canvas.draws, (Draws{D(200, 2, 30), D(200, 3, 30), D(200, 1, 20), D(200, 0, 10), //
                                   D(300, 2, 10), D(300, 3, 10), D(300, 1, 30), D(300, 0, 20)}));
}

TEST_F(DemoPainterTest, OneColourPaintsEveryBandAlikeAndAFadeBetweenEqualColoursHolds)
{
    tables.colourTable.push_back({7, 8, 9});
    const auto single = static_cast<std::int32_t>(tables.colourTable.size() - 1);
    for (int code = 1; code <= 4; ++code)
        Play(Mode(code, single, 10, 3));
    ASSERT_EQ(canvas.draws.size(), 4u * 3u * 4u);
    for (const DemoDraw& d : canvas.draws)
        EXPECT_EQ(d.colour, (DemoRgb{7, 8, 9}));

    canvas.draws.clear();
    CModeItem fade = Mode(0, single, 10, 4);
    fade.colours = {7, 8, 9, 7, 8, 9};
    fade.holdTime = 3;
    fade.lampOrderIndex = kLamp0;
    Play(fade);
    EXPECT_EQ(canvas.draws, (Draws{D(1200, 0, 7, 8, 9), D(1300, 0, 7, 8, 9), D(1400, 0, 7, 8, 9)}));
}

TEST_F(DemoPainterTest, BackCountedChaseTakesTriplesFromTheArrayEnd)
{
    // Seven values: two whole triples, counted back from the end (5,6,7) then (2,3,4).
    Play(Mode(3, kSevenValues, 10, 1));
    EXPECT_EQ(canvas.draws, (Draws{D(0, 2, 5, 6, 7), D(0, 3, 5, 6, 7), D(0, 1, 2, 3, 4), D(0, 0, 5, 6, 7)}));

    canvas.draws.clear();
    Play(Mode(4, kSevenValues, 10, 2));
    EXPECT_EQ(canvas.draws.back(), D(200, 0, 2, 3, 4));
}

TEST_F(DemoPainterTest, ChaseSleepsSubtractTheDrawingAllowanceDownToHalfAStep)
{
    for (auto [code, interval, expected] : {std::tuple{2, 10, 94}, {1, 10, 93}, {2, 1, 5}, {1, 1, 5}}) {
        clock.sleeps.clear();
        CModeItem m = Mode(code, kThree, interval, 1);
        m.bandOrderIndex = kThreeBigBands; // 120 draws a step
        Play(m);
        EXPECT_EQ(clock.sleeps, (Sleeps{0, expected})) << code << " " << interval;
    }
    for (auto [order, interval, expected] :
         {std::tuple{kForty, 10, 97}, {kHundredOne, 1, 0}, {kFive, 0, 0}}) {
        clock.sleeps.clear();
        CModeItem m = Mode(5, kThree, interval, 1);
        m.lampOrderIndex = order;
        Play(m);
        EXPECT_EQ(clock.sleeps, (Sleeps{0, expected})) << order << " " << interval;
    }
}

TEST_F(DemoPainterTest, LampChaseVisitsTheOrderInItsDirection)
{
    Play(Mode(6, kThree, 10, 1));
    EXPECT_EQ(canvas.draws, (Draws{D(0, 4, 30), D(0, 3, 20), D(0, 2, 10), D(0, 1, 30), D(0, 0, 20)}));

    canvas.draws.clear();
    Play(Mode(5, kThree, 10, 2));
    EXPECT_EQ(canvas.draws,
              (Draws{D(100, 0, 10), D(100, 1, 20), D(100, 2, 30), D(100, 3, 10), D(100, 4, 20), D(200, 0, 20),
                     D(200, 1, 30), D(200, 2, 10), D(200, 3, 20), D(200, 4, 30)}));
}

TEST_F(DemoPainterTest, FillsLightOneMoreBandOrLampAStep)
{
    Play(Mode(8, kThree, 10, 0));
    EXPECT_EQ(canvas.draws, (Draws{D(0, 2, 10), D(0, 3, 10), D(90, 1, 20), D(180, 0, 30)}));
    EXPECT_EQ(clock.Now(), 270);

    canvas.draws.clear();
    CModeItem m = Mode(10, kThree, 10, 0);
    m.lampOrderIndex = kFour;
    Play(m);
    EXPECT_EQ(canvas.draws, (Draws{D(270, 3, 10), D(370, 2, 20), D(470, 1, 30), D(570, 0, 10)}));

    canvas.draws.clear();
    m.layer = 9;
    Play(m);
    EXPECT_EQ(canvas.draws, (Draws{D(670, 0, 10), D(770, 1, 20), D(870, 2, 30), D(970, 3, 10)}));
}

TEST_F(DemoPainterTest, NothingIsDrawnWithoutAWholeColourOrSteps)
{
    for (int code = 1; code <= 10; ++code)
        Play(Mode(code, kTwoValues, 10, 3));
    Play(Mode(2, kThree, 10, 0));
    Play(Mode(6, kThree, 10, -1));
    CModeItem unknown = Mode(42, kThree, 10, 3);
    unknown.sceneEffect = 5;
    Play(unknown);
    EXPECT_TRUE(canvas.draws.empty());
    EXPECT_EQ(clock.Now(), 0);

    // A lamp number outside the lamp list is skipped.
    CModeItem stray = Mode(9, kThree, 10, 0);
    stray.lampOrderIndex = kWithStray;
    Play(stray);
    EXPECT_EQ(canvas.draws, (Draws{D(0, 0, 10)}));
}

TEST_F(DemoPainterTest, FadeStepsEachChannelTowardTheTargetWithoutPassingIt)
{
    CModeItem m = Mode(0, kFade, 10, 4); // distance 60, step 15
    m.colourGroupId = 7;                 // the user's group: not read
    m.colours = tables.colourTable[kFade];
    m.holdTime = 5;
    m.lampOrderIndex = kLamp1;
    shape = DemoShape::RoundedSquare;
    Play(m);
    EXPECT_EQ(canvas.draws, (Draws{D(0, 1, 100, 50, 0), D(100, 1, 85, 50, 15), D(200, 1, 70, 50, 30),
                                   D(300, 1, 55, 50, 30), D(400, 1, 40, 50, 30)}));
    EXPECT_EQ(canvas.shapes, std::vector<DemoShape>(5, DemoShape::RoundedSquare));
}

TEST_F(DemoPainterTest, FadeEdgeValues)
{
    // Interval 0 counts as 1; loop 0 jumps the whole distance; no second colour is black.
    CModeItem m = Mode(0, kFadeOneColour, 0, 0);
    m.colours = tables.colourTable[kFadeOneColour];
    m.holdTime = 1;
    m.lampOrderIndex = kLamp0;
    Play(m);
    ASSERT_EQ(canvas.draws.size(), 10u);
    EXPECT_EQ(canvas.draws[0], D(0, 0, 100, 50, 0));
    EXPECT_EQ(canvas.draws[1], D(10, 0, 0, 0, 0));

    // No colours at all read as black.
    canvas.draws.clear();
    m.colours.clear();
    m.interval = 5;
    Play(m);
    EXPECT_EQ(canvas.draws, (Draws{D(100, 0, 0), D(150, 0, 0)}));
}

TEST_F(DemoPainterTest, SpecialModesWaitThenAskToEndOrRestartOthers)
{
    CModeItem empty = Mode(254, kThree, 10, 3);
    empty.sceneEffect = 2;
    lamps.resize(2);
    EXPECT_EQ(Play(empty), (CDemoPainter::Result{false, Request::EndModesBefore, 3}));
    EXPECT_EQ(canvas.draws, (Draws{D(200, 0, 0), D(200, 1, 0)}));

    canvas.draws.clear();
    EXPECT_EQ(Play(Mode(253, kThree, 10, 4)), (CDemoPainter::Result{false, Request::EndModesBefore, 4}));
    EXPECT_EQ(Play(Mode(255, kThree, 10, 5)), (CDemoPainter::Result{false, Request::RestartParallel, 5}));
    EXPECT_TRUE(canvas.draws.empty());
}

TEST_F(DemoPainterTest, StopEndsThePlayDuringAWaitOrBetweenDraws)
{
    std::stop_source midSleep;
    clock.StopAt(150, midSleep);
    EXPECT_TRUE(Play(Mode(2, kThree, 10, 5), midSleep.get_token()).stopped);
    EXPECT_EQ(canvas.draws.size(), 8u);
    EXPECT_EQ(clock.Now(), 150);

    std::stop_source inDelay;
    clock.StopAt(170, inDelay);
    CModeItem delayed = Mode(254, kThree, 10, 1);
    delayed.sceneEffect = 1;
    EXPECT_EQ(Play(delayed, inDelay.get_token()), CDemoPainter::Result{true});
    EXPECT_EQ(canvas.draws.size(), 8u);

    for (int code : {0, 2, 6, 7, 9, 254}) {
        canvas.draws.clear();
        clock = {};
        std::stop_source betweenDraws;
        canvas.StopAfterDraws(2, betweenDraws);
        CModeItem m = Mode(code, kThree, 10, 3);
        m.holdTime = 10;
        EXPECT_EQ(Play(m, betweenDraws.get_token()), CDemoPainter::Result{true}) << code;
        EXPECT_EQ(canvas.draws.size(), 2u) << code;
        EXPECT_EQ(clock.Now(), code == 7   ? 90
                               : code == 9 ? 100
                                           : 0)
            << code << ": a stopped wait takes no time";
    }
}

} // namespace
} // namespace lumaro
