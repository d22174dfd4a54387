#include "core/firmware/ControllerRun.h"

#include "core/firmware/FirmwareBuild.h"
#include "core/layout/PortTable.h"

#include <algorithm>

namespace lumaro {

CControllerRun::CControllerRun(Setup setup) : m_setup(std::move(setup)) {}

int CControllerRun::PressesFor(const CCompiledEffects& compiled, int group)
{
    if (group < 0 || static_cast<std::size_t>(group) >= compiled.programGroups.size() ||
        compiled.programGroups[static_cast<std::size_t>(group)].empty())
        return -1;
    // The firmware starts at group 0 when it has rows, else at the first that has.
    int first = 0;
    while (static_cast<std::size_t>(first) < compiled.programGroups.size() &&
           compiled.programGroups[static_cast<std::size_t>(first)].empty())
        ++first;
    int presses = 0;
    for (int g = first; g < group; ++g)
        presses += compiled.programGroups[static_cast<std::size_t>(g)].empty() ? 0 : 1;
    return presses;
}

double CControllerRun::PassSeconds(const CControllerPlay& play, int group)
{
    double ms = play.FrameMs();
    for (const CControllerPlay::Mode& mode : play.GroupModes(group))
        ms += static_cast<double>(mode.steps) *
              std::max(static_cast<double>(mode.periodMs), play.StepCostMs(mode));
    return std::clamp(ms / 1000, kShortestSeconds, kLongestSeconds);
}

CControllerRun::Phase CControllerRun::Fail(std::string key, std::string detail)
{
    m_failure = Status::Fail(std::move(key), std::move(detail));
    m_frames.clear();
    return m_phase = Phase::Failed;
}

Status CControllerRun::Start(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                             IExternalProcess& process)
{
    m_failure = {};
    m_frames.clear();
    m_presses = PressesFor(compiled, m_setup.group);
    if (m_presses < 0) {
        Fail(kEmptyGroupKey, {});
        return m_failure;
    }

    const fs::path sys = m_setup.workFolder / "sys";
    std::error_code ec;
    fs::create_directories(sys, ec);
    if (!ec)
        fs::copy(m_setup.buildFolder, sys, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
                 ec);
    if (ec) {
        Fail(kBuildFailedKey, "cannot copy " + m_setup.buildFolder.string() + ": " + ec.message());
        return m_failure;
    }
    const std::string portText = CPortTable::Text(lamps);
    if (const Status written = WriteFileAtomic(m_setup.workFolder / CPortTable::kFileName, portText);
        !written) {
        Fail(kBuildFailedKey, written.detail);
        return m_failure;
    }
    const auto chains = CControllerPlay::ReadPortTable(portText);
    if (!chains) {
        Fail(kBuildFailedKey, chains.status().detail);
        return m_failure;
    }
    m_chains = chains.value();
    // A controller with nothing on its ports shifts nothing out.
    if (std::none_of(m_chains.begin(), m_chains.end(), [&](const auto& chain) {
            return std::any_of(chain.begin(), chain.end(),
                               [&](std::uint32_t lamp) { return lamp < lamps.size(); });
        })) {
        Fail(kNoPortKey, {});
        return m_failure;
    }
    m_lampCount = lamps.size();
    const CControllerPlay play = CControllerPlay::Make(compiled, m_lampCount, m_chains);
    m_seconds = PassSeconds(play, m_setup.group);
    m_frameMs = play.FrameMs();

    CFirmwareBuild::Setup setup;
    setup.fileFormat = kFileFormat;
    setup.buildFolder = sys;
    setup.currentFolder = m_setup.workFolder;
    setup.title = "play.led";
    setup.lampCount = m_lampCount;
    CFirmwareBuild build(setup);
    m_hexFile = build.HexFile();
    m_listFile = build.ListFile();
    // A table over its limit only warns the user of Create BIN File; here
    // the image decides.
    if (const Status started = build.Start(compiled, process); !started) {
        m_failure = started;
        m_phase = Phase::Failed;
        return m_failure;
    }
    m_phase = Phase::Building;
    return Status::Ok();
}

CControllerRun::Phase CControllerRun::Poll(IExternalProcess& process)
{
    if (m_phase == Phase::Building) {
        if (process.Running())
            return m_phase;
        const auto hex = ReadFileBytes(m_hexFile);
        if (!hex) {
            const auto list = ReadFileBytes(m_listFile);
            return Fail(kBuildFailedKey, list ? list.value() : hex.status().detail);
        }
        std::error_code ec;
        fs::create_directories(SimFolder(), ec);
        if (const Status prepared = CControllerSim::Prepare(SimFolder(), hex.value(), m_seconds, m_presses);
            !prepared)
            return Fail(kSimFailedKey, prepared.detail);
        if (!process.Start(SimFolder() / CControllerSim::kScript, SimFolder()))
            return Fail(kSimFailedKey, "cannot run the simulator s51");
        return m_phase = Phase::Simulating;
    }
    if (m_phase == Phase::Simulating) {
        if (process.Running())
            return m_phase;
        auto run = CControllerSim::Read(SimFolder(), m_chains, m_lampCount);
        if (!run) {
            const auto log = ReadFileBytes(SimFolder() / CControllerSim::kLogFile);
            return Fail(kSimFailedKey, log ? log.value() : run.status().detail);
        }
        const double from = run->keyReleasedMs;
        for (CControllerSim::Frame& frame : run->frames)
            if (frame.latchMs >= from)
                m_frames.push_back(std::move(frame));
        if (m_frames.empty())
            return Fail(kSimFailedKey, "the controller showed no frame");
        const double first = m_frames.front().latchMs;
        for (CControllerSim::Frame& frame : m_frames) {
            frame.startMs -= first;
            frame.endMs -= first;
            frame.latchMs -= first;
        }
        return m_phase = Phase::Done;
    }
    return m_phase;
}

} // namespace lumaro
