#pragma once

#include "cli/JsonError.h"

#include <cstdint>
#include <string>

namespace lumaro::cli {

// The stored value kinds of the layout document as JSON values.
//
// Reals read back to the same bits (a NaN may lose its payload): a float
// goes out as its shortest decimal, and always with a decimal point or an
// exponent, so that a reader can tell it from an integer; NaN and the
// infinities, which JSON lacks, as the strings "NaN", "Infinity" and
// "-Infinity". A byte string goes out as a JSON string when it is valid
// UTF-8 and as {"bytes": "<lowercase hex>"} otherwise.
Json ToJson(std::int32_t value);
Json ToJson(std::uint32_t value);
Json ToJson(float value);
Json ToJson(double value);
Json ToJson(const std::string& bytes);

// The reverse. A value of the wrong JSON type, or an integer outside the
// range of the stored type, is refused with a CJsonError naming path. A real
// field also takes an integer; an integer field takes no real, not even 1.0.
void FromJson(const Json& value, const std::string& path, std::int32_t& out);
void FromJson(const Json& value, const std::string& path, std::uint32_t& out);
void FromJson(const Json& value, const std::string& path, float& out);
void FromJson(const Json& value, const std::string& path, double& out);
void FromJson(const Json& value, const std::string& path, std::string& out);

// The array that value must be.
const Json& RequireArray(const Json& value, const std::string& path);

} // namespace lumaro::cli
