#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumaro {

// Private-profile files as the program's data expects them: section and key
// names compared without regard to case, the first matching section and key
// win, blanks around names and values dropped, a value in matching double
// quotes unquoted. UTF-8 with or without a byte-order mark. Every look-up
// reads the file afresh: nothing is cached, so an edited file is seen at once.
class CIniFile {
public:
    // The whole value; callers cut it to the size of their own buffer.
    static std::optional<std::string> Read(const fs::path& file, std::string_view section,
                                           std::string_view key);
    static std::string ReadString(const fs::path& file, std::string_view section, std::string_view key,
                                  std::string_view defaultValue);

    // Same look-up over text already in memory.
    static std::optional<std::string> Find(std::string_view text, std::string_view section,
                                           std::string_view key);

    // Replaces the key's line, or adds the key at the end of its section,
    // adding the section (or the file) where missing. Every other line stays
    // byte for byte; the file is replaced atomically.
    static Status Write(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value);

    // The text Write would store, for a file that currently holds text.
    static std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                                 std::string_view value);
};

} // namespace lumaro
