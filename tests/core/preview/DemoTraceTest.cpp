#include "core/preview/DemoTrace.h"

#include <gtest/gtest.h>

#include <limits>

#include <stop_token>

#include <thread>

#include <chrono>

#include <algorithm>

namespace lumaro {
namespace {

using Trace = std::vector<DemoTraceDraw>;

DemoTraceDraw T(std::int64_t ms, std::int32_t mode, std::int32_t lamp, std::uint8_t red)
{
    return {ms, mode, lamp, {red, 0, 0}};
}

class DemoTraceTest : public testing::Test {
protected:
    DemoTraceTest()
    {
        for (int i = 0; i < 6; ++i)
            lamps.emplace_back(i, 0, i, 0, 1, 1);
        tables.colourTable = {{10, 0, 0, 20, 0, 0}};
        tables.lampSequenceTable = {{0, 1}, {2, 3}, {4, 5}};
    }

    // A lamp fill over two lamps: one draw, then a wait of `interval` × 10 ms.
    static CModeItem Fill(std::int32_t order, std::int32_t holdTime, std::int32_t interval = 50)
    {
        CModeItem m;
        m.layer = 9;
        m.lampOrderIndex = order;
        m.interval = interval;
        m.holdTime = holdTime;
        m.sceneEffect = 7; // ignored by Sequential, replaced by Parallel
        return m;
    }

    static CModeItem Special(int code, std::int32_t ownIndex)
    {
        CModeItem m;
        m.layer = code;
        m.loop = ownIndex;
        return m;
    }

