#pragma once

#include "cli/Verb.h"
#include "core/app/Status.h"

#include <filesystem>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::cli {

// Parsing of option values shared by the verbs; each gives nothing for a
// value that is not of its form.
std::optional<std::int64_t> ParseInteger(std::string_view text);
std::optional<double> ParseReal(std::string_view text);
// "A,B,C,..." of integers.
std::optional<std::vector<std::int64_t>> ParseIntegerList(std::string_view text, char separator = ',');

// Writes a JSON text and a line feed; a failed write is a failure of the verb.
int WriteJsonLine(CliIo& io, const Verb& verb, const std::string& json);

// The folder the program writes to (CUserDataFolder over the install
// folder). When the user's copy cannot be made, says so on standard error
// and gives the install folder, whose files can still be read.
std::filesystem::path DataFolder(CliIo& io, const Verb& verb);

} // namespace lumaro::cli
