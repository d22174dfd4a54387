#include "cli/LayoutJson.h"
#include "cli/VerbTable.h"
#include "core/project/LayoutFile.h"

#include <ostream>

namespace lumaro::cli {

namespace {

int RunDump(const VerbArgs& args, CliIo& io)
{
    const auto doc = CLayoutFile::Load(args.operands.front());
    if (!doc)
        return ReportFailure(io, kDumpVerb, doc.status().detail);
    io.out << FormatLayoutJson(doc.value()) << std::flush;
    // A full disk or a closed pipe must not pass for a complete dump.
    if (!io.out)
        return ReportFailure(io, kDumpVerb, "cannot write to standard output");
    return kExitOk;
}

} // namespace

const Verb kDumpVerb{
    .name = "dump",
    .summary = "print a layout file as JSON",
    .operands = "LAYOUT",
    .help = "Prints the whole layout file LAYOUT as JSON on standard output, indented\n"
            "by two spaces; \"load\" turns that JSON back into the same file.\n"
            "\n"
            "Reals read back to the same value; NaN and the infinities are written as\n"
            "the strings \"NaN\", \"Infinity\" and \"-Infinity\". A text that is not valid\n"
            "UTF-8 is written as {\"bytes\": \"<hex>\"}.\n"
            "\n"
            "Exit status: 0 done, 1 the file could not be read, 2 usage error.\n",
    .options = {},
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunDump,
};

} // namespace lumaro::cli
