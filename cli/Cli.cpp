#include "cli/Cli.h"

#include "cli/VerbTable.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <ostream>

namespace lumaro::cli {

namespace {

bool IsHelpOption(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

// A help option anywhere before "--" wins over everything else on the line.
bool AsksForHelp(std::span<const std::string> args)
{
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), end, [](const std::string& arg) { return IsHelpOption(arg); });
}

void PrintOverview(std::ostream& out)
{
    out << "usage: " << kProgramName << " VERB [ARGUMENTS]\n"
        << "       " << kProgramName << " VERB --help\n\nVerbs:\n";
    std::size_t width = 0;
    for (const Verb* verb : AllVerbs())
        width = std::max(width, verb->name.size());
    for (const Verb* verb : AllVerbs())
        out << "  " << verb->name << std::string(width - verb->name.size() + 2, ' ') << verb->summary << '\n';
}

int GeneralUsageError(CliIo& io, const std::string& message)
{
    io.err << kProgramName << ": " << message << '\n'
           << "usage: " << kProgramName << " VERB [ARGUMENTS]\n"
           << "Try '" << kProgramName << " --help' for the list of verbs.\n";
    return kExitUsage;
}

const VerbOption* FindOption(const Verb& verb, std::string_view name)
{
    const auto it = std::find_if(verb.options.begin(), verb.options.end(),
                                 [&](const VerbOption& option) { return option.name == name; });
    return it == verb.options.end() ? nullptr : &*it;
}

// Operands and "-o VALUE" options in any order; "-" is an operand (standard
// input), "--" makes every later argument one.
std::optional<VerbArgs> ParseVerbArgs(const Verb& verb, std::span<const std::string> args, std::string& error)
{
    VerbArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const VerbOption* option = FindOption(verb, arg);
        if (!option) {
            error = "unknown option " + arg;
            return std::nullopt;
        }
        if (option->IsSwitch()) {
            if (!parsed.options.emplace(arg, "1").second) {
                error = "option " + arg + " given more than once";
                return std::nullopt;
            }
            continue;
        }
        if (i + 1 == args.size()) {
            error = "option " + arg + " needs a value (" + std::string(option->valueName) + ")";
            return std::nullopt;
        }
        if (!parsed.options.emplace(arg, args[++i]).second) {
            error = "option " + arg + " given more than once";
            return std::nullopt;
        }
    }
    for (const VerbOption& option : verb.options)
        if (option.required && !parsed.options.contains(option.name)) {
            error = "missing option " + std::string(option.name) + ' ' + std::string(option.valueName);
            return std::nullopt;
        }
    if (parsed.operands.size() < verb.minOperands) {
        error = "missing operand, expected " + std::string(verb.operands);
        return std::nullopt;
    }
    if (parsed.operands.size() > verb.maxOperands) {
        error = "unexpected operand \"" + parsed.operands[verb.maxOperands] + "\"";
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int RunCli(std::span<const std::string> args, CliIo& io)
{
    if (args.empty())
        return GeneralUsageError(io, "no verb given");
    const std::string& first = args.front();
    if (IsHelpOption(first)) {
        PrintOverview(io.out);
        return kExitOk;
    }
    const Verb* verb = FindVerb(first);
    if (!verb)
        return GeneralUsageError(io, (first.starts_with('-') ? "unknown option " : "unknown verb ") + first);

    const auto verbArgs = args.subspan(1);
    if (AsksForHelp(verbArgs)) {
        io.out << UsageLine(*verb) << "\n\n" << verb->help;
        return kExitOk;
    }
    std::string error;
    const auto parsed = ParseVerbArgs(*verb, verbArgs, error);
    if (!parsed) {
        io.err << kProgramName << ' ' << verb->name << ": " << error << '\n'
               << UsageLine(*verb) << '\n'
               << "Try '" << kProgramName << ' ' << verb->name << " --help'.\n";
        return kExitUsage;
    }
    try {
        return verb->run(*parsed, io);
    } catch (const std::exception& e) { // out of memory, most likely
        return ReportFailure(io, *verb, e.what());
    }
}

} // namespace lumaro::cli
