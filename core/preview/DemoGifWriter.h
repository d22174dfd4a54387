#pragma once

#include "core/app/Status.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoGeometry.h"
#include "core/preview/DemoTrace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace lumaro {

struct DemoMovieOptions {
    CDemoGeometry geometry;
    DemoShape shape = DemoShape::Rectangle;
    std::int64_t durationMs = 0;
    std::int64_t minFrameMs = 20;
};

// An animated GIF (looping) of a play's draws over `background` (which
// gives the size), made as the draws come, in the order of the trace: it
// holds two pictures and one frame, never the draws, and hands the bytes to
// `out` as the encoder makes them (answering false fails the writing).
// Frames are planned as PlanDemoMovie plans them; each frame after the first
// stores only the box that changed, with the unchanged pixels transparent
// and its exact colours when they are 255 or fewer; a frame of more colours
// is reduced to 256.
class CDemoGifWriter {
public:
    static constexpr const char* kFailedKey = "DEMOVIEW_ONEXPORT_FAIL";
    // Frames beyond this many pixels are refused rather than allocated.
    static constexpr std::int64_t kMaxPixels = 16'000'000;

    CDemoGifWriter(const std::vector<CLamp>& lamps, const CDemoFrame& background, const DemoMovieOptions& options,
                   std::function<bool(std::string_view)> out);
    ~CDemoGifWriter();
    CDemoGifWriter(const CDemoGifWriter&) = delete;
    CDemoGifWriter& operator=(const CDemoGifWriter&) = delete;

    Status Begin();
    // Draws at or after the duration are left out.
    Status Add(const DemoTraceDraw& draw);
    Status Finish();
    // Frames planned so far.
    std::size_t Frames() const { return m_frames; }

private:
    struct State;
    Status PutFrame(std::int64_t delayCs);

    const std::vector<CLamp>& m_lamps;
    const CDemoFrame& m_background;
    DemoMovieOptions m_options;
    std::function<bool(std::string_view)> m_out;
    std::unique_ptr<State> m_state;
    std::size_t m_frames = 0;
};

} // namespace lumaro
