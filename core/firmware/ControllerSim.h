#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/firmware/ControllerPlay.h"
#include "core/preview/DemoCanvas.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// The controller image run on the 8051 simulator s51 (Debian's sdcc-ucsim),
// its port pins read back the way the lamp driver chips clock them in: on a
// rising edge of P0.p the chips of port 2p+1 take P1.p and those of port
// 2p+2 take P2.p; a chip passes what it held to the next one; all latch
// once the clock has been idle for 500 us. The simulator runs as a batch
// file the caller starts (IExternalProcess), so a window stays alive.
class CControllerSim {
public:
    static constexpr const char* kScript = "firmsim.sh";
    static constexpr const char* kPinsFile = "pins.vcd";
    static constexpr const char* kLogFile = "firmsim.log";
    static constexpr double kLatchIdleMs = 0.5;
    // How long the key on P3.2 is held and then left, for each press.
    static constexpr double kPressMs = 250;

    struct Frame {
        double startMs = 0;         // first clock edge
        double endMs = 0;           // last clock edge
        double latchMs = 0;         // when the chips show it
        std::vector<DemoRgb> lamps; // by lamp number; lamps on no port stay black
    };

    // Writes into folder the image without its stamp, the simulator's
    // commands (press the key `presses` times, then run `seconds` of
    // simulated time) and the batch file that runs them.
    static Status Prepare(const fs::path& folder, std::string_view hexImage, double seconds, int presses);

    // The frames of a pin dump; the dump's end latches a last frame only
    // when the clock had been idle long enough by then.
    static std::vector<Frame> Decode(std::string_view vcd, const PortChains& chains, std::size_t lampCount);

    // What a finished run left in folder: the frames, and from the
    // simulator's log when the key was last let go (0 without presses).
    struct Run {
        std::vector<Frame> frames;
        double keyReleasedMs = 0;
    };
    static Result<Run> Read(const fs::path& folder, const PortChains& chains, std::size_t lampCount);

    // The frames group play plays after `fromMs`, matched to its modes in
    // their order (the group starting again after its last mode).
    struct ModeTiming {
        CControllerPlay::Mode mode;
        std::size_t frames = 0;
        double meanPeriodMs = 0; // from each of its frames to the next
    };
    static std::vector<ModeTiming> Timings(const std::vector<Frame>& frames, double fromMs,
                                           const std::vector<CControllerPlay::Mode>& modes);
    // The mean time a frame takes to shift out.
    static double MeanFrameMs(const std::vector<Frame>& frames);
};

} // namespace lumaro
