#include "core/app/ArchiveReader.h"
#include "core/app/ArchiveWriter.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumaro;
using lumaro::test::Le16;
using lumaro::test::Le32;
using lumaro::test::LeI32;

namespace {

std::string Written(const std::string& s)
{
    CArchiveWriter w;
    w.String(s);
    return w.Take();
}

std::string ReadBack(const std::string& bytes)
{
    CArchiveReader r(bytes);
    std::string s = r.String("a string");
    EXPECT_EQ(r.Remaining(), 0u);
    return s;
}

} // namespace

TEST(ArchiveString, PrefixGrowsAtTheFrameworksLimits)
{
    EXPECT_EQ(Written(""), std::string(1, '\0'));
    EXPECT_EQ(Written(std::string(254, 'a')).substr(0, 1), "\xFE");
    EXPECT_EQ(Written(std::string(254, 'a')).size(), 1u + 254u);
    EXPECT_EQ(Written(std::string(255, 'a')).substr(0, 3), "\xFF" + Le16(255));
    EXPECT_EQ(Written(std::string(65533, 'a')).substr(0, 3), "\xFF" + Le16(65533));
    EXPECT_EQ(Written(std::string(65534, 'a')).substr(0, 7), "\xFF" + Le16(0xFFFF) + Le32(65534));
    for (std::size_t n : {0u, 1u, 254u, 255u, 65533u, 65534u, 70000u})
        EXPECT_EQ(ReadBack(Written(std::string(n, 'z'))).size(), n);
}

TEST(ArchiveString, LongPrefixesForShortStringsAreAccepted)
{
    EXPECT_EQ(ReadBack("\xFF" + Le16(3) + "abc"), "abc");
    EXPECT_EQ(ReadBack("\xFF" + Le16(0xFFFF) + Le32(2) + "ab"), "ab");
    EXPECT_EQ(ReadBack(std::string("\x02\x80\xFF", 3)), "\x80\xFF"); // bytes, not text
}

TEST(ArchiveString, LengthBeyondTheBytesLeftFailsWithItsOffset)
{
    const std::string bytes = LeI32(7) + "\xFF" + Le16(0xFFFF) + Le32(0x7FFFFFFF) + "ab";
    CArchiveReader r(bytes);
    r.I32();
    try {
        r.String("the name of a mode record");
        FAIL() << "no error";
    } catch (const CArchiveError& e) {
        EXPECT_EQ(e.offset(), 4u);
        EXPECT_NE(std::string(e.what()).find("the name of a mode record"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("at byte 4"), std::string::npos);
    }
    const std::string wideBytes = "\xFF" + Le16(0xFFFE) + "\x01" + "a";
    CArchiveReader wide(wideBytes);
    EXPECT_THROW(wide.String("s"), CArchiveError);
}

TEST(ArchiveCount, SixteenBitsBelow65535ThenTheLongForm)
{
    auto count = [](std::uint32_t n) {
        CArchiveWriter w;
        w.Count(n);
        return w.Take();
    };
    EXPECT_EQ(count(65534), Le16(65534));
    EXPECT_EQ(count(65535), Le16(0xFFFF) + Le32(65535));
    EXPECT_EQ(count(1000000), Le16(0xFFFF) + Le32(1000000));
    for (std::uint32_t n : {0u, 65534u, 65535u, 1000000u}) {
        const std::string bytes = count(n);
        CArchiveReader r(bytes);
        EXPECT_EQ(r.Count("a count"), n);
    }
}

TEST(ArchiveArrays, EmptyArrayIsLastIndexMinusOne)
{
    CArchiveWriter w;
    w.ArrayList({{}, {7, 0xFFFFFFFF}});
    EXPECT_EQ(w.Bytes(), LeI32(2) + LeI32(-1) + LeI32(1) + Le32(7) + Le32(0xFFFFFFFF));
    CArchiveReader r(w.Bytes());
    const auto list = r.ArrayList("a list");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].empty());
    EXPECT_EQ(list[1], (std::vector<std::uint32_t>{7, 0xFFFFFFFF}));
}

TEST(ArchiveArrays, CountsAreCheckedBeforeAnythingIsAllocated)
{
    // Each of these would ask for gigabytes if the count were trusted.
    for (const std::string& bytes : {LeI32(0x7FFFFFFE) + Le32(1), LeI32(-2), std::string(LeI32(-5))}) {
        CArchiveReader r(bytes);
        EXPECT_THROW(r.UIntArray("colours"), CArchiveError);
    }
    const std::string hugeList = LeI32(0x7FFFFFFF) + LeI32(-1);
    CArchiveReader list(hugeList);
    EXPECT_THROW(list.ArrayList("layers"), CArchiveError);
    const std::string negativeList = LeI32(-1);
    CArchiveReader negative(negativeList);
    EXPECT_THROW(negative.ArrayList("layers"), CArchiveError);
}

TEST(ArchiveNumbers, LittleEndianRealsKeepEveryBit)
{
    CArchiveWriter w;
    w.Float(5000.0f);
    w.Double(8.0);
    w.Float(-0.0f);
    EXPECT_EQ(w.Bytes().substr(0, 4), Le32(0x459C4000));
    EXPECT_EQ(w.Bytes().substr(4, 8), Le32(0) + Le32(0x40200000));
    CArchiveReader r(w.Bytes());
    EXPECT_EQ(r.Float(), 5000.0f);
    EXPECT_EQ(r.Double(), 8.0);
    EXPECT_TRUE(std::signbit(r.Float()));
    EXPECT_THROW(r.U8(), CArchiveError);
}
