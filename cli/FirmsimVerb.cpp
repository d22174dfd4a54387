#include "cli/ChildProcess.h"
#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/app/FileSystem.h"
#include "core/effects/EffectCompiler.h"
#include "core/firmware/ControllerPlay.h"
#include "core/firmware/ControllerRun.h"
#include "core/firmware/ControllerSim.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"

#include <chrono>
#include <cstdio>
#include <ostream>
#include <random>
#include <thread>

namespace lumaro::cli {

namespace {

const VerbOption kFirmsimOptions[] = {
    {.name = "--seconds", .valueName = "N"},
    {.name = "--program", .valueName = "G"},
    {.name = "--trace", .valueName = "FILE"},
};

int Usage(CliIo& io, std::string_view message)
{
    io.err << kFirmsimVerb.name << ": " << message << '\n' << UsageLine(kFirmsimVerb) << '\n';
    return kExitUsage;
}

std::string Ms(double ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ms);
    return text;
}

// A folder of its own for one run, removed afterwards.
struct RunFolder {
    fs::path path;
    RunFolder()
    {
        std::random_device seed;
        path = fs::temp_directory_path() / ("lumaro-firmsim-" + std::to_string(seed()));
        fs::create_directories(path);
    }
    ~RunFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

int RunFirmsim(const VerbArgs& args, CliIo& io)
{
    double seconds = 10;
    if (const std::string& s = args.Option("--seconds"); !s.empty()) {
        const auto v = ParseReal(s);
        if (!v || *v <= 0 || *v > 3600)
            return Usage(io, "--seconds wants a number of seconds, above 0 and up to 3600");
        seconds = *v;
    }
    int program = 0;
    if (const std::string& s = args.Option("--program"); !s.empty()) {
        const auto v = ParseInteger(s);
        if (!v || *v < 0 || *v > 31)
            return Usage(io, "--program wants a program group 0 to 31");
        program = static_cast<int>(*v);
    }
    const auto image = ReadFileBytes(args.operands[0]);
    if (!image)
        return ReportFailure(io, kFirmsimVerb, image.status().detail);
    const auto doc = CLayoutFile::Load(args.operands[1]);
    if (!doc)
        return ReportFailure(io, kFirmsimVerb, doc.status().detail);

    const auto chains = CControllerPlay::ReadPortTable(CPortTable::Text(doc->lamps));
    if (!chains)
        return ReportFailure(io, kFirmsimVerb, chains.status().detail);
    const CCompiledEffects compiled = CompileEffects(doc.value());
    const CControllerPlay play = CControllerPlay::Make(compiled, doc->lamps.size(), chains.value());

    // Without --program the controller plays what it starts with.
    const int presses = program > 0 ? CControllerRun::PressesFor(compiled, program) : 0;
    if (presses < 0)
        return ReportFailure(io, kFirmsimVerb, "program group " + std::to_string(program) + " has no modes");

    RunFolder folder;
    if (const Status s = CControllerSim::Prepare(folder.path, image.value(), seconds, presses); !s)
        return ReportFailure(io, kFirmsimVerb, s.detail);
    CChildProcess sim;
    if (!sim.Start(folder.path / CControllerSim::kScript, folder.path))
        return ReportFailure(io, kFirmsimVerb, "cannot run the simulator s51 (Debian's sdcc-ucsim)");
    const auto began = std::chrono::steady_clock::now();
    while (sim.Running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto waited = std::chrono::steady_clock::now() - began;
        if (waited > std::chrono::seconds(2) &&
            waited % std::chrono::seconds(2) < std::chrono::milliseconds(50))
            io.err << "\rsimulating " << Ms(seconds * 1000) << " ms" << std::flush;
    }
    if (sim.ExitStatus() != 0) {
        const auto log = ReadFileBytes(folder.path / CControllerSim::kLogFile);
        return ReportFailure(io, kFirmsimVerb, "the simulator s51 failed" + (log ? ": " + log.value() : ""));
    }
    const auto run = CControllerSim::Read(folder.path, chains.value(), doc->lamps.size());
    if (!run)
        return ReportFailure(io, kFirmsimVerb, "the simulator left no pin dump: " + run.status().detail);
    if (const std::string& trace = args.Option("--trace"); !trace.empty()) {
        std::error_code ec;
        if (!fs::copy_file(folder.path / CControllerSim::kPinsFile, trace,
                           fs::copy_options::overwrite_existing, ec))
            return ReportFailure(io, kFirmsimVerb, "cannot write " + trace + ": " + ec.message());
    }

    const double from = run->keyReleasedMs;
    const double until = from + seconds * 1000;
    std::vector<CControllerSim::Frame> frames;
    for (const auto& f : run->frames)
        if (f.latchMs >= from && f.latchMs <= until)
            frames.push_back(f);
    std::vector<DemoRgb> before(doc->lamps.size());
    for (const auto& f : frames) {
        for (std::size_t lamp = 0; lamp < f.lamps.size(); ++lamp)
            if (!(f.lamps[lamp] == before[lamp]))
                io.out << Ms(f.latchMs) << ' ' << lamp << ' ' << int{f.lamps[lamp].red} << ' '
                       << int{f.lamps[lamp].green} << ' ' << int{f.lamps[lamp].blue} << '\n';
        before = f.lamps;
    }
    io.out << "frames " << frames.size() << ", frame time " << Ms(CControllerSim::MeanFrameMs(frames))
           << " ms (formula " << Ms(play.FrameMs()) << " ms), frame memory " << play.FrameBytes()
           << " bytes\n";
    for (const auto& t : CControllerSim::Timings(frames, from, play.GroupModes(program)))
        io.out << "mode " << t.mode.index << ' ' << t.mode.type << ": " << t.frames << " frames, step "
               << t.mode.periodMs << " ms asked, " << Ms(t.meanPeriodMs) << " ms played\n";
    return kExitOk;
}

} // namespace

const Verb kFirmsimVerb{
    .name = "firmsim",
    .summary = "run a controller image on the simulated 8051 and print the lamps it shows",
    .operands = "IMAGE LAYOUT",
    .help = "Runs IMAGE (a HEX file made by build, stamp allowed) in the 8051 simulator\n"
            "s51 (Debian's sdcc-ucsim) at 12 MHz and reads the port pins back as the lamp\n"
            "driver chips clock them in, with the chains of LAYOUT. For every frame it\n"
            "prints the lamps that changed, \"<ms> <lamp> <r> <g> <b>\" (ms of simulated\n"
            "time), then the frame count, the time a frame takes to shift out and, for each\n"
            "mode of the program group, its frames and its step as asked and as played.\n"
            "\n"
            "  --seconds N  simulated seconds to run (default 10)\n"
            "  --program G  press the key until group G plays (default 0); times count\n"
            "               from the key's last release\n"
            "  --trace FILE write the pin dump (VCD) to FILE\n"
            "\n"
            "Exit status: 0 simulated, 1 a file could not be read or the simulator failed,\n"
            "2 usage error.\n",
    .options = kFirmsimOptions,
    .minOperands = 2,
    .maxOperands = 2,
    .run = RunFirmsim,
};

} // namespace lumaro::cli
