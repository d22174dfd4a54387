#include "core/layout/LampScanner.h"
#include "core/project/EditImgDoc.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

constexpr std::uint32_t kBlack = 0x000000;

// A picture of one colour with a few coloured pixels.
CScaledPicture Picture(int w, int h, std::uint32_t background,
                       std::initializer_list<std::tuple<int, int, std::uint32_t>> spots = {})
{
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w * h), background);
    for (auto [x, y, c] : spots)
        px[static_cast<std::size_t>(y * w + x)] = c;
    return CScaledPicture(w, h, std::move(px));
}

CEditImgDoc DocWithGrid(CRect scope, double step)
{
    CEditImgDoc doc;
    doc.scanScope = scope;
    doc.gridStep = step;
    return doc;
}

} // namespace

TEST(LampScannerGrid, ScopeOf640PixelsGivesStep512And125Columns)
{
    const CRect scope{0, 0, 640, 480};
    const double step = CLampScanner::GridStep(scope, 40.0f, 5000.0f);
    EXPECT_DOUBLE_EQ(step, 5.12);
    auto grid = CLampScanner::GridFor(scope, step);
    ASSERT_TRUE(grid.ok());
    EXPECT_EQ(grid->columns, 125);
    EXPECT_EQ(grid->rows, 93);
}

TEST(LampScannerGrid, UnusableGridsAreRefusedAndChangeNothing)
{
    for (float objectSize : {0.0f, -10.0f, -0.0f}) {
        CEditImgDoc doc;
        doc.objectSize = objectSize;
        const CEditImgDoc before = doc;
        const Status s = CLampScanner::Begin(doc);
        ASSERT_FALSE(s.ok()) << objectSize;
        EXPECT_EQ(s.key, CLampScanner::kBadGridKey);
        EXPECT_NE(s.detail.find("grid step"), std::string::npos);
        EXPECT_EQ(s.detailKey, CLampScanner::kStepNotPositiveKey);
        ASSERT_EQ(s.detailValues.size(), 1u);
        EXPECT_EQ(s.detailValues[0],
                  s.detail.substr(s.detail.find("grid step ") + 10, s.detailValues[0].size()));
        EXPECT_EQ(doc.gridStep, 8.0);
        EXPECT_TRUE(doc.SameStoredData(before));
    }
    // A tiny lamp over a large object asks for more samples than allowed.
    CEditImgDoc doc;
    doc.lampSize = 1.01f;
    doc.objectSize = 999999.0f;
    const Status s = CLampScanner::Begin(doc);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.detail.find("columns"), std::string::npos) << s.detail;
    // The values of the user's text are those of the detail.
    EXPECT_EQ(s.detailKey, CLampScanner::kTooManySamplesKey);
    ASSERT_EQ(s.detailValues.size(), 5u);
    for (const std::string& value : s.detailValues)
        EXPECT_NE(s.detail.find(" " + value + " "), std::string::npos) << value << " in " << s.detail;
    EXPECT_EQ(s.detailValues[4], "16777216");
    // A grid step wider than the scope is usable: it simply holds no samples.
    auto wide = CLampScanner::GridFor({0, 0, 640, 480}, 25.6e6);
    ASSERT_TRUE(wide.ok());
    EXPECT_EQ(wide->columns, 0);
    // Exactly the limit is still scanned.
    EXPECT_TRUE(CLampScanner::GridFor({0, 0, 4096, 4096}, 1.0).ok());
    EXPECT_FALSE(CLampScanner::GridFor({0, 0, 4097, 4096}, 1.0).ok());
}

TEST(LampScannerBackground, ToleranceIncludesBothEnds)
{
    const std::uint32_t bg = 0x646464;                          // 100, 100, 100
    EXPECT_TRUE(CLampScanner::IsBackground(0x6E5A6E, bg, 10));  // 110, 90, 110
    EXPECT_TRUE(CLampScanner::IsBackground(0x5A5A5A, bg, 10));  // 90 each
    EXPECT_FALSE(CLampScanner::IsBackground(0x6E5A6F, bg, 10)); // red 111
    EXPECT_FALSE(CLampScanner::IsBackground(0x59645A, bg, 10)); // green 100, blue 89
    EXPECT_TRUE(CLampScanner::IsBackground(0xFFFFFF, 0x000000, CLampScanner::kEmptyLayoutTolerance));
}

TEST(LampScannerScan, LampsAreNumberedDownEachColumn)
{
    // Step 10 over a 40 × 30 scope: samples at x = 0, 10, 20, 30 and y = 0, 10, 20.
    auto pic = Picture(40, 30, kBlack, {{20, 0, 0xFF}, {0, 20, 0xFF}, {0, 10, 0xFF00}, {20, 20, 0xFF0000}});
    pic.SetFit(1.0);
    CEditImgDoc doc = DocWithGrid({0, 0, 40, 30}, 10.0);
    ASSERT_TRUE(CLampScanner::Finish(doc, pic).ok());
    ASSERT_EQ(doc.lamps.size(), 4u);
    const std::vector<std::pair<int, int>> cells = {{0, 1}, {0, 2}, {2, 0}, {2, 2}};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(doc.lamps[i].x, cells[i].first);
        EXPECT_EQ(doc.lamps[i].y, cells[i].second);
        EXPECT_EQ(doc.lamps[i].number, static_cast<int>(i));
        EXPECT_EQ(doc.lamps[i].colour, static_cast<std::int32_t>(kColourGreen));
        EXPECT_EQ(doc.lamps[i].size, 10);
        EXPECT_EQ(doc.lamps[i].port, 0);
    }
    EXPECT_TRUE(doc.scanned);
}

