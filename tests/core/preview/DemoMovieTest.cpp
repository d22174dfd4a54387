#include "core/preview/DemoMovie.h"

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace lumaro {
namespace {

DemoTraceDraw Draw(std::int64_t ms, std::int32_t lamp, std::uint8_t red)
{
    return {ms, 0, lamp, {red, 0, 0}};
}

TEST(DemoMovie, FramesBeginAtDrawsJoinCloseOnesAndKeepTheClock)
{
    using F = DemoMovieFrame;
    // Draws 5 ms apart join the frame of the first; the delays add up to the play.
    const std::vector<DemoTraceDraw> trace = {Draw(0, 0, 1), Draw(5, 1, 1), Draw(100, 0, 2), Draw(333, 1, 3),
                                              Draw(340, 0, 3)};
    EXPECT_EQ(PlanDemoMovie(trace, 1000), (std::vector<F>{{2, 10}, {3, 23}, {5, 67}}));
    // Nothing before the first draw: the background alone opens the movie.
    EXPECT_EQ(PlanDemoMovie({Draw(250, 0, 1)}, 500), (std::vector<F>{{0, 25}, {1, 25}}));
    EXPECT_EQ(PlanDemoMovie({}, 1234), (std::vector<F>{{0, 123}}));
    EXPECT_TRUE(PlanDemoMovie(trace, 0).empty());

    // A chase stepping every 30 ms for a minute never drifts from the clock.
    std::vector<DemoTraceDraw> chase;
    for (std::int64_t t = 0; t < 60'000; t += 30)
        chase.push_back(Draw(t, 0, static_cast<std::uint8_t>(t / 30)));
    const auto frames = PlanDemoMovie(chase, 60'000);
    EXPECT_EQ(frames.size(), 2000u);
    EXPECT_EQ(
        std::accumulate(frames.begin(), frames.end(), 0, [](int s, const F& f) { return s + f.delayCs; }),
        6000);
}

struct Decoded {
    std::vector<int> delays;
    std::vector<int> transparent;
    std::vector<GifColorType> firstPixelOfLamp; // per frame, where the frame covers it
    int width = 0;
};

Decoded Decode(const std::string& bytes, int lampX, int lampY)
{
    struct Reader {
        const std::string* bytes;
        std::size_t at = 0;
    } reader{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(
        &reader,
        [](GifFileType* g, GifByteType* out, int n) {
            auto* r = static_cast<Reader*>(g->UserData);
            const auto take = std::min<std::size_t>(static_cast<std::size_t>(n), r->bytes->size() - r->at);
            std::memcpy(out, r->bytes->data() + r->at, take);
            r->at += take;
            return static_cast<int>(take);
        },
        &error);
    Decoded d;
    if (!gif || DGifSlurp(gif) != GIF_OK)
        return d;
    d.width = gif->SWidth;
    for (int i = 0; i < gif->ImageCount; ++i) {
        GraphicsControlBlock gcb{};
        DGifSavedExtensionToGCB(gif, i, &gcb);
        d.delays.push_back(gcb.DelayTime);
        d.transparent.push_back(gcb.TransparentColor);
        const SavedImage& image = gif->SavedImages[i];
        const GifImageDesc& desc = image.ImageDesc;
        if (lampX >= desc.Left && lampX < desc.Left + desc.Width && lampY >= desc.Top &&
            lampY < desc.Top + desc.Height) {
            const int index = image.RasterBits[(lampY - desc.Top) * desc.Width + (lampX - desc.Left)];
            d.firstPixelOfLamp.push_back(desc.ColorMap->Colors[index]);
        }
    }
    DGifCloseFile(gif, &error);
    return d;
}

TEST(DemoMovie, GifHoldsTheChangedBoxesWithTheirTimesAndCanBeCancelled)
{
    std::vector<CLamp> lamps = {{0, 0, 0, 0, 1, 1}, {4, 0, 1, 0, 1, 1}};
    DemoMovieOptions options;
    options.geometry = {10, 10, 10};
    options.durationMs = 1000;
    const CDemoFrame background(60, 30, {0, 0, 40});
    // Lamp 0 red at once, lamp 1 at 200 ms, lamp 0 again in the same colour
    // at 500 ms (nothing changes: that time joins the frame before it).
    const std::vector<DemoTraceDraw> trace = {Draw(0, 0, 200), Draw(200, 1, 100), Draw(500, 0, 200),
                                              Draw(700, 5, 9)};
    Result<std::string> gif = CDemoMovie::EncodeGif(trace, lamps, background, options);
    ASSERT_TRUE(gif) << gif.status().detail;
    const Decoded d = Decode(gif.value(), 10, 10);
    EXPECT_EQ(d.width, 60);
    EXPECT_EQ(d.delays, (std::vector<int>{20, 80}));
    EXPECT_EQ(d.transparent[0], NO_TRANSPARENT_COLOR);
    EXPECT_NE(d.transparent[1], NO_TRANSPARENT_COLOR);
    ASSERT_EQ(d.firstPixelOfLamp.size(), 1u); // the second frame covers lamp 1 only
    EXPECT_EQ(d.firstPixelOfLamp[0].Red, 200);

    // The play starting again clears the lamps to the background.
    const std::vector<DemoTraceDraw> again = {Draw(0, 0, 200), {300, kDemoRestart, kDemoRestart, {}}};
    const Decoded restarted =
        Decode(CDemoMovie::EncodeGif(again, lamps, background, options).value(), 10, 10);
    ASSERT_EQ(restarted.firstPixelOfLamp.size(), 2u);
    EXPECT_EQ(restarted.firstPixelOfLamp[1].Blue, 40);

    int calls = 0;
    Result<std::string> cancelled =
        CDemoMovie::EncodeGif(trace, lamps, background, options, [&](double) { return ++calls < 2; });
    EXPECT_EQ(cancelled.status().key, CDemoMovie::kCancelledKey);
    EXPECT_EQ(CDemoMovie::EncodeGif(trace, lamps, CDemoFrame(0, 10), options).status().key,
              CDemoMovie::kFailedKey);
}

TEST(DemoMovie, APictureOfManyColoursIsReducedNotRefused)
{
    CDemoFrame photo(64, 64);
    for (std::size_t i = 0; i < photo.pixels.size(); ++i)
        photo.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u & 0xFFFFFF);
    DemoMovieOptions options;
    options.durationMs = 100;
    Result<std::string> gif = CDemoMovie::EncodeGif({}, {}, photo, options);
    ASSERT_TRUE(gif);
    EXPECT_EQ(Decode(gif.value(), 0, 0).delays, (std::vector<int>{10}));
}

TEST(DemoMovie, AStillPictureLongerThanAGifDelayIsRepeatedNotCrashed)
{
    std::vector<CLamp> lamps = {{0, 0, 0, 0, 1, 1}};
    DemoMovieOptions options;
    options.geometry = {10, 10, 10};
    options.durationMs = 700'000; // past the 655.35 s one GIF frame can last
    Result<std::string> gif = CDemoMovie::EncodeGif({Draw(0, 0, 200)}, lamps, CDemoFrame(30, 30), options);
    ASSERT_TRUE(gif) << gif.status().detail;
    const Decoded d = Decode(gif.value(), 10, 10);
    EXPECT_EQ(d.delays, (std::vector<int>{65535, 70000 - 65535}));
}

} // namespace
} // namespace lumaro
