#pragma once

#include "core/app/ExternalProcess.h"
#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/CompiledEffects.h"
#include "core/firmware/ControllerPlay.h"
#include "core/firmware/ControllerSim.h"
#include "core/layout/Lamp.h"

#include <vector>

namespace lumaro {

// One program group played on the simulated controller: the image built
// from a copy of the build folder in a work folder of its own (the user's
// build folder and its outputs stay untouched, a build of the user's may
// run beside it), then run on s51 for one pass of the group. Both steps run
// as the caller's process, one after the other; the caller polls from its
// event loop, so a window stays alive, and ending the process ends the run.
class CControllerRun {
public:
    static constexpr const char* kEmptyGroupKey = "ID_MSG_DEMO_CPLAY_EMPTY";
    static constexpr const char* kNoPortKey = "ID_MSG_DEMO_CPLAY_NOPORT";
    static constexpr const char* kBuildFailedKey = "ID_MSG_DEMO_CPLAY_BUILD";
    static constexpr const char* kSimFailedKey = "ID_MSG_DEMO_CPLAY_SIM";
    // The image format built: the one whose tables hold the most.
    static constexpr int kFileFormat = 2;
    // A pass longer than this is played only this far, then from the start.
    static constexpr double kLongestSeconds = 120;
    static constexpr double kShortestSeconds = 2;

    struct Setup {
        fs::path buildFolder; // the install's "sys", copied, never written
        fs::path workFolder;  // empty or missing; the caller removes it
        int group = 0;
    };
    enum class Phase { Building, Simulating, Done, Failed };

    explicit CControllerRun(Setup setup);

    // Writes the tables and starts the build. A failure ends the run.
    Status Start(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                 IExternalProcess& process);
    // One round of waiting, given the process Start was given; moves on
    // to the simulator once the build has ended, and reads its frames once
    // that has.
    Phase Poll(IExternalProcess& process);

    Phase State() const { return m_phase; }
    const Status& Failure() const { return m_failure; }
    // Simulated seconds run for the group, from the key's last release.
    double Seconds() const { return m_seconds; }
    double FrameMs() const { return m_frameMs; }
    // Done: the group's frames, latch times counted from the first of them.
    const std::vector<CControllerSim::Frame>& Frames() const { return m_frames; }

    // The presses of the key on P3.2 that reach group g from the start: the
    // key moves on to the next group with rows. -1 when g has no rows.
    static int PressesFor(const CCompiledEffects& compiled, int group);
    // One pass of the group as the controller plays it, within the bounds above.
    static double PassSeconds(const CControllerPlay& play, int group);

private:
    Phase Fail(std::string key, std::string detail);
    fs::path SimFolder() const { return m_setup.workFolder / "run"; }

    Setup m_setup;
    Phase m_phase = Phase::Failed;
    Status m_failure;
    fs::path m_hexFile;
    fs::path m_listFile;
    PortChains m_chains;
    std::size_t m_lampCount = 0;
    int m_presses = 0;
    double m_seconds = 0;
    double m_frameMs = 0;
    std::vector<CControllerSim::Frame> m_frames;
};

} // namespace lumaro
