#include "cli/JsonValues.h"

#include "cli/JsonObjectReader.h"
#include "core/app/TextUtil.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace lumaro::cli {

namespace {

constexpr std::string_view kNaN = "NaN";
constexpr std::string_view kInfinity = "Infinity";
constexpr std::string_view kMinusInfinity = "-Infinity";
constexpr std::string_view kBytesKey = "bytes";

template <class Int> Int IntegerFromJson(const Json& v, const std::string& path, std::string_view typeName)
{
    if (!v.is_number_integer())
        FailType(v, path, "an integer");
    if (v.is_number_unsigned()) {
        if (const auto u = v.get<std::uint64_t>(); std::in_range<Int>(u))
            return static_cast<Int>(u);
    } else {
        if (const auto i = v.get<std::int64_t>(); std::in_range<Int>(i))
            return static_cast<Int>(i);
    }
    FailAt(path, v.dump() + " is outside the range of " + std::string(typeName));
}

Json NonFiniteToJson(double v)
{
    if (std::isnan(v))
        return kNaN;
    return v > 0 ? kInfinity : kMinusInfinity;
}

double RealFromJson(const Json& v, const std::string& path)
{
    if (v.is_number())
        return v.get<double>();
    if (v.is_string()) {
        const auto& s = v.get_ref<const std::string&>();
        if (s == kNaN)
            return std::numeric_limits<double>::quiet_NaN();
        if (s == kInfinity)
            return std::numeric_limits<double>::infinity();
        if (s == kMinusInfinity)
            return -std::numeric_limits<double>::infinity();
    }
    FailType(v, path, "a number, \"NaN\", \"Infinity\" or \"-Infinity\"");
}

std::string HexDecode(const std::string& hex, const std::string& path)
{
    if (hex.size() % 2 != 0)
        FailAt(path, "odd number of hex digits");
    std::string bytes(hex.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int hi = HexDigitValue(hex[2 * i]);
        const int lo = HexDigitValue(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
            FailAt(path, "\"" + hex.substr(2 * i, 2) + "\" at character " + std::to_string(2 * i) +
                             " is not a hex byte");
        bytes[i] = static_cast<char>(hi * 16 + lo);
    }
    return bytes;
}

std::string HexEncode(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

} // namespace

Json ToJson(std::int32_t value)
{
    return value;
}

Json ToJson(std::uint32_t value)
{
    return value;
}

Json ToJson(float value)
{
    if (!std::isfinite(value))
        return NonFiniteToJson(value);
    // The shortest decimal that reads back as value, rather than the long
    // expansion of the double (0.1 rather than 0.10000000149011612).
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double shortest = 0;
    std::from_chars(text, written.ptr, shortest);
    // Double rounding (decimal to double to float) could in principle land
    // on the neighbouring float; the exact value never does.
    if (std::bit_cast<std::uint32_t>(static_cast<float>(shortest)) != std::bit_cast<std::uint32_t>(value))
        shortest = value;
    return shortest;
}

Json ToJson(double value)
{
    if (!std::isfinite(value))
        return NonFiniteToJson(value);
    return value;
}

Json ToJson(const std::string& bytes)
{
    if (IsValidUtf8(bytes))
        return bytes;
    Json j = Json::object();
    j[std::string(kBytesKey)] = HexEncode(bytes);
    return j;
}

void FromJson(const Json& value, const std::string& path, std::int32_t& out)
{
    out = IntegerFromJson<std::int32_t>(value, path, "a 32-bit signed integer");
}

void FromJson(const Json& value, const std::string& path, std::uint32_t& out)
{
    out = IntegerFromJson<std::uint32_t>(value, path, "a 32-bit unsigned integer");
}

void FromJson(const Json& value, const std::string& path, float& out)
{
    const double d = RealFromJson(value, path);
    constexpr double kMax = std::numeric_limits<float>::max();
    // From half a unit in the last place above the largest float on, the
    // value rounds to infinity; below that it rounds to the largest float.
    constexpr double kOverflow = kMax + 0x1p103;
    if (std::isfinite(d) && std::abs(d) > kMax) {
        if (std::abs(d) >= kOverflow)
            FailAt(path, value.dump() + " is outside the range of a 32-bit real");
        out = static_cast<float>(std::copysign(kMax, d));
        return;
    }
    out = static_cast<float>(d);
}

void FromJson(const Json& value, const std::string& path, double& out)
{
    out = RealFromJson(value, path);
}

void FromJson(const Json& value, const std::string& path, std::string& out)
{
    if (value.is_string()) {
        out = value.get<std::string>();
        return;
    }
    if (!value.is_object())
        FailType(value, path, "a string or {\"bytes\": \"<hex>\"}");
    CJsonObjectReader object(value, path);
    const Json& hex = object.Require(kBytesKey);
    if (!hex.is_string())
        FailType(hex, object.PathOf(kBytesKey), "a string of hex digits");
    object.RejectUnknownKeys();
    out = HexDecode(hex.get<std::string>(), object.PathOf(kBytesKey));
}

const Json& RequireArray(const Json& value, const std::string& path)
{
    if (!value.is_array())
        FailType(value, path, "an array");
    return value;
}

} // namespace lumaro::cli
