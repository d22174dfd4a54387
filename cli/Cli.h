#pragma once

#include "cli/Verb.h"

#include <span>
#include <string>
#include <string_view>

namespace lumaro::cli {

inline constexpr std::string_view kProgramName = "lumaro-cli";

// The whole program: args are the command line without the program name.
// Returns the exit status.
int RunCli(std::span<const std::string> args, CliIo& io);

} // namespace lumaro::cli
