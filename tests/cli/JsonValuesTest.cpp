#include "cli/JsonValues.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

using namespace lumaro::cli;

namespace {

constexpr float kFloatInf = std::numeric_limits<float>::infinity();
constexpr double kDoubleInf = std::numeric_limits<double>::infinity();

// What a reader of the printed JSON gets back.
template <class T> T ThroughText(T value)
{
    T out{};
    FromJson(Json::parse(ToJson(value).dump()), "x", out);
    return out;
}

template <class T> T Read(const char* jsonText)
{
    T out{};
    FromJson(Json::parse(jsonText), "field", out);
    return out;
}

// The message of the refusal, or "" when the value was accepted.
template <class T> std::string Refusal(const char* jsonText)
{
    try {
        Read<T>(jsonText);
    } catch (const CJsonError& e) {
        return e.what();
    }
    return {};
}

TEST(JsonRealTest, FloatsPrintAsTheirShortestDecimalWithAPointOrExponent)
{
    EXPECT_EQ(ToJson(5000.0f).dump(), "5000.0");
    EXPECT_EQ(ToJson(0.1f).dump(), "0.1");
    EXPECT_EQ(ToJson(1.0f / 3.0f).dump(), "0.33333334");
    EXPECT_EQ(ToJson(1e-45f).dump(), "1e-45");
    EXPECT_EQ(ToJson(FLT_MAX).dump(), "3.4028235e+38");
    EXPECT_EQ(ToJson(16777216.0f).dump(), "16777216.0");
    EXPECT_EQ(ToJson(-0.0f).dump(), "-0.0");
    EXPECT_EQ(ToJson(0.0f).dump(), "0.0");
}

TEST(JsonRealTest, DoublesPrintShortAndWithAPointOrExponent)
{
    EXPECT_EQ(ToJson(8.0).dump(), "8.0");
    EXPECT_EQ(ToJson(0.1).dump(), "0.1");
    EXPECT_EQ(ToJson(1e308).dump(), "1e+308");
    EXPECT_EQ(ToJson(5e-324).dump(), "5e-324");
    EXPECT_EQ(ToJson(-0.0).dump(), "-0.0");
}

TEST(JsonRealTest, NonFiniteValuesAreNamedStrings)
{
    EXPECT_EQ(ToJson(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(ToJson(kFloatInf), "Infinity");
    EXPECT_EQ(ToJson(-kFloatInf), "-Infinity");
    EXPECT_EQ(ToJson(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(ToJson(kDoubleInf), "Infinity");
    EXPECT_EQ(ToJson(-kDoubleInf), "-Infinity");

    EXPECT_TRUE(std::isnan(Read<float>("\"NaN\"")));
    EXPECT_EQ(Read<float>("\"Infinity\""), kFloatInf);
    EXPECT_EQ(Read<float>("\"-Infinity\""), -kFloatInf);
    EXPECT_TRUE(std::isnan(Read<double>("\"NaN\"")));
    EXPECT_EQ(Read<double>("\"-Infinity\""), -kDoubleInf);
    // A NaN with a payload still comes back as a NaN.
    EXPECT_TRUE(std::isnan(ThroughText(std::bit_cast<float>(0x7F800001u))));
    EXPECT_TRUE(std::isnan(ThroughText(std::bit_cast<double>(0xFFF0000000000123ull))));
}

TEST(JsonRealTest, EveryFiniteFloatReadsBackBitForBit)
{
    const float awkward[] = {0.1f,        1e-45f,          FLT_MIN,    std::nextafter(FLT_MIN, 0.0f),
                             FLT_MAX,     -FLT_MAX,        -0.0f,      0.3f,
                             16777217.0f, 1.17549421e-38f, 8388608.5f, 3e-39f};
    for (const float f : awkward)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ThroughText(f)), std::bit_cast<std::uint32_t>(f)) << f;

    std::mt19937 random(20240601);
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t bits = random();
        const float f = std::bit_cast<float>(bits);
        if (std::isfinite(f)) {
            ASSERT_EQ(std::bit_cast<std::uint32_t>(ThroughText(f)), bits) << ToJson(f).dump();
        }
    }
}

TEST(JsonRealTest, EveryFiniteDoubleReadsBackBitForBit)
{
    const double awkward[] = {0.1, 1e308, DBL_MAX, DBL_MIN, 5e-324, -0.0, 1.0 / 3.0, 9007199254740993.0};
    for (const double d : awkward)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ThroughText(d)), std::bit_cast<std::uint64_t>(d)) << d;

    std::mt19937_64 random(20240602);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = random();
        const double d = std::bit_cast<double>(bits);
        if (std::isfinite(d)) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ThroughText(d)), bits) << ToJson(d).dump();
        }
    }
}

TEST(JsonRealTest, IntegersAreAcceptedForReals)
{
    EXPECT_EQ(Read<float>("7"), 7.0f);
    EXPECT_EQ(Read<float>("-3"), -3.0f);
    EXPECT_EQ(Read<double>("18446744073709551615"), 18446744073709551615.0);
}

TEST(JsonRealTest, FloatsRoundAtTheTopOfTheirRangeAndRefuseWhatWouldBeInfinite)
{
    // Below half a unit above FLT_MAX the value rounds down to it.
    EXPECT_EQ(Read<float>("3.4028235677973362e+38"), FLT_MAX);
    EXPECT_EQ(Read<float>("-3.4028235677973362e+38"), -FLT_MAX);
    // From there on it would round to infinity, which must be spelt out.
    EXPECT_EQ(Refusal<float>("3.4028235677973366e+38"),
              "field: 3.4028235677973366e+38 is outside the range of a 32-bit real");
    EXPECT_NE(Refusal<float>("1e39").find("outside the range of a 32-bit real"), std::string::npos);
    EXPECT_NE(Refusal<float>("-1e39"), "");
    EXPECT_EQ(Read<double>("1e39"), 1e39);
}

