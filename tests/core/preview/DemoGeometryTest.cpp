#include "core/preview/DemoGeometry.h"
#include "core/preview/DemoFrame.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

std::vector<CLamp> At(std::initializer_list<std::pair<int, int>> cells)
{
    std::vector<CLamp> lamps;
    for (auto [x, y] : cells)
        lamps.emplace_back(x, y, static_cast<std::int32_t>(lamps.size()), 0, 1, 1);
    return lamps;
}

// A chosen picture size fits the whole box, cells included, both ways.
TEST(DemoGeometry, FitWholeKeepsEveryCellInsideAPictureOfAnyShape)
{
    // The longer side alone would give 12 and cut rows off at 720.
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{0, 0}, {100, 80}}), 1280, 720), 12);
    EXPECT_EQ(CDemoGeometry::FitWholeZoom(At({{0, 0}, {100, 80}}), 1280, 720), 8);
    EXPECT_EQ(CDemoGeometry::FitWholeZoom(At({{0, 0}, {99, 0}}), 1000, 720), 10);
    EXPECT_EQ(CDemoGeometry::FitWholeZoom(At({{3, 3}}), 1280, 720), 20);
    EXPECT_EQ(CDemoGeometry::FitWholeZoom(At({{0, 0}, {499, 499}}), 320, 240), 1);
}

TEST(DemoGeometry, FitsByTheLongerSideNeverBeyondTwentyAndCentres)
{
    // Wider than tall: by width; taller: by height.
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{10, 5}, {110, 25}}), 800, 600), 8);
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{0, 0}, {10, 100}}), 800, 600), 6);
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{0, 0}, {10, 5}}), 800, 600), 20);
    // One lamp, one row of equal cells, a window smaller than the layout.
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{3, 3}}), 800, 600), 20);
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{3, 3}, {3, 3}}), 800, 600), 20);
    EXPECT_EQ(CDemoGeometry::FitZoom(At({{0, 0}, {500, 0}}), 100, 100), 1);
    EXPECT_EQ(CDemoGeometry::FitZoom({}, 800, 600), 20);

    const CDemoGeometry g = CDemoGeometry::Centre(At({{10, 5}, {110, 25}}), 8, 800, 600);
    EXPECT_EQ(g, (CDemoGeometry{8, (800 - 120 * 8) / 2, (600 - 30 * 8) / 2}));
    EXPECT_EQ(g.CellOf(At({{10, 5}})[0]),
              (CRect{g.originX + 76, g.originY + 36, g.originX + 84, g.originY + 44}));
    EXPECT_EQ(CDemoGeometry::Centre({}, 99, 10, 10).zoom, 20);
    // At zoom 1 a lamp still has its pixel.
    const CDemoGeometry one = CDemoGeometry::Centre(At({{0, 0}}), 1, 10, 10);
    EXPECT_EQ(one.CellOf(At({{0, 0}})[0]), (CRect{5, 5, 6, 6}));
}

TEST(DemoGeometry, CellsPaintClippedAndRoundedSquaresLeaveTheirCorners)
{
    CDemoFrame frame(10, 10);
    const DemoRgb red{255, 0, 0};
    PaintDemoCell(frame.View(), {-4, -4, 3, 3}, red, DemoShape::Rectangle, 0);
    EXPECT_EQ(frame.At(0, 0), DemoPixel(red));
    EXPECT_EQ(frame.At(2, 2), DemoPixel(red));
    EXPECT_EQ(frame.At(3, 3), DemoPixel({}));
    PaintDemoCell(frame.View(), {8, 8, 40, 40}, red, DemoShape::Rectangle, 0);
    EXPECT_EQ(frame.At(9, 9), DemoPixel(red));

    CDemoFrame round(20, 20);
    PaintDemoCell(round.View(), {0, 0, 20, 20}, red, DemoShape::RoundedSquare, 18);
    EXPECT_EQ(round.At(0, 0), DemoPixel({}));
    EXPECT_EQ(round.At(19, 19), DemoPixel({}));
    EXPECT_EQ(round.At(10, 10), DemoPixel(red));
    EXPECT_EQ(round.At(10, 0), DemoPixel(red));
    EXPECT_EQ(round.At(0, 10), DemoPixel(red));
}

} // namespace
} // namespace lumaro
