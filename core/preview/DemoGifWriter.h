#pragma once

#include "core/app/Status.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoGeometry.h"
#include "core/preview/DemoMovieWriter.h"
#include "core/preview/DemoTrace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace lumaro {

// Where the frames of an exported play begin, as its draws come in time
// order: a frame begins at a moment of drawing and takes in the draws of
// the next minFrameMs as well, so that no frame is shorter than a GIF
// viewer shows; delays are rounded from the play's clock, so that the
// frames never drift from it. The first frame begins at 0.
class CDemoFramePlan {
public:
    CDemoFramePlan(std::int64_t durationMs, std::int64_t minFrameMs);
    // A draw at ms: the delay (hundredths of a second) of the frame it
    // closes when it begins the next one.
    std::optional<std::int64_t> Next(std::int64_t ms);
    // The delay of the last frame, which lasts to the end of the play.
    std::int64_t LastDelay() const;

private:
    std::int64_t m_durationMs;
    std::int64_t m_minFrameMs;
    std::int64_t m_start = 0;
};

// An animated GIF (looping) of a play's draws over `background` (which
// gives the size), made as the draws come, in the order of the trace: it
// holds two pictures and one frame, never the draws, and hands the bytes to
// `out` as the encoder makes them (answering false fails the writing).
// Frames are planned as PlanDemoMovie plans them; each frame after the first
// stores only the box that changed, with the unchanged pixels transparent
// and its exact colours when they are 255 or fewer; a frame of more colours
// is reduced to 256.
class CDemoGifWriter : public IDemoMovieWriter {
public:
    static constexpr const char* kFailedKey = "DEMOVIEW_ONEXPORT_FAIL";
    // Frames beyond this many pixels are refused rather than allocated.
    static constexpr std::int64_t kMaxPixels = 16'000'000;

    CDemoGifWriter(const std::vector<CLamp>& lamps, const CDemoFrame& background,
                   const DemoMovieOptions& options, std::function<bool(std::string_view)> out);
    ~CDemoGifWriter() override;
    CDemoGifWriter(const CDemoGifWriter&) = delete;
    CDemoGifWriter& operator=(const CDemoGifWriter&) = delete;

    Status Begin() override;
    Status Add(const DemoTraceDraw& draw) override;
    // A GIF frame begins only at a draw.
    Status Advance(std::int64_t) override { return Status::Ok(); }
    Status Finish() override;
    std::size_t Frames() const override { return m_frames; }

private:
    struct State;
    Status PutFrame(std::int64_t delayCs);
    CDemoFramePlan m_plan;

    const std::vector<CLamp>& m_lamps;
    const CDemoFrame& m_background;
    DemoMovieOptions m_options;
    std::function<bool(std::string_view)> m_out;
    std::unique_ptr<State> m_state;
    std::size_t m_frames = 0;
};

} // namespace lumaro
