#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumaro {

// How the preview moves colours over a compiled mode, by its class code.
enum class PreviewMotion { None, BandChase, LampChase, BandFill, LampFill, Fade };
PreviewMotion PreviewMotionOf(int classCode);

// A catalogue type played on a small layout of its own, for the preview box
// of the mode list page. The layout suits the way the type orders its lamps
// (a block for columns, rows, diagonals, frames and kernels, a square for
// rings and circular areas, a short text for the text modes); the sample
// record is compiled by "Creat Data" like any mode, and the run walks what
// the compiler made of it: chases move the colours by one band or lamp a
// frame, fills light one more a frame, fades ramp from the first colour to
// the second. The demo's painters keep the real timing; a preview only has
// to show what the family does.
class CModePreviewSample {
public:
    static constexpr std::int32_t kUnlit = -1;

    explicit CModePreviewSample(std::string_view type);

    const std::vector<CLamp>& Lamps() const { return m_lamps; }
    const CModeItem& Record() const { return m_record; }
    const CCompiledEffects& Compiled() const { return m_compiled; }

    // Frames of one run, which the preview repeats; 0 for a type that
    // lights nothing on its own (the special modes, the custom mode, a name
    // outside the catalogue).
    std::size_t FrameCount() const { return m_frameCount; }
    int FrameMilliseconds() const;
    // Colour of every lamp as 0xRRGGBB or kUnlit, indexed by lamp number, in
    // frame n of the run (n wraps).
    std::vector<std::int32_t> Frame(std::size_t n) const;

private:
    // One compiled record: the lamps of each band (one lamp each for a lamp
    // order) and how its colours move over them.
    struct Track {
        PreviewMotion motion = PreviewMotion::None;
        int code = 0;
        std::vector<UIntArray> units;
        std::vector<std::int32_t> colours;
        std::size_t frames = 0;
    };
    void AddTrack(const CModeItem& compiled);
    void Paint(const Track& track, std::size_t frame, std::vector<std::int32_t>& lamps) const;

    std::vector<CLamp> m_lamps;
    CModeItem m_record;
    CCompiledEffects m_compiled;
    std::vector<Track> m_tracks;
    std::size_t m_frameCount = 0;
};

} // namespace lumaro
