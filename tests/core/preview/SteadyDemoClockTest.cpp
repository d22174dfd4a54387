#include "core/preview/SteadyDemoClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace lumaro {
namespace {

using Clock = std::chrono::steady_clock;

TEST(SteadyDemoClock, WaitsTheTimeUnlessStopped)
{
    CSteadyDemoClock clock;
    std::stop_source source;
    const auto before = Clock::now();
    EXPECT_TRUE(clock.SleepMs(20, source.get_token()));
    EXPECT_GE(Clock::now() - before, std::chrono::milliseconds(20));
    EXPECT_TRUE(clock.SleepMs(0, source.get_token()));

    source.request_stop();
    EXPECT_FALSE(clock.SleepMs(0, source.get_token())) << "a stopped painter must not draw on";
    EXPECT_FALSE(clock.SleepMs(60000, source.get_token()));
}

TEST(SteadyDemoClock, StopFromAnotherThreadEndsALongWait)
{
    CSteadyDemoClock clock;
    std::stop_source source;
    const auto before = Clock::now();
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        source.request_stop();
    });
    EXPECT_FALSE(clock.SleepMs(60000, source.get_token()));
    EXPECT_LT(Clock::now() - before, std::chrono::seconds(10));
}

} // namespace
} // namespace lumaro
