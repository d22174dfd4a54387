#include "core/preview/DemoPlayer.h"

#include "core/preview/SteadyDemoClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <atomic>
#include <chrono>
#include <mutex>

namespace lumaro {
namespace {

using namespace std::chrono_literals;

// A real clock running a hundred times fast, so that the two-second start
// delays of Parallel play take 20 ms.
class FastClock : public IDemoClock {
public:
    bool SleepMs(std::int64_t ms, std::stop_token stop) override { return m_real.SleepMs(ms / 100, stop); }

private:
    CSteadyDemoClock m_real;
};

class SharedCanvas : public IDemoCanvas {
public:
    void DrawLamp(std::int32_t lamp, DemoRgb, DemoShape) override
    {
        std::scoped_lock lock(mutex);
        lamps.push_back(lamp);
    }
    std::vector<std::int32_t> Lamps()
    {
        std::scoped_lock lock(mutex);
        return lamps;
    }

    std::mutex mutex;
    std::vector<std::int32_t> lamps;
};

class Observer : public IDemoPlayObserver {
public:
    void ModeStarted(std::int32_t index) override
    {
        std::scoped_lock lock(mutex);
        started.push_back(index);
    }
    void RestartRequested(std::uint64_t generation) override { restart = generation; }

    std::vector<std::int32_t> Started()
    {
        std::scoped_lock lock(mutex);
        return started;
    }

    std::mutex mutex;
    std::vector<std::int32_t> started;
    std::atomic<std::uint64_t> restart{0};
};

class DemoPlayerTest : public testing::Test {
protected:
    DemoPlayerTest()
    {
        auto tables = std::make_shared<CCompiledEffects>();
        tables->colourTable = {{255, 0, 0, 0, 255, 0}};
        tables->lampSequenceTable = {{0}, {1}, {2}, {0, 1, 2}};
        play.tables = tables;
        for (int i = 0; i < 3; ++i)
            play.lamps.emplace_back(i, 0, i, 0, 1, 1);
    }

    // A lamp fill of one lamp (done after one step) or a chase that runs for ever.
    static CModeItem Mode(int code, std::int32_t order, std::int32_t loop = 1)
    {
        CModeItem m;
        m.layer = code;
        m.lampOrderIndex = order;
        m.interval = 1;
        m.loop = loop;
        m.holdTime = 10;
        return m;
    }

    template <class Predicate> static bool Eventually(Predicate done)
    {
        for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(1ms))
            if (done())
                return true;
        return false;
    }

    FastClock clock;
    SharedCanvas canvas;
    Observer observer;
    CDemoPlayer::Play play;
};

TEST_F(DemoPlayerTest, SequentialPlaysOneModeAfterAnotherOnOneWorker)
{
    play.modes = {Mode(9, 0), Mode(9, 1), Mode(9, 2)};
    play.order = DemoOrder::Sequential;
    CDemoPlayer player(canvas, clock, observer);
    player.Start(play);
    EXPECT_EQ(player.WorkerCount(), 1u);
    ASSERT_TRUE(Eventually([&] { return player.RunningCount() == 0; }));
    EXPECT_EQ(observer.Started(), (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(canvas.Lamps(), (std::vector<std::int32_t>{0, 1, 2}));
}

TEST_F(DemoPlayerTest, ParallelAndPartialStartOneWorkerPerModeAndStopJoinsThem)
{
    play.modes = {Mode(5, 3, 1'000'000), Mode(5, 3, 1'000'000), Mode(5, 3, 1'000'000), Mode(5, 3, 1'000'000)};
    CDemoPlayer player(canvas, clock, observer);
    player.Start(play);
    EXPECT_EQ(player.WorkerCount(), 4u);
    ASSERT_TRUE(Eventually([&] { return observer.Started().size() == 4; }));
    player.Stop();
    EXPECT_EQ(player.WorkerCount(), 0u);
    EXPECT_EQ(player.RunningCount(), 0u);

    play.order = DemoOrder::Partial;
    play.first = 2;
    play.last = 9; // limited to the last mode
    player.Start(play);
    EXPECT_EQ(player.WorkerCount(), 2u);

    // The pace between starts is waited out by the workers, never by Start,
    // and a Stop ends the waits.
    player.Stop();
    const std::size_t before = observer.Started().size();
    player.pacing = std::chrono::hours(1);
    play.order = DemoOrder::Parallel;
    player.Start(play);
    EXPECT_EQ(player.WorkerCount(), 4u);
    ASSERT_TRUE(Eventually([&] { return observer.Started().size() == before + 1; }))
        << "the first of the four";
    player.Stop();
    EXPECT_EQ(observer.Started().size(), before + 1);
    // The destructor ends and joins the chases that would run for ever.
}

TEST_F(DemoPlayerTest, SpecialModesEndTheModesBeforeThemOrRestartParallelPlay)
{
    CModeItem empty = Mode(254, 0, 2); // its own position, 2, in `loop`
    play.modes = {Mode(5, 3, 1'000'000), Mode(5, 3, 1'000'000), empty, Mode(5, 3, 1'000'000)};
    CDemoPlayer player(canvas, clock, observer);
    player.Start(play);
    // The empty mode ends modes 0 and 1; mode 3 plays on.
    ASSERT_TRUE(Eventually([&] { return player.RunningCount() == 1; }));
    player.Stop();
    // In a program group the record keeps its place in the whole list (5):
    // placed first here, it ends nothing.
    play.modes = {Mode(254, 0, 5), Mode(5, 3, 1'000'000), Mode(5, 3, 1'000'000)};
    player.Start(play);
    ASSERT_TRUE(Eventually([&] { return player.RunningCount() == 2; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(player.RunningCount(), 2u);
    player.Stop();

    CModeItem regress = Mode(255, 0, 1);
    play.modes = {Mode(5, 3, 1'000'000), regress};
    player.Start(play);
    const std::uint64_t generation = player.Generation();
    ASSERT_TRUE(Eventually([&] { return observer.restart == generation; }));
    ASSERT_TRUE(Eventually([&] { return player.RunningCount() == 0; }));
    player.Restart(generation);
    EXPECT_EQ(player.Generation(), generation + 1);
    EXPECT_EQ(player.WorkerCount(), 2u);
    // A request of an earlier play is not followed, nor one in Sequential play.
    player.Restart(generation);
    EXPECT_EQ(player.Generation(), generation + 1);
    play.order = DemoOrder::Sequential;
    player.Start(play);
    player.Restart(player.Generation());
    EXPECT_EQ(player.WorkerCount(), 1u);
}

} // namespace
} // namespace lumaro