TEST(JsonRealTest, OtherValuesAreRefused)
{
    EXPECT_EQ(Refusal<float>("\"nan\""),
              "field: expected a number, \"NaN\", \"Infinity\" or \"-Infinity\", got the string \"nan\"");
    EXPECT_NE(Refusal<double>("\"inf\""), "");
    EXPECT_NE(Refusal<double>("true"), "");
    EXPECT_NE(Refusal<double>("null"), "");
    EXPECT_NE(Refusal<float>("[1.0]"), "");
}

TEST(JsonIntegerTest, TheWholeRangeOfTheStoredTypeIsAccepted)
{
    EXPECT_EQ(Read<std::int32_t>("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Read<std::int32_t>("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(Read<std::int32_t>("-0"), 0);
    EXPECT_EQ(Read<std::uint32_t>("0"), 0u);
    EXPECT_EQ(Read<std::uint32_t>("4294967295"), std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(ToJson(std::numeric_limits<std::uint32_t>::max()).dump(), "4294967295");
    EXPECT_EQ(ToJson(std::numeric_limits<std::int32_t>::min()).dump(), "-2147483648");
}

TEST(JsonIntegerTest, ValuesOutsideTheStoredTypeAreRefused)
{
    EXPECT_EQ(Refusal<std::int32_t>("2147483648"),
              "field: 2147483648 is outside the range of a 32-bit signed integer");
    EXPECT_NE(Refusal<std::int32_t>("-2147483649"), "");
    EXPECT_NE(Refusal<std::int32_t>("18446744073709551615"), "");
    EXPECT_EQ(Refusal<std::uint32_t>("-1"), "field: -1 is outside the range of a 32-bit unsigned integer");
    EXPECT_NE(Refusal<std::uint32_t>("4294967296"), "");
}

TEST(JsonIntegerTest, NonIntegersAreRefusedEvenWhenWhole)
{
    EXPECT_EQ(Refusal<std::int32_t>("1.5"), "field: expected an integer, got the real 1.5");
    EXPECT_EQ(Refusal<std::int32_t>("1.0"), "field: expected an integer, got the real 1.0");
    EXPECT_NE(Refusal<std::uint32_t>("1e3"), "");
    EXPECT_EQ(Refusal<std::int32_t>("\"12\""), "field: expected an integer, got the string \"12\"");
    EXPECT_EQ(Refusal<std::int32_t>("false"), "field: expected an integer, got false");
    EXPECT_EQ(Refusal<std::uint32_t>("{}"), "field: expected an integer, got an object");
    EXPECT_NE(Refusal<std::uint32_t>("null"), "");
}

TEST(JsonByteStringTest, ValidUtf8IsAPlainString)
{
    EXPECT_EQ(ToJson(std::string("CM_FLASH")), "CM_FLASH");
    EXPECT_EQ(ToJson(std::string("Grün ✓ 😀")), "Grün ✓ 😀");
    EXPECT_EQ(ToJson(std::string("")), "");
    EXPECT_EQ(ToJson(std::string("a\0b", 3)).dump(), "\"a\\u0000b\"");
    EXPECT_EQ(Read<std::string>("\"a\\u0000b\""), std::string("a\0b", 3));
}

TEST(JsonByteStringTest, OtherBytesAreLowercaseHex)
{
    EXPECT_EQ(ToJson(std::string("\xff\x00\x41", 3)).dump(), R"({"bytes":"ff0041"})");
    EXPECT_EQ(ToJson(std::string("\xed\xa0\x80")).dump(), R"({"bytes":"eda080"})"); // a surrogate
    EXPECT_EQ(ToJson(std::string("\xc0\xaf")).dump(), R"({"bytes":"c0af"})");       // overlong '/'
    EXPECT_EQ(ToJson(std::string("caf\xc3")).dump(), R"({"bytes":"636166c3"})");    // cut short

    EXPECT_EQ(Read<std::string>(R"({"bytes":"ff0041"})"), std::string("\xff\x00\x41", 3));
    EXPECT_EQ(Read<std::string>(R"({"bytes":"C0AF"})"), "\xc0\xaf");
    EXPECT_EQ(Read<std::string>(R"({"bytes":"616263"})"), "abc");
    EXPECT_EQ(Read<std::string>(R"({"bytes":""})"), "");
}

TEST(JsonByteStringTest, MalformedByteObjectsAreRefusedAtTheirKey)
{
    EXPECT_EQ(Refusal<std::string>(R"({"bytes":"abc"})"), "field.bytes: odd number of hex digits");
    EXPECT_EQ(Refusal<std::string>(R"({"bytes":"00zz"})"),
              "field.bytes: \"zz\" at character 2 is not a hex byte");
    EXPECT_EQ(Refusal<std::string>(R"({"bytes":"00","hex":"11"})"), "field.hex: unknown key");
    EXPECT_EQ(Refusal<std::string>("{}"), "field.bytes: missing key");
    EXPECT_EQ(Refusal<std::string>(R"({"bytes":[255]})"),
              "field.bytes: expected a string of hex digits, got an array");
    EXPECT_EQ(Refusal<std::string>("42"),
              "field: expected a string or {\"bytes\": \"<hex>\"}, got the integer 42");
}

} // namespace
