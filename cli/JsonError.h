#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumaro::cli {

// Keys keep the order in which they were written.
using Json = nlohmann::ordered_json;

// A refused JSON value; what() starts with the path of the value, such as
// "modes[3].interval", so that the user can find it.
class CJsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Paths as the messages show them: "scanScope.left", "scenes[2][5].speed".
// The empty path is the top level.
std::string KeyPath(std::string_view parent, std::string_view key);
std::string IndexPath(std::string_view parent, std::size_t index);

[[noreturn]] void FailAt(std::string_view path, std::string_view what);
// "expected <expected>, got <what value is>".
[[noreturn]] void FailType(const Json& value, std::string_view path, std::string_view expected);

} // namespace lumaro::cli
