#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumaro {

// A catalogue type played on a small layout of its own, for the preview box
// of the mode list page. The layout suits the way the type orders its lamps
// (a block for columns, rows, diagonals, frames and kernels, a square for
// rings and circular areas, a short text for the text modes); the sample
// record is compiled by "Creat Data" like any mode and played by the demo's
// own painters in Parallel play, as the demo window plays a group, so that
// the box shows what the demo window will show. The run is sampled once a
// frame time from its first draw, up to kMaxRunMs.
class CModePreviewSample {
public:
    static constexpr std::int32_t kUnlit = -1;
    static constexpr std::int64_t kMaxRunMs = 20'000;

    explicit CModePreviewSample(std::string_view type);

    const std::vector<CLamp>& Lamps() const { return m_lamps; }
    const CModeItem& Record() const { return m_record; }
    const CCompiledEffects& Compiled() const { return m_compiled; }

    // Frames of one run, which the preview repeats; 0 for a type that
    // lights nothing on its own (the special modes, the custom mode, a name
    // outside the catalogue).
    std::size_t FrameCount() const { return m_frames.size(); }
    int FrameMilliseconds() const;
    // Colour of every lamp as 0xRRGGBB or kUnlit, indexed by lamp number, in
    // frame n of the run (n wraps).
    std::vector<std::int32_t> Frame(std::size_t n) const;

private:
    std::vector<CLamp> m_lamps;
    CModeItem m_record;
    CCompiledEffects m_compiled;
    // Every frame's colours, indexed by lamp number.
    std::vector<std::vector<std::int32_t>> m_frames;
};

} // namespace lumaro
