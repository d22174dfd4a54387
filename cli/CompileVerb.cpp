#include "cli/LayoutJson.h"
#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/effects/EffectCompiler.h"
#include "core/project/LayoutFile.h"

namespace lumaro::cli {

namespace {

int RunCompile(const VerbArgs& args, CliIo& io)
{
    const auto doc = CLayoutFile::Load(args.operands.front());
    if (!doc)
        return ReportFailure(io, kCompileVerb, doc.status().detail);
    const CCompiledEffects compiled = CompileEffects(doc.value());
    Json json = Json::object();
    Json modes = Json::array();
    for (const auto& m : compiled.modes)
        modes.push_back(ModeToJson(m));
    json["compiledModes"] = std::move(modes);
    Json groups = Json::array();
    for (const auto& g : compiled.programGroups) {
        Json group = Json::array();
        for (const auto& m : g)
            group.push_back(ModeToJson(m));
        groups.push_back(std::move(group));
    }
    json["programGroups"] = std::move(groups);
    json["colourTable"] = ArrayListToJson(compiled.colourTable);
    json["lampSequenceTable"] = ArrayListToJson(compiled.lampSequenceTable);
    json["bandTable"] = ArrayListToJson(compiled.bandTable);
    return WriteJsonLine(io, kCompileVerb, json.dump(2));
}

} // namespace

const Verb kCompileVerb{
    .name = "compile",
    .summary = "compile the effects of a layout (\"Creat Data\") and print them",
    .operands = "LAYOUT",
    .help = "Runs \"Creat Data\" on LAYOUT and prints, as JSON:\n"
            "  {\"compiledModes\": [MODE...], \"programGroups\": [32 x [MODE...]],\n"
            "   \"colourTable\": [[...]], \"lampSequenceTable\": [[...]], \"bandTable\": [[...]]}\n"
            "MODE is the record of \"dump\"; a compiled record carries its effect class\n"
            "code in \"layer\". The effects work on the lamp positions handed over by\n"
            "\"Transfer Data\" (\"lampPositions\"), not on the layout's own lamps.\n"
            "\n"
            "Exit status: 0 done, 1 the layout could not be read, 2 usage error.\n",
    .options = {},
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunCompile,
};

} // namespace lumaro::cli
