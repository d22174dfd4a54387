#include "cli/VerbTable.h"

namespace lumaro::cli {

namespace {

// Pointers, not copies: the verbs live in other files, and their addresses
// are known before any of them is initialised.
constexpr const Verb* kVerbs[] = {
    &kDumpVerb,  &kLoadVerb,   &kScanVerb,    &kCportVerb,    &kCompileVerb, &kEmitVerb,    &kRenderVerb,
    &kBuildVerb, &kScenesVerb, &kColoursVerb, &kDownloadVerb, &kBootsimVerb, &kFirmsimVerb,
};

} // namespace

std::span<const Verb* const> AllVerbs()
{
    return kVerbs;
}

const Verb* FindVerb(std::string_view name)
{
    for (const Verb* verb : kVerbs)
        if (verb->name == name)
            return verb;
    return nullptr;
}

} // namespace lumaro::cli
