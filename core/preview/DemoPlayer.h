#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoClock.h"
#include "core/preview/DemoTrace.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace lumaro {

// What the demo window hears from its play. Both are called on a worker
// thread; the owner hands them to its own thread.
class IDemoPlayObserver {
public:
    virtual ~IDemoPlayObserver() = default;
    // A worker takes up mode `index` (before its start delay).
    virtual void ModeStarted(std::int32_t index) = 0;
    // A restart mode asked for Parallel play to begin again; the owner
    // answers with Restart(generation) on its own thread.
    virtual void RestartRequested(std::uint64_t generation) = 0;
};

// The demo window's play on real threads: one worker per mode in Parallel
// and Partial play, started 1 ms apart, mode i waiting 20 + the hold times
// of the modes before it (tenths of a second); Sequential play runs the
// modes one after another on a single worker, each without its start delay,
// so that the window stays responsive. The special modes' requests end the
// workers of the modes before them or restart Parallel play.
// Start, Stop and Restart belong to the owner's thread; Stop (and the
// destructor) ends and joins every worker before it returns.
class CDemoPlayer {
public:
    struct Play {
        std::vector<CModeItem> modes;
        std::shared_ptr<const CCompiledEffects> tables;
        std::vector<CLamp> lamps;
        DemoOrder order = DemoOrder::Parallel;
        std::int32_t first = 0; // Partial: the inclusive range (the last
        std::int32_t last = 0;  // limited to the last mode)
        DemoShape shape = DemoShape::Rectangle;
    };

    CDemoPlayer(IDemoCanvas& canvas, IDemoClock& clock, IDemoPlayObserver& observer);
    ~CDemoPlayer();
    CDemoPlayer(const CDemoPlayer&) = delete;
    CDemoPlayer& operator=(const CDemoPlayer&) = delete;

    // Ends what plays, then plays `play`.
    void Start(Play play);
    // Parallel play from its first mode again, if `generation` is still the
    // play that asked for it.
    void Restart(std::uint64_t generation);
    void Stop();

    std::size_t WorkerCount() const;
    // Workers whose painter has not yet returned.
    std::size_t RunningCount() const;
    std::uint64_t Generation() const;

    std::chrono::milliseconds pacing{1};

private:
    struct Worker {
        std::int32_t modeIndex = -1; // -1: the Sequential worker, never ended by a mode
        std::jthread thread;
    };
    void Launch();
    void AddWorker(std::int32_t modeIndex, std::vector<DemoStart> steps, std::uint64_t generation,
                   std::chrono::milliseconds delay = {});
    void RunSteps(const Play& play, const std::vector<DemoStart>& steps, const Worker* self,
                  std::stop_token stop, std::uint64_t generation);
    void EndWorkers(const Worker* self, std::int32_t below);

    IDemoCanvas& m_canvas;
    IDemoClock& m_clock;
    IDemoPlayObserver& m_observer;
    std::shared_ptr<const Play> m_play;

    mutable std::mutex m_mutex; // guards the workers' stop sources and counts
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::size_t m_running = 0;
    std::uint64_t m_generation = 0;
};

} // namespace lumaro
