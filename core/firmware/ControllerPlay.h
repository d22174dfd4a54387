#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/CompiledEffects.h"
#include "core/firmware/ControllerLimits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// The lamps of each of the twelve ports as "cport.h" lists them: lamp
// numbers from the far end of the chain to the controller.
using PortChains = std::array<std::vector<std::uint32_t>, 12>;

// What the controller plays, as the firmware of the build folder reads it
// ("CPlay.h", types in "PlayTyp.h"): every program group's compiled modes
// one after another, each step one frame, as the demo window's Sequential
// play draws them, with the lamps placed by their chains. Also the
// firmware's costs, so that the speed of the installation is known before
// a build.
class CControllerPlay {
public:
    static constexpr const char* kFileName = "CPlay.h";
    // The build folder's description of the target controller.
    static constexpr const char* kSettingsFile = "Controller.ini";
    // %1 the bytes the frame needs, %2 the on-chip XRAM of the controller.
    static constexpr const char* kFrameTooLargeKey = "CRTBINDLG_ONBINGO_FTL";
    static constexpr const char* kCannotCreateKey = "CRTBINDLG_ONBINGO_CPCF";

    // 8 KiB: the largest on-chip XRAM of the 64 KiB-code 8051s that take a
    // serial boot loader, enough for chains of 170 lamps.
    static constexpr std::size_t kDefaultXram = controller::kDefaultXram;
    // A lamp time: 24 bits, one P1 and one P2 byte each.
    static constexpr std::size_t kBytesPerLampTime = 48;

    enum class Kind : std::uint8_t { ChaseBands = 1, ChaseLamps, FillBands, FillLamps, Fade, Black };

    // One mode as the controller plays it.
    struct Mode {
        std::int32_t group = 0;
        std::int32_t index = 0; // position in the group's compiled list
        std::string type;
        Kind kind = Kind::Black;
        std::uint32_t steps = 0;
        std::uint32_t periodMs = 0;
        std::uint32_t entries = 0;      // bands or lamps of its list
        std::uint64_t slotsPerStep = 0; // slots its busiest step paints
    };

    // Builds the play of every group. `lampCount` is the size of the
    // layout's lamp list: a lamp number at or above it is painted nowhere,
    // as in the preview.
    static CControllerPlay Make(const CCompiledEffects& compiled, std::size_t lampCount,
                                const PortChains& chains);

    // The chains of a "cport.h" text.
    static Result<PortChains> ReadPortTable(std::string_view text);
    // The on-chip XRAM the build folder is set up for ("Controller.ini",
    // [Controller] XRAM); the default when not set.
    static std::size_t ReadXram(const fs::path& buildFolder);

    // The text of "CPlay.h".
    std::string Text(int fileFormat, std::size_t xramBytes) const;
    // Checks the frame against the XRAM and writes buildFolder/"CPlay.h".
    Status Write(const fs::path& buildFolder, int fileFormat, std::size_t xramBytes) const;

    std::size_t LongestChain() const { return m_longest; }
    static std::size_t LongestChain(const PortChains& chains);
    std::size_t FrameBytes() const { return m_longest * kBytesPerLampTime; }
    const std::vector<Mode>& Modes() const { return m_modes; }
    // The modes group g plays, in order.
    std::vector<Mode> GroupModes(int group) const;

    // The firmware's costs at 12 MHz (one machine cycle a microsecond).
    // Shifting a frame out: what the longest chain costs.
    static double FrameMs(std::size_t longestChain);
    double FrameMs() const { return FrameMs(m_longest); }
    // Preparing and showing the busiest step of a mode.
    double StepCostMs(const Mode& mode) const;
    // The modes whose step asks for less time than its frame takes.
    std::vector<Mode> SlowModes() const;

private:
    std::size_t m_longest = 0;
    std::vector<Mode> m_modes;
    // Tables of the text, in firmware order.
    std::vector<std::uint8_t> m_slots;                // 3 bytes a lamp
    std::vector<std::array<std::uint32_t, 2>> m_seqs; // slot offset, count
    std::vector<std::uint32_t> m_bands;               // indices into m_seqs
    std::vector<std::uint8_t> m_colours;              // triples
    struct Record {
        Kind kind = Kind::Black;
        bool falling = false;
        std::uint32_t steps = 0, period = 0, count = 0, list = 0, colours = 0, colour = 0, first = 0;
        std::uint8_t fadeStep = 0;
    };
    std::vector<Record> m_records;                           // parallel to m_modes
    std::array<std::array<std::uint32_t, 3>, 32> m_groups{}; // first, count, rows
};

} // namespace lumaro
