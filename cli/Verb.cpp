#include "cli/Verb.h"

#include "cli/Cli.h"

#include <ostream>

namespace lumaro::cli {

const std::string& VerbArgs::Option(std::string_view name) const
{
    static const std::string kAbsent;
    const auto it = options.find(name);
    return it == options.end() ? kAbsent : it->second;
}

std::string UsageLine(const Verb& verb)
{
    std::string line = "usage: " + std::string(kProgramName) + ' ' + std::string(verb.name);
    if (!verb.operands.empty())
        line += ' ' + std::string(verb.operands);
    for (const VerbOption& option : verb.options) {
        const std::string text =
            std::string(option.name) + (option.IsSwitch() ? "" : ' ' + std::string(option.valueName));
        line += option.required ? ' ' + text : " [" + text + ']';
    }
    return line;
}

int ReportFailure(CliIo& io, const Verb& verb, std::string_view message)
{
    io.err << kProgramName << ' ' << verb.name << ": " << message << '\n';
    return kExitFailed;
}

} // namespace lumaro::cli
