#include "core/preview/DemoTrace.h"

#include "core/preview/DemoPainter.h"
#include "core/preview/RecordingDemoCanvas.h"
#include "core/preview/VirtualDemoClock.h"

#include <algorithm>
#include <limits>
#include <stop_token>

namespace lumaro {

namespace {

constexpr std::int32_t kParallelBaseDelay = 20; // tenths of a second

struct ModeRun {
    std::int32_t index = 0;
    std::int64_t endMs = 0; // when its painter returned
    CDemoPainter::Result result;
    std::vector<DemoStampedDraw> draws;
};

ModeRun PlayOne(const CModeItem& mode, std::int32_t index, std::int64_t startMs,
                const CCompiledEffects& tables, const std::vector<CLamp>& lamps,
                const DemoTraceOptions& options)
{
    std::stop_source stop;
    // A cancel ends the painter at its next draw or wait, from any thread.
    const std::stop_callback cancelled(options.cancel, [&stop] { stop.request_stop(); });
    CVirtualDemoClock clock(startMs);
    clock.StopAt(options.durationMs, stop);
    CRecordingDemoCanvas canvas(clock, options.drawLimitPerMode, stop);
    CDemoPainter painter(canvas, clock, tables, lamps, options.shape);
    ModeRun run;
    run.index = index;
    // A play that begins at the end of the trace draws nothing.
    if (startMs >= options.durationMs)
        run.result.stopped = true;
    else
        run.result = painter.Play(mode, stop.get_token());
    run.endMs = clock.Now();
    run.draws = std::move(canvas.draws);
    return run;
}

std::vector<ModeRun> PlaySequential(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                                    const std::vector<CLamp>& lamps, const DemoTraceOptions& options)
{
    std::vector<ModeRun> runs;
    std::int64_t start = 0;
    for (const DemoStart& s : DemoStarts(modes, DemoOrder::Sequential)) {
        if (start >= options.durationMs)
            break;
        CModeItem mode = modes[static_cast<std::size_t>(s.modeIndex)];
        mode.sceneEffect = s.startDelay;
        runs.push_back(PlayOne(mode, s.modeIndex, start, tables, lamps, options));
        start = runs.back().endMs;
    }
    return runs;
}

// Parallel and Partial: every mode from time 0, each after its start delay.
std::vector<ModeRun> PlayAtOnce(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                                const std::vector<CLamp>& lamps, const DemoTraceOptions& options)
{
    std::vector<ModeRun> runs;
    for (const DemoStart& s : DemoStarts(modes, options.order, options.first, options.last)) {
        CModeItem mode = modes[static_cast<std::size_t>(s.modeIndex)];
        mode.sceneEffect = s.startDelay;
        runs.push_back(PlayOne(mode, s.modeIndex, 0, tables, lamps, options));
    }
    return runs;
}

} // namespace

std::vector<DemoStart> DemoStarts(const std::vector<CModeItem>& modes, DemoOrder order, std::int32_t first,
                                  std::int32_t last)
{
    const auto count = static_cast<std::int32_t>(modes.size());
    std::vector<DemoStart> starts;
    if (order == DemoOrder::Sequential) {
        for (std::int32_t i = 0; i < count; ++i)
            starts.push_back({i, 0});
        return starts;
    }
    if (order == DemoOrder::Parallel) {
        first = 0;
        last = count - 1;
    }
    std::int64_t held = 0;
    for (std::int32_t i = std::max(first, 0); i <= std::min(last, count - 1); ++i) {
        starts.push_back({i, static_cast<std::int32_t>(std::clamp<std::int64_t>(
                                 kParallelBaseDelay + held, 0, std::numeric_limits<std::int32_t>::max()))});
        held += modes[static_cast<std::size_t>(i)].holdTime;
    }
    return starts;
}

std::vector<DemoTraceDraw> TraceDemo(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                                     const std::vector<CLamp>& lamps, const DemoTraceOptions& options)
{
    const std::vector<ModeRun> runs = options.order == DemoOrder::Sequential
                                          ? PlaySequential(modes, tables, lamps, options)
                                          : PlayAtOnce(modes, tables, lamps, options);

    // Each mode's draws count until the mode is ended from outside, the
    // play restarts or the duration is over.
    constexpr auto kNever = std::numeric_limits<std::int64_t>::max();
    std::vector<std::int64_t> endedAt(runs.size(), kNever);
    std::int64_t restartAt = kNever;
    std::vector<const ModeRun*> requests;
    for (const ModeRun& run : runs)
        if (!run.result.stopped && run.result.request != CDemoPainter::Request::None)
            requests.push_back(&run);
    std::ranges::stable_sort(requests, {}, [](const ModeRun* r) { return r->endMs; });
    for (const ModeRun* request : requests) {
        const ModeRun& run = *request;
        const std::size_t self = static_cast<std::size_t>(&run - runs.data());
        // A mode ended before its request was due never makes it.
        if (run.endMs > endedAt[self] || run.endMs > restartAt)
            continue;
        if (run.result.request == CDemoPainter::Request::EndModesBefore) {
            // By place in the play: a program group's special mode carries
            // its place in the whole compiled list.
            for (std::size_t k = 0; k < runs.size(); ++k)
                if (runs[k].index < run.index && k != self)
                    endedAt[k] = std::min(endedAt[k], run.endMs);
        } else if (options.order == DemoOrder::Parallel) {
            restartAt = std::min(restartAt, run.endMs);
        }
    }

    std::vector<DemoTraceDraw> trace;
    for (std::size_t k = 0; k < runs.size(); ++k)
        for (const DemoStampedDraw& d : runs[k].draws)
            if (d.ms < options.durationMs && d.ms <= endedAt[k] && d.ms <= restartAt)
                trace.push_back({d.ms, runs[k].index, d.lamp, d.colour});
    std::ranges::stable_sort(trace, [](const DemoTraceDraw& a, const DemoTraceDraw& b) {
        return a.ms != b.ms ? a.ms < b.ms : a.modeIndex < b.modeIndex;
    });
    if (restartAt == kNever || restartAt <= 0)
        return trace;

    // The window clears its lamps and plays the list again from its first
    // mode, for as long as the play runs: every pass is the first one again.
    const std::size_t pass = trace.size();
    for (std::int64_t offset = restartAt; offset < options.durationMs; offset += restartAt) {
        trace.push_back({offset, kDemoRestart, kDemoRestart, {}});
        for (std::size_t i = 0; i < pass && trace[i].ms + offset < options.durationMs; ++i) {
            DemoTraceDraw d = trace[i];
            d.ms += offset;
            trace.push_back(d);
        }
    }
    return trace;
}

} // namespace lumaro
