#include "core/preview/ModePreviewSample.h"
#include "core/effects/ModeCatalogue.h"
#include "core/preview/DemoTrace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace lumaro {
namespace {

constexpr std::int32_t kUnlit = CModePreviewSample::kUnlit;

// Colour of the lamp at grid cell (x, y) in frame n; kUnlit for no lamp.
std::int32_t At(const CModePreviewSample& s, std::size_t n, int x, int y)
{
    const std::vector<std::int32_t> frame = s.Frame(n);
    for (const CLamp& lamp : s.Lamps())
        if (lamp.x == x && lamp.y == y)
            return frame[static_cast<std::size_t>(lamp.number)];
    return kUnlit;
}

std::size_t LitCount(const std::vector<std::int32_t>& frame)
{
    return static_cast<std::size_t>(
        std::count_if(frame.begin(), frame.end(), [](auto c) { return c != kUnlit; }));
}

CRect Box(const CModePreviewSample& s)
{
    return LampBounds(s.Lamps());
}

TEST(ModePreviewSample, BandChaseMovesEachColourOneColumnAFrameInItsDirection)
{
    const CModePreviewSample forward("CM_LEFTTORIGHT_GC");
    ASSERT_EQ(forward.Compiled().modes.size(), 1u);
    EXPECT_EQ(forward.Compiled().modes[0].layer, 2);
    const CRect box = Box(forward);
    ASSERT_EQ(forward.FrameCount(), 4u) << "one pass of the four sample colours";
    for (std::size_t s = 0; s < forward.FrameCount(); ++s) {
        for (int x = box.left; x < box.right; ++x) {
            EXPECT_EQ(At(forward, s, x, box.top), At(forward, s, x, box.bottom)) << "a column lights as one";
            EXPECT_EQ(At(forward, s, x, box.top), At(forward, s + 1, x + 1, box.top)) << s << " " << x;
        }
    }
    EXPECT_EQ(forward.Frame(1), forward.Frame(1 + forward.FrameCount())) << "the run repeats";

    const CModePreviewSample backward("CM_RIGHTTOLEFT_GC");
    for (int x = box.left; x < box.right; ++x)
        EXPECT_EQ(At(backward, 0, x + 1, box.top), At(backward, 1, x, box.top));
}

TEST(ModePreviewSample, LampChaseLightsEveryLampAndMoves)
{
    const CModePreviewSample chase("CM_UPTODOWN_CC");
    EXPECT_EQ(chase.Compiled().modes.at(0).layer, 6);
    EXPECT_EQ(LitCount(chase.Frame(0)), chase.Lamps().size());
    EXPECT_NE(chase.Frame(0), chase.Frame(1));
}

TEST(ModePreviewSample, FillsLightBandsOrLampsInTurnAndKeepThemLit)
{
    const CModePreviewSample bands("CM_LEFTTORIGHT_GF");
    const CRect box = Box(bands);
    ASSERT_GT(bands.FrameCount(), 2u);
    std::size_t lit = 0;
    for (std::size_t n = 0; n < bands.FrameCount(); ++n) {
        EXPECT_GE(LitCount(bands.Frame(n)), lit) << n;
        lit = LitCount(bands.Frame(n));
        for (int x = box.left + 1; x <= box.right; ++x)
            if (At(bands, n, x, box.top) != kUnlit) {
                EXPECT_NE(At(bands, n, x - 1, box.bottom), kUnlit) << "from the left, " << n << " " << x;
            }
    }
    EXPECT_LT(LitCount(bands.Frame(0)), bands.Lamps().size());
    EXPECT_EQ(lit, bands.Lamps().size());

    const CModePreviewSample lamps("CM_RIGHTTOLEFT_CF");
    EXPECT_EQ(lamps.Compiled().modes.at(0).layer, 10);
    EXPECT_LE(LitCount(lamps.Frame(0)), 1u);
    EXPECT_EQ(LitCount(lamps.Frame(lamps.FrameCount() - 1)), lamps.Lamps().size());
}

TEST(ModePreviewSample, FadeRampsItsLampsFromTheFirstColourToTheSecond)
{
    const CModePreviewSample fade("CM_BRIGHTTODARK");
    EXPECT_EQ(fade.Compiled().modes.at(0).layer, 0);
    ASSERT_GT(fade.FrameCount(), 2u);
    int previous = 256;
    for (std::size_t n = 0; n < fade.FrameCount(); ++n) {
        const std::vector<std::int32_t> frame = fade.Frame(n);
        EXPECT_EQ(std::set<std::int32_t>(frame.begin(), frame.end()).size(), 1u) << "all lamps alike";
        EXPECT_LT(frame[0] & 0xFF, previous) << n;
        previous = frame[0] & 0xFF;
    }
    EXPECT_EQ(fade.Frame(0)[0], 0xFFFFFF);
    EXPECT_EQ(fade.Frame(fade.FrameCount() - 1)[0], 0);

    const CModePreviewSample kernel("CM_KERNELBD");
    const CRect box = Box(kernel);
    EXPECT_EQ(LitCount(kernel.Frame(0)), std::size_t((box.right - box.left - 1) * (box.bottom - box.top - 1)))
        << "only lamps with four neighbours";
    EXPECT_EQ(At(kernel, 0, box.left, box.top), kUnlit);
}

TEST(ModePreviewSample, RingsGrowFromTheCentreOfASquare)
{
    const CModePreviewSample rings("CM_EXPANDCIRCULAR_GC");
    const CRect box = Box(rings);
    ASSERT_EQ(box.right - box.left, box.bottom - box.top);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const CCompiledEffects& c = rings.Compiled();
    const UIntArray& bands = c.bandTable.at(std::size_t(c.modes.at(0).bandOrderIndex));
    const UIntArray& first = c.lampSequenceTable.at(bands.at(0));
    ASSERT_EQ(first.size(), 1u);
    const CLamp& centre = rings.Lamps().at(first[0]);
    EXPECT_EQ(centre.x, cx);
    EXPECT_EQ(centre.y, cy);
    for (std::size_t n = 0; n < rings.FrameCount(); ++n) {
        const std::int32_t ring1 = At(rings, n, cx - 1, cy);
        EXPECT_EQ(At(rings, n, cx + 1, cy), ring1);
        EXPECT_EQ(At(rings, n, cx, cy - 1), ring1);
        EXPECT_NE(At(rings, n, cx, cy), ring1) << "the centre is a band of its own";
    }
}

TEST(ModePreviewSample, FrameOrderRunsRoundTheOutlineOnly)
{
    const CModePreviewSample frame("CM_SIDEFRAME_CC");
    const CRect box = Box(frame);
    const std::size_t outline = std::size_t(2 * (box.right - box.left + 1) + 2 * (box.bottom - box.top - 1));
    for (std::size_t n = 0; n < frame.FrameCount(); ++n) {
        EXPECT_EQ(LitCount(frame.Frame(n)), outline);
        EXPECT_EQ(At(frame, n, box.left + 1, box.top + 1), kUnlit);
    }
}

TEST(ModePreviewSample, CircularAreaPlaysItsInnerModeInsideTheCircleOnly)
{
    const CModePreviewSample circle("CM_CIRCULAR_AREA");
    const CModeItem& r = circle.Record();
    for (std::size_t n = 0; n < circle.FrameCount(); ++n) {
        const std::vector<std::int32_t> colours = circle.Frame(n);
        for (const CLamp& lamp : circle.Lamps()) {
            const int dx = lamp.x - r.circleX, dy = lamp.y - r.circleY;
            const bool inside = dx * dx + dy * dy <= r.circleRadius * r.circleRadius;
            EXPECT_EQ(colours[std::size_t(lamp.number)] != kUnlit, inside) << lamp.x << "," << lamp.y;
        }
    }
}

TEST(ModePreviewSample, TextModeRunsOneRecordARowWithTextAndBackground)
{
    const CModePreviewSample word("CM_LEFTTORIGHT_WORD");
    const CRect box = Box(word);
    EXPECT_EQ(word.Compiled().modes.size(), std::size_t(box.bottom - box.top + 1));
    const std::vector<std::int32_t> frame = word.Frame(0);
    EXPECT_EQ(std::set<std::int32_t>(frame.begin(), frame.end()).size(), 2u);
}

TEST(ModePreviewSample, EveryCatalogueTypeHasASampleButThoseThatLightNothingAlone)
{
    const std::set<std::string_view> alone = {"CM_CUSTOMMODE", "CM_EMPTYMODE", "CM_REGROUP", "CM_REGRESS"};
    for (std::string_view type : CatalogueTypes()) {
        const CModePreviewSample sample(type);
        if (alone.count(type)) {
            EXPECT_EQ(sample.FrameCount(), 0u) << type;
            EXPECT_TRUE(sample.Frame(0).empty()) << type;
            continue;
        }
        ASSERT_GT(sample.FrameCount(), 0u) << type;
        std::size_t lit = 0;
        for (std::size_t n = 0; n < sample.FrameCount(); ++n)
            lit = std::max(lit, LitCount(sample.Frame(n)));
        EXPECT_GT(lit, 0u) << type;
    }
    EXPECT_EQ(CModePreviewSample("CM_NOT_A_TYPE").FrameCount(), 0u);
}

TEST(ModePreviewSample, ShowsWhatTheDemosPaintersDraw)
{
    for (std::string_view type : {"CM_UPTODOWN_CC", "CM_BRIGHTTODARK", "CM_LEFTTORIGHT_WORD"}) {
        const CModePreviewSample sample(type);
        DemoTraceOptions options;
        options.durationMs = 60'000;
        const std::vector<DemoTraceDraw> trace =
            TraceDemo(sample.Compiled().modes, sample.Compiled(), sample.Lamps(), options);
        ASSERT_FALSE(trace.empty()) << type;
        std::vector<std::int32_t> end(sample.Lamps().size(), kUnlit);
        for (const DemoTraceDraw& d : trace)
            end[std::size_t(d.lamp)] = d.colour.red << 16 | d.colour.green << 8 | d.colour.blue;
        EXPECT_EQ(sample.Frame(sample.FrameCount() - 1), end) << type << ": the run ends as the play does";
    }
}

} // namespace
} // namespace lumaro
