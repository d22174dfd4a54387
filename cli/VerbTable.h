#pragma once

#include "cli/Verb.h"

#include <span>
#include <string_view>

namespace lumaro::cli {

// Every verb, each defined in its own file. A new verb is declared here and
// listed in VerbTable.cpp.
extern const Verb kDumpVerb;
extern const Verb kLoadVerb;
extern const Verb kScanVerb;
extern const Verb kCportVerb;
extern const Verb kCompileVerb;
extern const Verb kEmitVerb;
extern const Verb kRenderVerb;
extern const Verb kBuildVerb;
extern const Verb kScenesVerb;
extern const Verb kColoursVerb;
extern const Verb kDownloadVerb;
extern const Verb kBootsimVerb;
extern const Verb kFirmsimVerb;

// In the order of the verb list of --help.
std::span<const Verb* const> AllVerbs();

// nullptr when there is no verb of that name.
const Verb* FindVerb(std::string_view name);

} // namespace lumaro::cli
