#include "cli/VerbTable.h"
#include "core/effects/SceneConverter.h"
#include "core/project/LayoutFile.h"

namespace lumaro::cli {

namespace {

const VerbOption kScenesOptions[] = {
    {.name = "-o", .valueName = "LAYOUT2", .required = true},
};

int RunScenes(const VerbArgs& args, CliIo& io)
{
    auto doc = CLayoutFile::Load(args.operands.front());
    if (!doc)
        return ReportFailure(io, kScenesVerb, doc.status().detail);
    CSceneConverter::Convert(doc.value(), doc->lamps);
    if (const Status s = CLayoutFile::Save(doc.value(), args.Option("-o")); !s)
        return ReportFailure(io, kScenesVerb, s.detail);
    return kExitOk;
}

} // namespace

const Verb kScenesVerb{
    .name = "scenes",
    .summary = "turn the 16 scenes of a layout into modes and program groups",
    .operands = "LAYOUT",
    .help = "Runs the scene editor's conversion on LAYOUT: the mode list and the\n"
            "program groups are replaced by one mode per scene slot with an effect,\n"
            "scene s becoming program group s, the lamps are handed to the effect side,\n"
            "and empty slot colour lists get their effect's default. Writes LAYOUT2.\n"
            "\n"
            "Exit status: 0 done, 1 a file could not be read or written, 2 usage error.\n",
    .options = kScenesOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunScenes,
};

} // namespace lumaro::cli
