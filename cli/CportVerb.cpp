#include "cli/VerbTable.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"

namespace lumaro::cli {

namespace {

const VerbOption kCportOptions[] = {
    {.name = "-o", .valueName = "DIR"},
};

int RunCport(const VerbArgs& args, CliIo& io)
{
    const fs::path layout = args.operands.front();
    const auto doc = CLayoutFile::Load(layout);
    if (!doc)
        return ReportFailure(io, kCportVerb, doc.status().detail);
    const std::string& dir = args.Option("-o");
    const fs::path folder = !dir.empty()               ? fs::path(dir)
                            : layout.has_parent_path() ? layout.parent_path()
                                                       : fs::path(".");
    if (const Status s = CPortTable::Write(doc->lamps, folder); !s)
        return ReportFailure(io, kCportVerb, s.detail);
    return kExitOk;
}

} // namespace

const Verb kCportVerb{
    .name = "cport",
    .summary = "write the port table cport.h of a layout",
    .operands = "LAYOUT",
    .help = "Writes \"cport.h\", the lamp numbers of each port's chain, into DIR\n"
            "(default: the folder of LAYOUT).\n"
            "\n"
            "Exit status: 0 done, 1 the layout could not be read or the file written,\n"
            "2 usage error.\n",
    .options = kCportOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunCport,
};

} // namespace lumaro::cli
