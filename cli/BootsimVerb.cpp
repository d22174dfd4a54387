#include "cli/BootSimulator.h"
#include "cli/Cli.h"
#include "cli/PseudoTerminal.h"
#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/app/TextUtil.h"
#include "core/link/SerialPortChoice.h"

#include <csignal>
#include <fstream>
#include <ostream>
#include <unistd.h>

namespace lumaro::cli {

namespace {

const VerbOption kBootsimOptions[] = {
    {.name = "--pace", .valueName = ""},     {.name = "--fault", .valueName = "LIST"},
    {.name = "--seed", .valueName = "N"},    {.name = "--save", .valueName = "FILE"},
    {.name = "--sent", .valueName = "FILE"}, {.name = "--once", .valueName = ""},
};

// What a signal handler may touch: the simulator's stop pipe.
volatile std::sig_atomic_t g_stopFd = -1;

void OnSignal(int)
{
    if (g_stopFd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(g_stopFd, &byte, 1);
    }
}

int Usage(CliIo& io, const std::string& what)
{
    io.err << kBootsimVerb.name << ": " << what << '\n' << UsageLine(kBootsimVerb) << '\n';
    return kExitUsage;
}

// "silent,drop=0.2": the faults to play, comma-separated.
bool ParseFaults(std::string_view list, CBootSimulator::Options& options, std::string& error)
{
    CBootLoaderModel::Faults& faults = options.faults;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view fault = TrimBlanks(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        if (fault == "silent") {
            faults.silent = true;
        } else if (fault == "no-first-sync") {
            // Every send of the first synchronisation goes unanswered, so the erase is skipped.
            faults.unansweredSyncs = 10;
        } else if (fault.starts_with("drop=")) {
            const auto rate = ParseReal(fault.substr(5));
            if (!rate || *rate < 0 || *rate > 1) {
                error = "drop=P needs a chance P between 0 and 1";
                return false;
            }
            faults.dropReplyRate = *rate;
        } else if (fault == "slow-erase") {
            faults.eraseMs = 5000;
        } else if (fault == "split-echo") {
            faults.splitEchoes = true;
        } else if (fault == "bad-checksum") {
            options.corruptRate = 0.05;
        } else {
            error = "unknown fault \"" + std::string(fault) + "\"";
            return false;
        }
    }
    return true;
}

int RunBootsim(const VerbArgs& args, CliIo& io)
{
    CBootSimulator::Options options;
    options.pace = !args.Option("--pace").empty();
    options.once = !args.Option("--once").empty();
    std::string error;
    if (!ParseFaults(args.Option("--fault"), options, error))
        return Usage(io, error);
    if (const std::string& seed = args.Option("--seed"); !seed.empty()) {
        const auto value = ParseInteger(seed);
        if (!value || *value < 0 || *value > 0xFFFFFFFF)
            return Usage(io, "--seed needs a number from 0 to 4294967295");
        options.faults.seed = std::uint32_t(*value);
    }

    CPseudoTerminal terminal;
    if (Status s = terminal.Open(); !s)
        return ReportFailure(io, kBootsimVerb, s.detail);
    CBootSimulator simulator(terminal.MasterFd(), options);
    simulator.pendingForDownloader = [&terminal] { return terminal.PendingForSlave(); };

    g_stopFd = simulator.StopFd();
    struct sigaction action {};
    action.sa_handler = OnSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);

    // The first line is the device alone, for scripts; the rest is for people.
    io.out << terminal.SlavePath() << std::endl;
    io.err << kProgramName << ' ' << kBootsimVerb.name << ": boot loader on " << terminal.SlavePath()
           << " at " << serialport::kSettings << (options.pace ? ", paced at the line rate" : "")
           << (options.once ? "; ends after one download" : "; ends on Ctrl+C") << std::endl;

    const Status served = simulator.Run();
    g_stopFd = -1;

    const CBootLoaderModel& model = simulator.Model();
    io.err << kProgramName << ' ' << kBootsimVerb.name << ": " << model.Accepted().size()
           << " records accepted, " << model.Refused() << " refused, " << model.Image().size()
           << " bytes programmed" << (simulator.DownloadDone() ? ", download complete" : "") << '\n';
    if (const std::string& sent = args.Option("--sent"); !sent.empty()) {
        if (Status s = WriteFileAtomic(sent, simulator.Received()); !s)
            return ReportFailure(io, kBootsimVerb, s.detail);
    }
    if (const std::string& save = args.Option("--save"); !save.empty()) {
        const auto form = CBootSimulator::SaveImage(model.Image(), save);
        if (!form)
            return ReportFailure(io, kBootsimVerb, form.status().detail);
        io.err << kProgramName << ' ' << kBootsimVerb.name << ": image saved to " << save << " ("
               << form.value() << ")\n";
    }
    if (!served)
        return ReportFailure(io, kBootsimVerb, served.detail);
    return kExitOk;
}

} // namespace

const Verb kBootsimVerb{
    .name = "bootsim",
    .summary = "simulate the controller's boot loader on a pseudo-terminal",
    .operands = "",
    .help = "Opens a pseudo-terminal, prints the device to download to on the first line\n"
            "of standard output and answers as the controller's serial boot loader does:\n"
            "the echo of each character, \".\" for an accepted record or command, \"X\" for\n"
            "a refused one, \"U\" for a synchronisation. Accepted data records are\n"
            "programmed into an image; the erase command clears it.\n"
            "\n"
            "  --pace         every character takes the time of the real line,\n"
            "                 9600 baud 8N1 (10 bits), in both directions\n"
            "  --fault LIST   comma-separated faults:\n"
            "                   silent        a dead line, nothing comes back\n"
            "                   no-first-sync the first synchronisation gets no answer\n"
            "                   drop=P        each \".\" is lost with chance P\n"
            "                   slow-erase    the erase takes 5 s instead of 0.3 s\n"
            "                   split-echo    answers arrive in pieces cut at random\n"
            "                   bad-checksum  the line garbles a digit of 1 record in 20\n"
            "  --seed N       seed of the random faults (default 1); a seed repeats a run\n"
            "  --save FILE    writes the programmed image at the end: Intel HEX when\n"
            "                 FILE ends in .hex, otherwise binary from address 0 with\n"
            "                 unprogrammed bytes 0xFF\n"
            "  --sent FILE    writes every byte the downloader sent\n"
            "  --once         ends after one download (its last configuration record);\n"
            "                 otherwise it ends on SIGINT, SIGTERM or SIGHUP\n"
            "\n"
            "Exit status: 0 done, 1 the pseudo-terminal failed or a file could not be\n"
            "written, 2 usage error.\n",
    .options = kBootsimOptions,
    .minOperands = 0,
    .maxOperands = 0,
    .run = RunBootsim,
};

} // namespace lumaro::cli
