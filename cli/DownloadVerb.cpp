#include "cli/HeadlessDownload.h"
#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/app/InstallFolder.h"
#include "core/link/SerialDevice.h"

#include <iostream>
#include <unistd.h>

namespace lumaro::cli {

namespace {

const VerbOption kDownloadOptions[] = {
    {.name = "--port", .valueName = "COMn|DEVICE", .required = true},
    {.name = "--target", .valueName = "nvdmx|vela"},
};

int RunDownload(const VerbArgs& args, CliIo& io)
{
    CHexDownload::Options options;
    const std::string& target = args.Option("--target");
    if (target == "vela") {
        options.target = CHexDownload::Target::Vela1000;
    } else if (!target.empty() && target != "nvdmx") {
        io.err << kDownloadVerb.name << ": --target is nvdmx or vela\n" << UsageLine(kDownloadVerb) << '\n';
        return kExitUsage;
    }
    Result<std::string> file = CHexDownload::LoadHexFile(args.operands.front());
    if (!file)
        return ReportFailure(io, kDownloadVerb, file.status().detail + " (" + args.operands.front() + ")");

    const std::string device = serialport::DeviceForChoice(
        args.Option("--port"), DataFolder(io, kDownloadVerb) / datapath::Settings);
    // Only the real standard output is ever a terminal.
    const bool terminal = &io.out == &std::cout && ::isatty(STDOUT_FILENO);
    CHeadlessDownload download(io.out, terminal);
    if (Status linked = download.Link(device); !linked)
        return ReportFailure(io, kDownloadVerb, linked.detail);
    if (Status done = download.Download(std::move(file).value(), options); !done)
        return ReportFailure(io, kDownloadVerb, done.detail);
    return kExitOk;
}

} // namespace

const Verb kDownloadVerb{
    .name = "download",
    .summary = "write a HEX image into the controller through its boot loader",
    .operands = "IMAGE",
    .help = "Links to the controller on the port and writes IMAGE (Intel HEX, CR LF line\n"
            "ends) through its serial boot loader at 9600,N,8,1, as the download dialog\n"
            "does: erase, the file's records, then the configuration (status, for the\n"
            "Vela controllers the clock, and the three security bits). Prints the\n"
            "dialog's messages and a progress line.\n"
            "\n"
            "  --port COMn|DEVICE  \"COM n\" is looked up in section [SerialPorts] of\n"
            "                      Mullanguage/Setting.ini (COM1=/dev/ttyUSB0); without a\n"
            "                      line there COM1..COM4 are /dev/ttyS0..3 and COM5 and up\n"
            "                      /dev/ttyUSB0 and up. Any other text is the device itself.\n"
            "  --target nvdmx|vela \"TO NVDMX\" (default) or \"TO Vela1000/512\", which\n"
            "                      also enables the clock\n"
            "\n"
            "Exit status: 0 the data and the configuration were written, 1 the link or\n"
            "the download failed (the last message says where), 2 usage error.\n",
    .options = kDownloadOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunDownload,
};

} // namespace lumaro::cli
