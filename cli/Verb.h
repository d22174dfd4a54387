#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFailed = 1, // the operation failed; the reason is on standard error
    kExitUsage = 2,  // the command line was wrong
};

// The streams a verb talks through: the real ones in the program, string
// streams in tests.
struct CliIo {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// An option that takes a value: "-o LAYOUT"; or, without a value name, a
// switch such as "--once" (its value is then "1").
struct VerbOption {
    std::string_view name;      // "-o"
    std::string_view valueName; // "LAYOUT", for the usage line; empty for a switch
    bool required = false;

    bool IsSwitch() const { return valueName.empty(); }
};

// A verb's command line once checked against its options and operand count.
struct VerbArgs {
    std::vector<std::string> operands;
    std::map<std::string, std::string, std::less<>> options; // name -> value

    // The value of an option that was given ("" when it was not).
    const std::string& Option(std::string_view name) const;
};

// One verb of lumaro-cli. The dispatcher handles --help and every usage
// error that the declaration below can catch, so run only does the work.
struct Verb {
    std::string_view name;
    std::string_view summary;  // one line, for the verb list
    std::string_view operands; // "LAYOUT", for the usage line
    std::string_view help;     // printed after the usage line by VERB --help
    std::span<const VerbOption> options;
    std::size_t minOperands = 0;
    std::size_t maxOperands = 0;
    int (*run)(const VerbArgs& args, CliIo& io) = nullptr;
};

// "usage: lumaro-cli dump LAYOUT" and the like.
std::string UsageLine(const Verb& verb);

// Writes "lumaro-cli VERB: message" to standard error; returns kExitFailed.
int ReportFailure(CliIo& io, const Verb& verb, std::string_view message);

} // namespace lumaro::cli
