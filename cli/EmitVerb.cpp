#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/effects/EffectCompiler.h"
#include "core/firmware/FirmwareEmitter.h"
#include "core/project/LayoutFile.h"

#include <ostream>

namespace lumaro::cli {

namespace {

const VerbOption kEmitOptions[] = {
    {.name = "-o", .valueName = "DIR", .required = true},
    {.name = "--format", .valueName = "1|2|3"},
};

int RunEmit(const VerbArgs& args, CliIo& io)
{
    int format = 1;
    if (const std::string& f = args.Option("--format"); !f.empty()) {
        const auto v = ParseInteger(f);
        if (!v || *v < 1 || *v > 3) {
            io.err << kEmitVerb.name << ": --format wants 1, 2 or 3\n" << UsageLine(kEmitVerb) << '\n';
            return kExitUsage;
        }
        format = static_cast<int>(*v);
    }
    const auto doc = CLayoutFile::Load(args.operands.front());
    if (!doc)
        return ReportFailure(io, kEmitVerb, doc.status().detail);
    const CCompiledEffects compiled = CompileEffects(doc.value());
    if (const Status s = EmitFirmwareSources(compiled, doc->lamps, format, args.Option("-o")); !s)
        return ReportFailure(io, kEmitVerb, s.detail + " (" + s.key + ")");
    return kExitOk;
}

} // namespace

const Verb kEmitVerb{
    .name = "emit",
    .summary = "write the firmware sources of a layout into a folder",
    .operands = "LAYOUT",
    .help = "Runs \"Creat Data\" on LAYOUT and writes into DIR the sources the firmware\n"
            "build compiles: \"cport.h\", \"DSPPTN.H\", \"CSTGRP.h\", \"GETPTN.c\" and \"CData.h\".\n"
            "--format is the file format of the build (default 1): 1 includes \"DatTyp1.h\"\n"
            "in \"CData.h\", 2 and 3 include \"DatTyp2.h\".\n"
            "\n"
            "Exit status: 0 done, 1 the layout could not be read, a table is over its\n"
            "limit or a file could not be written, 2 usage error.\n",
    .options = kEmitOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunEmit,
};

} // namespace lumaro::cli
