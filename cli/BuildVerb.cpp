#include "cli/ChildProcess.h"
#include "cli/Cli.h"
#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/app/InstallFolder.h"
#include "core/app/LangText.h"
#include "core/effects/EffectCompiler.h"
#include "core/firmware/FirmwareBuild.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"

#include <chrono>
#include <ostream>
#include <thread>

namespace lumaro::cli {

namespace {

const VerbOption kBuildOptions[] = {
    {.name = "--format", .valueName = "1|2|3", .required = true},
};

// The message of a failure as the program shows it, with its detail.
std::string Message(const Status& s)
{
    std::string text = GetLangText(s);
    if (text.empty())
        text = s.key;
    return s.detail.empty() ? text : text + " (" + s.detail + ")";
}

// The last lines of the compiler's log, where its complaint is.
std::string LogTail(const fs::path& log, std::size_t lines)
{
    const auto text = ReadFileBytes(FindPathNoCase(log));
    if (!text)
        return {};
    const std::string& t = text.value();
    std::size_t start = t.size();
    for (std::size_t n = 0; start > 0 && n <= lines;)
        if (t[--start] == '\n' && start + 1 < t.size())
            ++n;
    return t.substr(start == 0 ? 0 : start + 1);
}

int RunBuild(const VerbArgs& args, CliIo& io)
{
    const auto format = ParseInteger(args.Option("--format"));
    if (!format || *format < 1 || *format > 3) {
        io.err << kBuildVerb.name << ": --format wants 1, 2 or 3\n" << UsageLine(kBuildVerb) << '\n';
        return kExitUsage;
    }
    const fs::path layout = fs::absolute(args.operands.front());
    const auto doc = CLayoutFile::Load(layout);
    if (!doc)
        return ReportFailure(io, kBuildVerb, doc.status().detail);

    // The texts of the report, in the language the program uses.
    const fs::path install = DefaultInstallFolder();
    const fs::path data = DataFolder(io, kBuildVerb);
    CLangText::SetSettingsPath(data / datapath::Settings);
    CLangText::SetLanguageFilePath(
        CLangText::LanguageFileIn(install, CLangText::ReadLanguageFileName(data / datapath::Settings)));

    CFirmwareBuild::Setup setup;
    setup.fileFormat = static_cast<int>(*format);
    setup.buildFolder = data / "sys";
    setup.currentFolder = layout.parent_path();
    setup.title = layout.filename().string();
    setup.lampCount = doc->lamps.size();
    // Saving a layout writes its port table beside it; so does this.
    if (const Status s = CPortTable::Write(doc->lamps, setup.currentFolder); !s)
        return ReportFailure(io, kBuildVerb, Message(s));

    const CCompiledEffects compiled = CompileEffects(doc.value());
    CFirmwareBuild build(setup);
    CChildProcess process;
    const Status started = build.Start(compiled, process, [&io](const Status& notice) {
        io.err << kProgramName << ' ' << kBuildVerb.name << ": " << Message(notice) << '\n';
    });
    if (!started)
        return ReportFailure(io, kBuildVerb, Message(started));

    CFirmwareBuild::Wait wait = CFirmwareBuild::Wait::Waiting;
    while ((wait = build.Poll(process.Running())) == CFirmwareBuild::Wait::Waiting) {
        if (build.Rounds() % 50 == 0)
            io.err << "\rcompiling " << build.BatchFile().filename().string() << " in "
                   << setup.buildFolder.string() << ": " << build.Rounds() * CFirmwareBuild::kRoundMs / 1000
                   << " s" << std::flush;
        std::this_thread::sleep_for(std::chrono::milliseconds(CFirmwareBuild::kRoundMs));
    }
    if (build.Rounds() >= 50)
        io.err << '\n';
    if (wait == CFirmwareBuild::Wait::Ask) {
        const fs::path log = build.ImageFile().replace_extension(".LST");
        io.err << kProgramName << ' ' << kBuildVerb.name << ": "
               << Message(Status::Fail(CFirmwareBuild::kNoImageKey)) << '\n'
               << LogTail(log, 12);
        return kExitFailed;
    }
    io.out << build.Report() << '\n';
    if (const Status copied = build.CopyImage(); !copied)
        return ReportFailure(io, kBuildVerb, Message(copied));
    io.out << build.CopyFile().string() << '\n';
    return kExitOk;
}

} // namespace

const Verb kBuildVerb{
    .name = "build",
    .summary = "build the controller image of a layout with the firmware build folder",
    .operands = "LAYOUT",
    .help = "Does what \"Create Bin File\" does: compiles LAYOUT, writes its port table\n"
            "\"cport.h\" beside it, writes the firmware tables into the build folder\n"
            "(the install folder's \"sys\", or the user's copy of it in\n"
            "~/.local/share/lumaro when the install folder cannot be written; LUMARO_HOME\n"
            "chooses the install folder), runs the batch file lss<FORMAT>.sh there and\n"
            "waits for DSP<FORMAT>.BIN. Prints the capacity report and the path of the\n"
            "image copied beside LAYOUT as <name><FORMAT>.hex, stamped with the lamp count.\n"
            "\n"
            "Exit status: 0 built, 1 the layout could not be read, a file could not be\n"
            "written or the compiler gave no image (its log follows), 2 usage error.\n",
    .options = kBuildOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunBuild,
};

} // namespace lumaro::cli
