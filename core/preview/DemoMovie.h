#pragma once

#include "core/app/AtomicFile.h"
#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoGeometry.h"
#include "core/preview/DemoGifWriter.h"
#include "core/preview/DemoMovieWriter.h"
#include "core/preview/DemoTrace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumaro {

// One picture of an exported play: it shows the background with every draw
// of the trace before `drawsEnd` and lasts `delayCs` hundredths of a second
// (the unit of a GIF frame).
struct DemoMovieFrame {
    std::size_t drawsEnd = 0;
    std::int32_t delayCs = 0;

    bool operator==(const DemoMovieFrame&) const = default;
};

// The frames of a play lasting durationMs. A frame begins at a moment of
// drawing and takes in the draws of the next minFrameMs as well, so that no
// frame is shorter than a GIF viewer shows (a draw appears at most
// minFrameMs early); delays are rounded from the play's clock, so that the
// frames never drift from it.
std::vector<DemoMovieFrame> PlanDemoMovie(const std::vector<DemoTraceDraw>& trace, std::int64_t durationMs,
                                          std::int64_t minFrameMs = 20);

// An exported play: an animated GIF (looping) or a video, by the file's
// extension (DemoMovieFormatOf). A GIF's frames begin at draws; each after
// the first stores only the box that changed, with the unchanged pixels
// transparent and its exact colours when they are 255 or fewer; a frame of
// more colours is reduced to 256. A video has options.framesPerSecond.
// `progress` hears the share done (0 to 1) as frames are made and cancels
// by answering false (the result then fails with kCancelledKey).
class CDemoMovie {
public:
    static constexpr const char* kCancelledKey = "DEMOVIEW_ONEXPORT_CANCELLED";
    static constexpr const char* kFailedKey = "DEMOVIEW_ONEXPORT_FAIL";
    // Frames beyond this many pixels are refused rather than allocated.
    static constexpr std::int64_t kMaxPixels = 16'000'000;

    // Plays `modes` as TraceDemo does and writes the movie of it to `path`
    // as it plays, holding neither the draws nor the file's bytes: memory
    // stays bounded whatever the length. `path` is replaced only by a whole
    // movie. `progress` hears the share of the play done and cancels by
    // answering false, as a stop of `trace.cancel` does (kCancelledKey).
    static Status Write(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                        const std::vector<CLamp>& lamps, const DemoTraceOptions& trace,
                        const CDemoFrame& background, const DemoMovieOptions& options, const fs::path& path,
                        const std::function<bool(double)>& progress = {});

    // The writer of `format` into `file`, which the caller opens and, once
    // Finish succeeded, commits.
    static std::unique_ptr<IDemoMovieWriter> WriterFor(DemoMovieFormat format,
                                                       const std::vector<CLamp>& lamps,
                                                       const CDemoFrame& background,
                                                       const DemoMovieOptions& options, CAtomicFile& file);

    // The GIF of `trace` in memory.
    static Result<std::string> EncodeGif(const std::vector<DemoTraceDraw>& trace,
                                         const std::vector<CLamp>& lamps, const CDemoFrame& background,
                                         const DemoMovieOptions& options,
                                         const std::function<bool(double)>& progress = {});
};

} // namespace lumaro
