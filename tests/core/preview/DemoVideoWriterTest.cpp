#include "core/preview/DemoVideoWriter.h"

#include "core/TestSupport.h"
#include "core/effects/EffectCompiler.h"
#include "core/preview/DemoMovie.h"
#include "core/project/LayoutFile.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <gtest/gtest.h>

#include <cstdlib>

namespace lumaro {
namespace {

using test::TempDir;

// A video read back with the libraries that wrote it: every frame decoded
// to 0xFFRRGGBB.
struct Clip {
    int width = 0;
    int height = 0;
    double seconds = 0;
    std::vector<std::vector<std::uint32_t>> frames;

    std::uint32_t At(std::size_t frame, int x, int y) const
    {
        return frames[frame][static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(x)];
    }
};

Clip Read(const fs::path& path)
{
    Clip clip;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return clip;
    avformat_find_stream_info(format, nullptr);
    const AVCodec* decoder = nullptr;
    const int stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    AVCodecContext* codec = stream >= 0 ? avcodec_alloc_context3(decoder) : nullptr;
    if (codec && avcodec_parameters_to_context(codec, format->streams[stream]->codecpar) >= 0 &&
        avcodec_open2(codec, decoder, nullptr) >= 0) {
        clip.width = codec->width;
        clip.height = codec->height;
        clip.seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        SwsContext* rgb = nullptr;
        const auto take = [&] {
            while (avcodec_receive_frame(codec, frame) >= 0) {
                rgb = sws_getCachedContext(
                    rgb, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
                    frame->height, AV_PIX_FMT_RGB32, SWS_POINT, nullptr, nullptr, nullptr);
                std::vector<std::uint32_t> pixels(static_cast<std::size_t>(frame->width) * frame->height);
                std::uint8_t* out[] = {reinterpret_cast<std::uint8_t*>(pixels.data())};
                const int stride[] = {frame->width * 4};
                sws_scale(rgb, frame->data, frame->linesize, 0, frame->height, out, stride);
                clip.frames.push_back(std::move(pixels));
            }
        };
        while (av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == stream)
                avcodec_send_packet(codec, packet);
            av_packet_unref(packet);
            take();
        }
        avcodec_send_packet(codec, nullptr);
        take();
        sws_freeContext(rgb);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return clip;
}

// Within what 4:2:0 and a lossy codec leave of a flat colour.
bool Near(std::uint32_t pixel, DemoRgb colour)
{
    const DemoRgb got{static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                      static_cast<std::uint8_t>(pixel)};
    return std::abs(got.red - colour.red) <= 24 && std::abs(got.green - colour.green) <= 24 &&
           std::abs(got.blue - colour.blue) <= 24;
}

TEST(DemoVideoWriter, TheSampleProjectPlaysIntoEachContainerAtItsSizeRateAndLength)
{
    const fs::path folder = fs::path(LUMARO_SOURCE_DIR) / "data" / "Sample";
    const auto doc = CLayoutFile::Load(folder / "Facade.LED");
    ASSERT_TRUE(doc.ok()) << doc.status().detail;
    const CCompiledEffects compiled = CompileEffects(doc.value());
    const std::vector<CLamp>& lamps = doc->lampPositions;
    const DemoTraceOptions trace{.order = DemoOrder::Sequential, .durationMs = 1200};
    DemoMovieOptions movie;
    movie.geometry = CDemoGeometry::Centre(lamps, CDemoGeometry::FitZoom(lamps, 320, 240), 320, 240);
    movie.durationMs = trace.durationMs;
    movie.framesPerSecond = 25;
    const CDemoFrame background(320, 240);

    // A lamp lit in the last frame (at 1.16 s): the last draw by then whose
    // cell lies inside the picture.
    std::optional<DemoTraceDraw> lit;
    for (const DemoTraceDraw& d : TraceDemo(compiled.modes, compiled, lamps, trace)) {
        const CRect cell = movie.geometry.CellOf(lamps[static_cast<std::size_t>(d.lamp)]);
        if (d.ms <= 1160 && d.colour != DemoRgb{} && cell.left >= 0 && cell.top >= 0 && cell.right <= 320 &&
            cell.bottom <= 240)
            lit = d;
    }
    ASSERT_TRUE(lit);
    const CRect cell = movie.geometry.CellOf(lamps[static_cast<std::size_t>(lit->lamp)]);

    TempDir dir;
    for (const char* name : {"clip.mp4", "clip.webm"}) {
        SCOPED_TRACE(name);
        const Status written =
            CDemoMovie::Write(compiled.modes, compiled, lamps, trace, background, movie, dir / name);
        ASSERT_TRUE(written) << written.detail;
        const Clip clip = Read(dir / name);
        EXPECT_EQ(clip.width, 320);
        EXPECT_EQ(clip.height, 240);
        ASSERT_EQ(clip.frames.size(), 30u);
        EXPECT_NEAR(clip.seconds, 1.2, 0.01);
        EXPECT_TRUE(
            Near(clip.At(29, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2), lit->colour));
    }
}

TEST(DemoVideoWriter, EachFrameShowsTheDrawsUpToItsOwnTime)
{
    const std::vector<CLamp> lamps = {{0, 0, 0, 0, 1, 1}, {4, 0, 1, 0, 1, 1}};
    DemoMovieOptions options;
    options.geometry = {10, 10, 10};
    options.durationMs = 1000;
    options.framesPerSecond = 25; // a frame every 40 ms
    const CDemoFrame background(64, 32, {0, 0, 80});
    TempDir dir;
    CAtomicFile file(dir / "t.mp4");
    ASSERT_TRUE(file.Open());
    CDemoVideoWriter writer(lamps, background, options, DemoMovieFormat::Mp4, file);
    ASSERT_TRUE(writer.Begin());
    // Lamp 0 red at once and green at 500 ms; lamp 1 white at 480 ms, the
    // very time of frame 12; a draw after the end is left out.
    for (const DemoTraceDraw& d :
         {DemoTraceDraw{0, 0, 0, {255, 0, 0}}, DemoTraceDraw{480, 0, 1, {255, 255, 255}},
          DemoTraceDraw{500, 0, 0, {0, 255, 0}}, DemoTraceDraw{1000, 0, 1, {255, 0, 0}}})
        ASSERT_TRUE(writer.Add(d));
    EXPECT_EQ(writer.Frames(), 13u);
    ASSERT_TRUE(writer.Finish());
    ASSERT_TRUE(file.Commit());

    const Clip clip = Read(dir / "t.mp4");
    ASSERT_EQ(clip.frames.size(), 25u);
    EXPECT_TRUE(Near(clip.At(0, 10, 10), {255, 0, 0}));
    EXPECT_TRUE(Near(clip.At(11, 50, 10), {0, 0, 80}));
    EXPECT_TRUE(Near(clip.At(12, 50, 10), {255, 255, 255}));
    EXPECT_TRUE(Near(clip.At(12, 10, 10), {255, 0, 0}));
    EXPECT_TRUE(Near(clip.At(13, 10, 10), {0, 255, 0}));
    EXPECT_TRUE(Near(clip.At(24, 50, 10), {255, 255, 255}));
}

TEST(DemoVideoWriter, ASizeTheEncoderCannotTakeOrACancelLeavesTheOldFile)
{
    TempDir dir;
    const fs::path path = dir / "old.mp4";
    test::WriteText(path, "old");
    DemoMovieOptions options;
    options.durationMs = 3000;
    const auto write = [&](const CDemoFrame& background, const std::function<bool(double)>& progress = {}) {
        return CDemoMovie::Write({}, {}, {}, {.durationMs = options.durationMs}, background, options, path,
                                 progress);
    };

    const Status odd = write(CDemoFrame(321, 240));
    EXPECT_EQ(odd.key, CDemoVideoWriter::kSizeKey);
    EXPECT_EQ(odd.args, (std::vector<std::string>{"321", "240", "4096"}));
    EXPECT_EQ(write(CDemoFrame(4098, 16)).key, CDemoVideoWriter::kSizeKey);
    EXPECT_EQ(write(CDemoFrame(64, 64), [](double) { return false; }).key, CDemoMovie::kCancelledKey);

    EXPECT_EQ(test::ReadText(path), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace lumaro
