#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoCanvas.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

namespace lumaro {

enum class DemoOrder { Sequential, Parallel, Partial };

// When each mode of a play begins, as the demo view schedules it.
struct DemoStart {
    std::int32_t modeIndex = 0;
    std::int32_t startDelay = 0; // tenths of a second; 0 in Sequential play

    bool operator==(const DemoStart&) const = default;
};

// The modes a play takes up, in order: Sequential every mode without its
// start delay (each after the one before has ended); Parallel every mode,
// mode i waiting 20 + the hold times of the modes before it; Partial the
// same over first..last (the last limited to the last mode), the hold times
// counted from `first`.
std::vector<DemoStart> DemoStarts(const std::vector<CModeItem>& modes, DemoOrder order,
                                  std::int32_t first = 0, std::int32_t last = 0);

struct DemoTraceOptions {
    DemoOrder order = DemoOrder::Parallel;
    std::int32_t first = 0;      // Partial only: the inclusive range of modes
    std::int32_t last = 0;       // (limited to the last mode)
    std::int64_t durationMs = 0; // nothing is drawn at or after it
    DemoShape shape = DemoShape::Rectangle;
    std::size_t drawLimitPerMode = 1'000'000; // ends a mode that draws more
    std::stop_token cancel{};                 // a stop request ends the trace early
};

// The mode and lamp of a trace entry that is no draw: the play starts again
// from its first mode on a picture without lamps.
inline constexpr std::int32_t kDemoRestart = -1;

// One lamp draw of a traced play; `ms` counts from the start of the play
// and `modeIndex` is the mode's position in the list played.
struct DemoTraceDraw {
    std::int64_t ms = 0;
    std::int32_t modeIndex = 0;
    std::int32_t lamp = 0;
    DemoRgb colour;

    bool operator==(const DemoTraceDraw&) const = default;
};

// Plays `modes` as the demo view would, on a virtual clock, and returns every
// lamp draw ordered by time and, at equal times, by mode index (a mode's own
// draws keep their order).
//   Sequential: each mode without its start delay, the next starting when
//     the previous ends.
//   Parallel: mode i waits 20 + the hold times of the modes before it, in
//     tenths of a second; all play at once.
//   Partial: Parallel over first..last, the delays counted from `first`.
// A mode that ends the modes before it (codes 253, 254) drops, after its own
// end, the draws of the modes before its place in the play. A mode that
// restarts the parallel play (255) starts it again at that moment in
// Parallel play, as the demo view does: an entry of kDemoRestart, then the
// first pass again, until the duration; in Sequential and Partial play it
// does nothing.
// A mode that draws `drawLimitPerMode` times is ended there.
std::vector<DemoTraceDraw> TraceDemo(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                                     const std::vector<CLamp>& lamps, const DemoTraceOptions& options);

// TraceDemo's draws handed to `sink` one by one, in the same order, without
// being held: each painter runs on a thread of its own at most a few
// thousand draws ahead of the sink, so a play of any length and density
// takes bounded memory. `sink` is called on the calling thread.
void StreamDemo(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                const std::vector<CLamp>& lamps, const DemoTraceOptions& options,
                const std::function<void(const DemoTraceDraw&)>& sink);

} // namespace lumaro
