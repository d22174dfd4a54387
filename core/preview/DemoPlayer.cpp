#include "core/preview/DemoPlayer.h"

#include "core/preview/DemoPainter.h"

#include <algorithm>
#include <condition_variable>
#include <limits>

namespace lumaro {

namespace {

constexpr std::int32_t kAllModes = std::numeric_limits<std::int32_t>::max();

} // namespace

CDemoPlayer::CDemoPlayer(IDemoCanvas& canvas, IDemoClock& clock, IDemoPlayObserver& observer)
    : m_canvas(canvas), m_clock(clock), m_observer(observer)
{
}

CDemoPlayer::~CDemoPlayer()
{
    Stop();
}

void CDemoPlayer::Start(Play play)
{
    Stop();
    if (!play.tables)
        play.tables = std::make_shared<const CCompiledEffects>();
    m_play = std::make_shared<const Play>(std::move(play));
    Launch();
}

void CDemoPlayer::Restart(std::uint64_t generation)
{
    if (!m_play || m_play->order != DemoOrder::Parallel)
        return;
    {
        std::scoped_lock lock(m_mutex);
        if (generation != m_generation)
            return;
    }
    Stop();
    Launch();
}

void CDemoPlayer::Stop()
{
    std::vector<std::unique_ptr<Worker>> workers;
    {
        std::scoped_lock lock(m_mutex);
        workers.swap(m_workers);
        for (auto& worker : workers)
            worker->thread.request_stop();
    }
    // Joined outside the lock: an ending worker takes it once more.
    for (auto& worker : workers)
        if (worker->thread.joinable())
            worker->thread.join();
}

std::size_t CDemoPlayer::WorkerCount() const
{
    std::scoped_lock lock(m_mutex);
    return m_workers.size();
}

std::size_t CDemoPlayer::RunningCount() const
{
    std::scoped_lock lock(m_mutex);
    return m_running;
}

std::uint64_t CDemoPlayer::Generation() const
{
    std::scoped_lock lock(m_mutex);
    return m_generation;
}

void CDemoPlayer::Launch()
{
    std::uint64_t generation = 0;
    {
        std::scoped_lock lock(m_mutex);
        generation = ++m_generation;
    }
    const Play& play = *m_play;
    std::vector<DemoStart> starts = DemoStarts(play.modes, play.order, play.first, play.last);
    if (play.order == DemoOrder::Sequential) {
        AddWorker(-1, std::move(starts), generation);
        return;
    }
    // Worker k waits k paces before it starts, on its own thread: the
    // owner's thread never sleeps, however many modes there are.
    for (std::size_t k = 0; k < starts.size(); ++k)
        AddWorker(starts[k].modeIndex, {starts[k]}, generation, pacing * static_cast<std::int64_t>(k));
}

void CDemoPlayer::AddWorker(std::int32_t modeIndex, std::vector<DemoStart> steps, std::uint64_t generation,
                            std::chrono::milliseconds delay)
{
    std::scoped_lock lock(m_mutex);
    auto worker = std::make_unique<Worker>();
    worker->modeIndex = modeIndex;
    const Worker* self = worker.get();
    // The worker keeps the play alive for as long as it runs.
    worker->thread = std::jthread(
        [this, play = m_play, steps = std::move(steps), self, generation, delay](std::stop_token stop) {
            if (delay.count() > 0) {
                std::mutex own;
                std::unique_lock wait(own);
                std::condition_variable_any().wait_for(wait, stop, delay, [] { return false; });
            }
            RunSteps(*play, steps, self, stop, generation);
            std::scoped_lock ended(m_mutex);
            --m_running;
        });
    ++m_running;
    m_workers.push_back(std::move(worker));
}

void CDemoPlayer::RunSteps(const Play& play, const std::vector<DemoStart>& steps, const Worker* self,
                           std::stop_token stop, std::uint64_t generation)
{
    for (const DemoStart& step : steps) {
        if (stop.stop_requested())
            return;
        m_observer.ModeStarted(step.modeIndex);
        CModeItem mode = play.modes[static_cast<std::size_t>(step.modeIndex)];
        mode.sceneEffect = step.startDelay;
        CDemoPainter painter(m_canvas, m_clock, *play.tables, play.lamps, play.shape);
        const CDemoPainter::Result result = painter.Play(mode, stop);
        if (result.stopped)
            return;
        if (result.request == CDemoPainter::Request::EndModesBefore) {
            // By place in the play, not the list position the record carries.
            EndWorkers(self, step.modeIndex);
        } else if (result.request == CDemoPainter::Request::RestartParallel &&
                   play.order == DemoOrder::Parallel) {
            EndWorkers(self, kAllModes);
            m_observer.RestartRequested(generation);
            return;
        }
    }
}

void CDemoPlayer::EndWorkers(const Worker* self, std::int32_t below)
{
    std::scoped_lock lock(m_mutex);
    for (auto& worker : m_workers)
        if (worker.get() != self && worker->modeIndex >= 0 && worker->modeIndex < below)
            worker->thread.request_stop();
}

} // namespace lumaro