    Trace Run(DemoOrder order, std::int64_t duration = 100'000, std::int32_t first = 0, std::int32_t last = 0)
    {
        return TraceDemo(modes, tables, lamps,
                         {.order = order, .first = first, .last = last, .durationMs = duration});
    }

    std::vector<CLamp> lamps;
    CCompiledEffects tables;
    std::vector<CModeItem> modes;
};

TEST_F(DemoTraceTest, ParallelModesStartAfterTheHoldTimesBeforeThemAndInterleave)
{
    modes = {Fill(0, 1), Fill(1, 2)};
    EXPECT_EQ(Run(DemoOrder::Parallel),
              (Trace{T(2000, 0, 0, 10), T(2100, 1, 2, 10), T(2500, 0, 1, 20), T(2600, 1, 3, 20)}));
}

TEST_F(DemoTraceTest, SequentialModesRunBackToBackWithoutDelay)
{
    modes = {Fill(0, 1), Fill(1, 2)};
    EXPECT_EQ(Run(DemoOrder::Sequential),
              (Trace{T(0, 0, 0, 10), T(500, 0, 1, 20), T(1000, 1, 2, 10), T(1500, 1, 3, 20)}));
}

TEST_F(DemoTraceTest, PartialPlaysTheRangeWithDelaysCountedFromItsFirstMode)
{
    modes = {Fill(0, 9), Fill(1, 4), Fill(2, 1)};
    EXPECT_EQ(Run(DemoOrder::Partial, 100'000, 1, 7),
              (Trace{T(2000, 1, 2, 10), T(2400, 2, 4, 10), T(2500, 1, 3, 20), T(2900, 2, 5, 20)}));
    EXPECT_EQ(Run(DemoOrder::Partial, 100'000, 2, 1), Trace{});
}

TEST_F(DemoTraceTest, NothingIsDrawnAtOrAfterTheDuration)
{
    modes = {Fill(0, 1), Fill(1, 2)};
    EXPECT_EQ(Run(DemoOrder::Parallel, 2500), (Trace{T(2000, 0, 0, 10), T(2100, 1, 2, 10)}));
    EXPECT_EQ(Run(DemoOrder::Sequential, 1000), (Trace{T(0, 0, 0, 10), T(500, 0, 1, 20)}));
    EXPECT_EQ(Run(DemoOrder::Parallel, 2000), Trace{});
}

TEST_F(DemoTraceTest, EqualTimesAreOrderedByModeIndex)
{
    modes = {Fill(1, 0), Fill(0, 0)};
    EXPECT_EQ(Run(DemoOrder::Parallel),
              (Trace{T(2000, 0, 2, 10), T(2000, 1, 0, 10), T(2500, 0, 3, 20), T(2500, 1, 1, 20)}));
}

TEST_F(DemoTraceTest, ACancelFromAnotherThreadEndsALongTraceEarly)
{
    CModeItem chase = Fill(0, 0, 1);
    chase.layer = 5;
    chase.loop = 1'000'000'000;
    modes = {chase, chase};
    std::stop_source cancel;
    std::jthread user([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        cancel.request_stop();
    });
    const Trace trace = TraceDemo(modes, tables, lamps,
                                  {.order = DemoOrder::Parallel,
                                   .durationMs = 1'000'000'000'000,
                                   .drawLimitPerMode = std::numeric_limits<std::size_t>::max(),
                                   .cancel = cancel.get_token()});
    EXPECT_TRUE(cancel.stop_requested()) << "ended by the cancel, not by running out";
    EXPECT_LT(trace.size(), 100'000'000u);
}

TEST_F(DemoTraceTest, AStreamHandsDrawsOverAsThePaintersGoInTraceOrder)
{
    // Two chases that would draw for ever: the sink sees draws while they
    // run, in time order, and ends them itself.
    CModeItem chase = Fill(0, 0, 1);
    chase.layer = 5;
    chase.loop = 1'000'000'000;
    modes = {chase, chase};
    std::stop_source enough;
    Trace seen;
    StreamDemo(modes, tables, lamps,
               {.order = DemoOrder::Parallel,
                .durationMs = 1'000'000'000'000,
                .drawLimitPerMode = std::numeric_limits<std::size_t>::max(),
                .cancel = enough.get_token()},
               [&](const DemoTraceDraw& d) {
                   seen.push_back(d);
                   if (seen.size() == 200'000)
                       enough.request_stop();
               });
    ASSERT_GE(seen.size(), 200'000u);
    EXPECT_TRUE(std::ranges::is_sorted(seen, {},
                                       [](const DemoTraceDraw& d) { return std::pair(d.ms, d.modeIndex); }));
    EXPECT_EQ(seen[0].modeIndex, 0);
    EXPECT_EQ(seen[2].modeIndex, 1) << "the second chase starts 2 s in too: no hold time before it";
}

TEST_F(DemoTraceTest, AModeThatNeverEndsStopsAtTheDuration)
{
    CModeItem chase = Fill(0, 0, 10);
    chase.layer = 5;
    chase.loop = 1'000'000'000;
    modes = {chase};
    const Trace trace = Run(DemoOrder::Sequential, 1000);
    ASSERT_FALSE(trace.empty());
    EXPECT_LT(trace.back().ms, 1000);
    EXPECT_GE(trace.back().ms, 900);
}

TEST_F(DemoTraceTest, SpecialModesEndTheModesBeforeThemOrTheParallelPlay)
{
    modes = {Fill(0, 3), Special(253, 1)};
    EXPECT_EQ(Run(DemoOrder::Parallel), (Trace{T(2000, 0, 0, 10)}));
    EXPECT_EQ(Run(DemoOrder::Sequential), (Trace{T(0, 0, 0, 10), T(500, 0, 1, 20)}));

    // A program group's record carries its place in the whole list: placed
    // first, the empty mode ends no mode of the group, in any order.
    modes = {Special(254, 2), Fill(1, 0), Fill(2, 0)};
    for (DemoOrder order : {DemoOrder::Parallel, DemoOrder::Sequential}) {
        const Trace trace = Run(order);
        EXPECT_EQ(std::ranges::count(trace, 1, &DemoTraceDraw::modeIndex), 2);
        EXPECT_EQ(std::ranges::count(trace, 2, &DemoTraceDraw::modeIndex), 2);
    }

    // "CM_REGRESS" starts the parallel play again, on a picture without lamps,
    // for as long as the play runs.
    modes = {Fill(0, 3), Fill(1, 0), Special(255, 2)};
    const DemoTraceDraw restart{0, kDemoRestart, kDemoRestart, {}};
    auto at = [](DemoTraceDraw d, std::int64_t ms) {
        d.ms = ms;
        return d;
    };
    EXPECT_EQ(Run(DemoOrder::Parallel, 5000),
              (Trace{T(2000, 0, 0, 10), T(2300, 1, 2, 10), at(restart, 2300), T(4300, 0, 0, 10),
                     T(4600, 1, 2, 10), at(restart, 4600)}));
    EXPECT_EQ(Run(DemoOrder::Partial, 100'000, 1, 2), (Trace{T(2000, 1, 2, 10), T(2500, 1, 3, 20)}));
}

} // namespace
} // namespace lumaro
