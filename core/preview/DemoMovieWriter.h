#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoGeometry.h"
#include "core/preview/DemoTrace.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumaro {

struct DemoMovieOptions {
    CDemoGeometry geometry;
    DemoShape shape = DemoShape::Rectangle;
    std::int64_t durationMs = 0;
    // A GIF frame begins at a draw and lasts at least this long.
    std::int64_t minFrameMs = 20;
    // A video's constant rate: each frame shows the play at its own time.
    std::int32_t framesPerSecond = 25;
};

// What an exported play is written as, by the file's extension.
enum class DemoMovieFormat { Gif, Mp4, WebM };

// .mp4 and .webm (in any case) are videos; everything else is a GIF, as the
// export always wrote.
DemoMovieFormat DemoMovieFormatOf(const fs::path& path);

// The picture `frame` after `draw` as the exported play shows it: the
// lamp's cell painted, or the background back when the play starts again.
// False when the draw changed nothing (a lamp the list does not have).
bool DrawDemoMovieDraw(CDemoFrame& frame, const CDemoFrame& background, const std::vector<CLamp>& lamps,
                       const DemoMovieOptions& options, const DemoTraceDraw& draw);

// Makes a movie of a play's draws as they come in time order, holding a
// frame or two and never the draws.
class IDemoMovieWriter {
public:
    virtual ~IDemoMovieWriter() = default;

    virtual Status Begin() = 0;
    // Draws at or after the duration are left out.
    virtual Status Add(const DemoTraceDraw& draw) = 0;
    // The play has reached ms with nothing drawn since the last draw: a
    // video makes the frames due so far, so that a still end of the play
    // can be reported and cancelled as it is made.
    virtual Status Advance(std::int64_t ms) = 0;
    virtual Status Finish() = 0;
    // Frames made or planned so far.
    virtual std::size_t Frames() const = 0;
};

} // namespace lumaro