TEST(LampScannerScan, SamplesAreTakenAtWholePixelsOfTheFractionalGrid)
{
    // Step 2.5 from left 1: x = 1, 3, 6, 8 (whole parts of 1, 3.5, 6, 8.5).
    std::vector<std::uint32_t> px(10, kBlack);
    px[6] = 0xFFFFFF;
    px[5] = 0xFFFFFF; // between samples: never read
    CScaledPicture pic(10, 1, px);
    CEditImgDoc doc = DocWithGrid({1, 0, 11, 3}, 2.5);
    ASSERT_TRUE(CLampScanner::Finish(doc, pic).ok());
    ASSERT_EQ(doc.lamps.size(), 1u);
    EXPECT_EQ(doc.lamps[0].x, 2);
    EXPECT_EQ(doc.lamps[0].size, 2);
}

TEST(LampScannerScan, EmptyLayoutFindsNoLampsAndKeepsItsTolerance)
{
    auto pic = Picture(100, 100, kBlack, {{10, 10, 0xFFFFFF}});
    pic.SetFit(1.0);
    CEditImgDoc doc;
    ASSERT_TRUE(CLampScanner::BeginEmptyLayout(doc).ok());
    EXPECT_EQ(doc.backgroundTolerance, 8421504);
    EXPECT_DOUBLE_EQ(doc.gridStep, 640 * 40.0 / 5000.0);
    ASSERT_TRUE(CLampScanner::Finish(doc, pic).ok());
    EXPECT_TRUE(doc.lamps.empty());
    EXPECT_TRUE(doc.scanned);
}

TEST(ScaledPicture, ShowsThePicturesOwnPixelsAndWhiteOutside)
{
    auto pic = Picture(4, 2, kBlack, {{3, 1, 0x123456}});
    pic.SetFit(2.5);
    EXPECT_EQ(pic.ColourAt(9, 4), 0x123456u); // 9 / 2.5 = 3.6, 4 / 2.5 = 1.6
    EXPECT_EQ(pic.ColourAt(7, 4), kBlack);    // 2.8
    EXPECT_EQ(pic.ColourAt(10, 4), kColourWhite);
    EXPECT_EQ(pic.ColourAt(0, 5), kColourWhite);
    EXPECT_EQ(pic.ColourAt(-1, 0), kColourWhite);
    EXPECT_EQ(CScaledPicture().ColourAt(0, 0), kColourWhite);
    // A pixel buffer of the wrong size gives an empty picture, not a crash.
    EXPECT_TRUE(CScaledPicture(3, 3, std::vector<std::uint32_t>(4)).Empty());
}

TEST(ScaledPicture, OpenPictureFitsTheViewAndSetsScopeAndBackground)
{
    auto pic = Picture(400, 300, 0x00AA00);
    CEditImgDoc doc;
    ASSERT_TRUE(CLampScanner::OpenPicture(doc, pic, 1000, 600).ok());
    EXPECT_DOUBLE_EQ(pic.Fit(), 2.0);
    EXPECT_EQ(doc.backgroundColour, 0x00AA00u);
    EXPECT_EQ(doc.scanScope, (CRect{1, 1, 780, 600}));

    CScaledPicture none;
    CEditImgDoc untouched;
    EXPECT_FALSE(CLampScanner::OpenPicture(untouched, none, 1000, 600).ok());
    EXPECT_EQ(untouched.scanScope, CEditImgDoc().scanScope);
}

TEST(Rect, ScopeDrawnEitherWayIsTheSame)
{
    EXPECT_EQ((CRect{300, 200, 10, 20}).Normalized(), (CRect{10, 20, 300, 200}));
    EXPECT_EQ((CRect{10, 200, 300, 20}).Normalized(), (CRect{10, 20, 300, 200}));
}

TEST(LampScannerScan, RowReadsGiveTheSameLampsAsPointReads)
{
    // A source that only answers point by point takes the generic path.
    struct PointOnly : IColourSource {
        const CScaledPicture& picture;
        explicit PointOnly(const CScaledPicture& p) : picture(p) {}
        std::uint32_t ColourAt(int px, int py) const override { return picture.ColourAt(px, py); }
    };
    std::vector<std::uint32_t> px(97 * 61);
    std::uint32_t seed = 12345;
    for (auto& c : px) {
        seed = seed * 1103515245u + 12345u;
        c = (seed >> 8) & 0x00FFFFFF;
    }
    CScaledPicture pic(97, 61, px);
    for (double fit : {1.0, 0.37, 2.9}) {
        pic.SetFit(fit);
        CEditImgDoc a = DocWithGrid({-7, -3, 330, 200}, 1.7);
        a.backgroundColour = 0x808080;
        a.backgroundTolerance = 100;
        CEditImgDoc b = a;
        ASSERT_TRUE(CLampScanner::Finish(a, pic).ok());
        ASSERT_TRUE(CLampScanner::Finish(b, PointOnly(pic)).ok());
        EXPECT_EQ(a.lamps, b.lamps) << fit;
        EXPECT_FALSE(a.lamps.empty());
    }
}
