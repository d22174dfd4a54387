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

TEST(PlacementFile, APictureKeepsItsPlaceAmongTheLampsAtAnotherZoom)
{
    // Saved at cell size 10 in a 400 x 300 client, applied at 20.
    const CPlacement saved = CPlacement::Of({120, 40, 2.0}, 10, 200, 150);
    EXPECT_EQ(saved.state, 2);
    EXPECT_EQ(saved.SpotAt(10, 200, 150), (CPictureSpot{120, 40, 2.0}))
        << "the same zoom gives the same spot";
    // 80 pixels left of the middle at 10 is 160 pixels left of it at 20.
    EXPECT_EQ(saved.SpotAt(20, 200, 150), (CPictureSpot{40, -70, 4.0}));
    const auto read = CPlacementFile::Read(CPlacementFile::Bytes(saved));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->SpotAt(20, 200, 150), (CPictureSpot{40, -70, 4.0}));
    // No cell size divides by zero.
    EXPECT_EQ(CPlacement::Of({5, 5, 1.0}, 0, 10, 10).SpotAt(0, 10, 10), (CPictureSpot{5, 5, 1.0}));

    // An export of its own size refits the lamps; the picture follows them:
    // 20 pixels left of cell (0, 0) at zoom 10 is 40 left of it at 20.
    EXPECT_EQ(SpotOver({80, 40, 1.5}, {10, 100, 50}, {20, 300, 200}), (CPictureSpot{260, 180, 3.0}));
}

TEST(PlacementFile, ASavedPlacementGivesBackTheSameSpotAtTheSameZoomExactly)
{
    int moved = 0, movedThroughFile = 0;
    for (int cell = 1; cell <= 40; cell += 3)
        for (int x = -700; x <= 700; x += 7)
            for (int half : {199, 200, 383, 640}) {
                const CPictureSpot spot{x, -x / 2 + 3, 1.0};
                const CPlacement saved = CPlacement::Of(spot, cell, half, half - 50);
                const CPictureSpot back = saved.SpotAt(cell, half, half - 50);
                moved += back.x != spot.x || back.y != spot.y;
                const auto read = CPlacementFile::Read(CPlacementFile::Bytes(saved));
                const CPictureSpot fromFile = read->SpotAt(cell, half, half - 50);
                movedThroughFile += fromFile.x != spot.x || fromFile.y != spot.y;
            }
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(movedThroughFile, 0);
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
