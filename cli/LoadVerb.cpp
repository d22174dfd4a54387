#include "cli/LayoutJson.h"
#include "cli/VerbTable.h"
#include "core/app/FileSystem.h"
#include "core/project/LayoutFile.h"

#include <istream>
#include <iterator>

namespace lumaro::cli {

namespace {

constexpr std::string_view kStandardInput = "-";
constexpr std::string_view kOutputOption = "-o";

const VerbOption kLoadOptions[] = {
    {.name = kOutputOption, .valueName = "LAYOUT", .required = true},
};

Result<std::string> ReadAll(std::istream& in)
{
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return Status::Fail(msgkey::FileReadError, "cannot read standard input");
    return text;
}

int RunLoad(const VerbArgs& args, CliIo& io)
{
    const std::string& source = args.operands.front();
    const bool fromStdin = source == kStandardInput;
    const auto text = fromStdin ? ReadAll(io.in) : ReadFileBytes(source);
    if (!text)
        return ReportFailure(io, kLoadVerb, text.status().detail);
    const auto doc = ParseLayoutJson(text.value());
    if (!doc)
        return ReportFailure(
            io, kLoadVerb, (fromStdin ? std::string("standard input") : source) + ": " + doc.status().detail);
    if (const Status saved = CLayoutFile::Save(doc.value(), args.Option(kOutputOption)); !saved)
        return ReportFailure(io, kLoadVerb, saved.detail);
    return kExitOk;
}

} // namespace

const Verb kLoadVerb{
    .name = "load",
    .summary = "write a layout file from JSON",
    .operands = "JSON",
    .help = "Writes the layout file LAYOUT from JSON in the shape that \"dump\" prints;\n"
            "JSON \"-\" reads standard input.\n"
            "\n"
            "A missing key takes the value of a new document. An unknown key, a value of\n"
            "the wrong type and an integer out of the range of its field are refused,\n"
            "and the message names the key. LAYOUT is replaced only once the new file is\n"
            "complete; after a failure it is as it was.\n"
            "\n"
            "Exit status: 0 done, 1 the JSON was refused or the file could not be\n"
            "written, 2 usage error.\n",
    .options = kLoadOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunLoad,
};

} // namespace lumaro::cli
