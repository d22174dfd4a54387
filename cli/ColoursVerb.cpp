#include "cli/JsonError.h"
#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/app/InstallFolder.h"
#include "core/effects/ColourData.h"

#include <ostream>

namespace lumaro::cli {

namespace {

const VerbOption kColoursOptions[] = {
    {.name = "--file", .valueName = "COLORDATA"},
    {.name = "--curve", .valueName = "sin|cos"},
};

int Usage(CliIo& io, std::string_view what)
{
    io.err << kColoursVerb.name << ": " << what << '\n' << UsageLine(kColoursVerb) << '\n';
    return kExitUsage;
}

std::optional<UIntArray> ColourValues(std::string_view text)
{
    const auto list = ParseIntegerList(text);
    if (!list || list->size() % 3 != 0)
        return std::nullopt;
    UIntArray values;
    for (std::int64_t v : *list) {
        if (v < 0 || v > 255)
            return std::nullopt;
        values.push_back(static_cast<std::uint32_t>(v));
    }
    return values;
}

int PrintValues(CliIo& io, const UIntArray& values)
{
    Json json = Json::array();
    for (std::uint32_t v : values)
        json.push_back(v);
    return WriteJsonLine(io, kColoursVerb, json.dump());
}

int RunColours(const VerbArgs& args, CliIo& io)
{
    const std::vector<std::string>& ops = args.operands;
    const std::string& sub = ops[0];
    const fs::path file = !args.Option("--file").empty()
                              ? fs::path(args.Option("--file"))
                              : DataFolder(io, kColoursVerb) / datapath::ColourData;
    auto group = [&]() -> std::optional<int> {
        if (ops.size() < 2)
            return std::nullopt;
        const auto g = ParseInteger(ops[1]);
        if (!g || *g < 0 || *g > 100000)
            return std::nullopt;
        return static_cast<int>(*g);
    };
    auto done = [&](const Status& s) { return s ? kExitOk : ReportFailure(io, kColoursVerb, s.detail); };

    if (sub == "get" && ops.size() == 2) {
        const auto g = group();
        if (!g)
            return Usage(io, "get wants a group number");
        const auto values = CColourData::GetColorData(file, *g);
        return values ? PrintValues(io, values.value())
                      : ReportFailure(io, kColoursVerb, values.status().detail);
    }
    if (sub == "append" && ops.size() == 3) {
        const auto g = group();
        const auto values = ColourValues(ops[2]);
        if (!g || !values)
            return Usage(io, "append wants a group number and R,G,B[,R,G,B...] values of 0 to 255");
        return done(
            CColourData::SaveColorData(file, *g, CColourData::AppendColours, CColourData::Fields(*values)));
    }
    if (sub == "clear" && ops.size() == 2) {
        const auto g = group();
        if (!g)
            return Usage(io, "clear wants a group number");
        return done(CColourData::SaveColorData(file, *g, CColourData::ClearGroup, ""));
    }
    if (sub == "add" && (ops.size() == 2 || ops.size() == 3)) {
        const auto values = ops.size() == 3 ? ColourValues(ops[2]) : std::optional<UIntArray>(UIntArray{});
        if (!values || ops[1].empty() || ops[1].find_first_of("[]\r\n") != std::string::npos)
            return Usage(io, "add wants a name without brackets and optional R,G,B[,...] values");
        return done(CColourData::SaveColorData(file, 0, CColourData::AddNamedGroup,
                                               CColourData::Fields(*values), ops[1]));
    }
    if (sub == "names" && ops.size() == 1) {
        const auto names = CColourData::GetColorGroupNames(file);
        for (std::size_t i = 0; i < names.size(); ++i)
            io.out << (CColourData::kNumberedGroups + i) << '\t' << names[i] << '\n';
        io.out << std::flush;
        return io.out ? kExitOk : ReportFailure(io, kColoursVerb, "cannot write to standard output");
    }
    if (sub == "gradient" && ops.size() == 4) {
        const auto from = ColourValues(ops[1]), to = ColourValues(ops[2]);
        const auto n = ParseInteger(ops[3]);
        const std::string& curve = args.Option("--curve");
        if (!from || !to || from->size() != 3 || to->size() != 3 || !n || *n < 1 || *n > 100000 ||
            !(curve.empty() || curve == "sin" || curve == "cos"))
            return Usage(io, "gradient wants R,G,B R,G,B COUNT (1 to 100000) and --curve sin or cos");
        return PrintValues(io, CColourData::MakeGradient(from->data(), to->data(), static_cast<int>(*n),
                                                         curve == "cos" ? CColourData::Curve::Cosine
                                                                        : CColourData::Curve::Sine));
    }
    return Usage(io, "unknown sub-verb or wrong number of arguments");
}

} // namespace

const Verb kColoursVerb{
    .name = "colours",
    .summary = "read and change the colour groups of ColorData.sav",
    .operands = "SUBVERB [ARGS]",
    .help = "Sub-verbs, over \"ColorData.sav\" of the data folder (the install\n"
            "folder, or the user's copy when it cannot be written) or --file:\n"
            "  get GROUP                 the group's values as a JSON array (R, G, B, ...)\n"
            "  append GROUP R,G,B[,...]  append colours to the group\n"
            "  clear GROUP               remove every colour of the group, keeping its label\n"
            "  add NAME [R,G,B,...]      add a named group after the last named one\n"
            "  names                     the named groups, \"NUMBER<tab>NAME\" a line\n"
            "  gradient R,G,B R,G,B N    N colours from the first to the second as a JSON\n"
            "                            array; --curve sin (default, fast first) or cos\n"
            "Groups 0 to 49 are numbered; named groups follow from 50.\n"
            "\n"
            "Exit status: 0 done, 1 the file could not be read or written, 2 usage error.\n",
    .options = kColoursOptions,
    .minOperands = 1,
    .maxOperands = 4,
    .run = RunColours,
};

} // namespace lumaro::cli
