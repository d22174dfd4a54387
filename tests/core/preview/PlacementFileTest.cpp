#include "core/preview/PlacementFile.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace lumaro;

namespace {

std::string File(std::string_view text, char length = 0)
{
    return std::string(1, length ? length : char(text.size())) + std::string(text);
}

TEST(PlacementFile, WritesALengthByteAndSixDecimalsWhateverTheLocale)
{
    const char* before = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::string bytes = CPlacementFile::Bytes({12.5, -3.25, 0.75, 1});
    if (before)
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(bytes, File("12.500000,-3.250000,0.750000,2,"));
    const auto back = CPlacementFile::Read(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back.value(), (CPlacement{12.5, -3.25, 0.75, 2}));
}

TEST(PlacementFile, ReadsFromTheSecondByteWhateverTheLengthByteSays)
{
    // A length byte beyond the file, extra fields, blanks and line ends.
    const auto read = CPlacementFile::Read(File(" 1.5 , 2,0.0,1,extra,\r\n", char(250)));
    ASSERT_TRUE(read) << read.status().detail;
    EXPECT_EQ(read.value(), (CPlacement{1.5, 2.0, 0.0, 1}));
}

TEST(PlacementFile, RefusesWhatWouldPlaceThePictureOutOfAllReason)
{
    for (const char* text : {"", "1,2,3", "a,2,1,2,", "1,2,nan,2,", "1,2,1e300,2,", "1,2,-1,2,", "inf,0,1,2,",
                             "1e9,0,1,2,", "1,2,1,7,", "1,2,1,2.5,", ",,,,"}) {
        const auto read = CPlacementFile::Read(File(text));
        EXPECT_FALSE(read) << text;
        EXPECT_EQ(read.status().key, CPlacementFile::kNotAPlacementKey) << text;
    }
    EXPECT_FALSE(CPlacementFile::Read(""));
}

} // namespace
