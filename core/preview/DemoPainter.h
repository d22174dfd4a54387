#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"
#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoClock.h"

#include <cstdint>
#include <stop_token>
#include <vector>

namespace lumaro {

// Plays one compiled mode on the demo window: waits its start delay
// (`sceneEffect` tenths of a second), then lights its band list or lamp
// order step by step in its colours with its timing. The class code
// (`layer`) picks the painter:
//   1-4   band chase: every step paints all bands, the colours moving by one
//         band a step (2, 3 toward the end of the list, 1, 4 toward its
//         start; 3 and 4 take their colours counted back from the end);
//   5, 6  lamp chase: the same over the lamps of a lamp order;
//   7, 8  band fill and 9, 10 lamp fill: one more band or lamp a step, all
//         left lit;
//   0     fade: the whole lamp order from the mode's own first colour toward
//         its second;
//   253-255 the special modes, which paint (254 only) and then ask the
//         player to end or restart other modes (Result::request).
// The chase and fade waits subtract a drawing allowance so that large
// layouts keep the mode's step time. A stop request ends the play before the next drawing
// operation or during any wait. One painter runs one mode on one thread;
// the inputs are read only and must outlive Play.
class CDemoPainter {
public:
    enum class Request {
        None,
        EndModesBefore, // end the modes placed before it in the play
        RestartParallel // only in running Parallel play: end every mode but
                        // modeIndex and play the list again from its first mode
    };
    struct Result {
        bool stopped = false;
        Request request = Request::None;
        std::int32_t modeIndex = 0; // the special mode's own position (its `loop`)

        bool operator==(const Result&) const = default;
    };

    // `tables` gives the colour-list, lamp-sequence and band tables; its
    // modes are not read. `lamps` is indexed by lamp number.
    CDemoPainter(IDemoCanvas& canvas, IDemoClock& clock, const CCompiledEffects& tables,
                 const std::vector<CLamp>& lamps, DemoShape shape);
    CDemoPainter(const CDemoPainter&) = delete;
    CDemoPainter& operator=(const CDemoPainter&) = delete;

    Result Play(const CModeItem& mode, std::stop_token stop);

private:
    bool BandChase(const CModeItem& mode, int code);
    bool LampChase(const CModeItem& mode, int code);
    bool BandFill(const CModeItem& mode, int code);
    bool LampFill(const CModeItem& mode, int code);
    bool Fade(const CModeItem& mode);
    Result Special(const CModeItem& mode, int code);

    // Each is false once a stop was requested; then nothing more is drawn.
    bool DrawLamp(std::uint32_t lampNumber, DemoRgb colour);
    bool DrawLamps(const UIntArray& order, DemoRgb colour, std::int64_t& drawn);
    bool Sleep(std::int64_t ms);

    const UIntArray& Colours(const CModeItem& mode) const;
    const UIntArray& LampOrder(std::int32_t index) const;
    const UIntArray& BandList(std::int32_t index) const;

    IDemoCanvas& m_canvas;
    IDemoClock& m_clock;
    const CCompiledEffects& m_tables;
    const std::vector<CLamp>& m_lamps;
    DemoShape m_shape;
    std::stop_token m_stop;
};

} // namespace lumaro
