#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lumaro {

// ASCII-only case folding: keys, section names and file names of the data
// are plain ASCII, and folding beyond it would depend on the locale.
char AsciiLower(char c);
bool EqualsNoCase(std::string_view a, std::string_view b);

std::string_view TrimBlanks(std::string_view s);

bool IsValidUtf8(std::string_view s);

// The first maxChars characters of s, counting a UTF-8 sequence as one
// character and never cutting one in half. Bytes that are not valid UTF-8
// count one each, as a byte-sized buffer would count them.
std::string Utf8Truncate(std::string_view s, std::size_t maxChars);

// Every two-character sequence backslash, 'n' turned into a line feed.
std::string ExpandNewlineEscapes(std::string_view s);

// text with %1 to %9 replaced by args[0] to args[8], as the GUI fills the
// language texts; a placeholder without an argument stays as it is.
// The value of a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c);

std::string FillPlaceholders(std::string_view text, std::span<const std::string> args);

} // namespace lumaro
