#pragma once

#include "core/app/AtomicFile.h"
#include "core/app/Status.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoMovieWriter.h"
#include "core/preview/DemoTrace.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumaro {

// A video of a play's draws over `background` (which gives the size), made
// as the draws come, in the order of the trace, at the constant rate of
// options.framesPerSecond: frame k shows every draw up to k / rate seconds,
// so the video keeps the play's clock whatever the painters' steps. MP4
// holds H.264 (libx264), WebM holds VP9 (libvpx-vp9), both 4:2:0, through
// FFmpeg's libraries. The container goes into `file` (opened by the caller,
// who commits it once Finish succeeded); besides the encoder's own frames
// only the picture being drawn is held.
class CDemoVideoWriter : public IDemoMovieWriter {
public:
    static constexpr const char* kFailedKey = "DEMOVIEW_ONEXPORT_FAIL";
    // %1 × %2 the size refused, %3 the longest side a video may have.
    static constexpr const char* kSizeKey = "DEMOVIEW_ONEXPORT_VIDEO_SIZE";
    // %1 the encoder this system's FFmpeg lacks.
    static constexpr const char* kNoEncoderKey = "DEMOVIEW_ONEXPORT_NO_ENCODER";
    // 4:2:0 halves the colour planes: both sides must be even.
    static constexpr std::int32_t kMaxSide = 4096;

    // `format` is Mp4 or WebM.
    CDemoVideoWriter(const std::vector<CLamp>& lamps, const CDemoFrame& background,
                     const DemoMovieOptions& options, DemoMovieFormat format, CAtomicFile& file);
    ~CDemoVideoWriter() override;
    CDemoVideoWriter(const CDemoVideoWriter&) = delete;
    CDemoVideoWriter& operator=(const CDemoVideoWriter&) = delete;

    Status Begin() override;
    Status Add(const DemoTraceDraw& draw) override;
    Status Advance(std::int64_t ms) override;
    Status Finish() override;
    std::size_t Frames() const override { return static_cast<std::size_t>(m_next); }

private:
    struct State;
    // Encodes every frame due before ms.
    Status EncodeUntil(std::int64_t ms);
    Status EncodeFrame();
    Status Drain();

    const std::vector<CLamp>& m_lamps;
    const CDemoFrame& m_background;
    DemoMovieOptions m_options;
    DemoMovieFormat m_format;
    CAtomicFile& m_file;
    std::unique_ptr<State> m_state;
    std::int64_t m_next = 0;  // the frame encoded next
    std::int64_t m_total = 0; // frames of the whole play
};

} // namespace lumaro
