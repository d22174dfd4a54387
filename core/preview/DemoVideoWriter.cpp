#include "core/preview/DemoVideoWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace lumaro {

namespace {

#if LIBAVFORMAT_VERSION_MAJOR >= 61
using IoBytes = const std::uint8_t*;
#else
using IoBytes = std::uint8_t*;
#endif

constexpr int kIoBufferSize = 1 << 16;

struct Setting {
    const char* key;
    const char* value;
};

// Chosen for speed first: a minute of 2,000 lamps at 1080p and 30 frames a
// second takes about 13 s on two cores (veryfast would take 18 s for a
// third less bytes), and flat lamps on a still picture stay clean at these
// qualities. The encoders pick their own thread counts.
constexpr Setting kH264[] = {{"preset", "superfast"}, {"crf", "20"}};
constexpr Setting kVp9[] = {
    {"deadline", "realtime"}, {"cpu-used", "8"}, {"row-mt", "1"}, {"crf", "30"}, {"b", "0"}};

struct Encoding {
    const char* encoder;
    const char* muxer;
    std::span<const Setting> settings;
};

Encoding EncodingOf(DemoMovieFormat format)
{
    if (format == DemoMovieFormat::WebM)
        return {"libvpx-vp9", "webm", kVp9};
    return {"libx264", "mp4", kH264};
}

std::string AvError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// The frames whose time, k / rate seconds, lies before ms: a draw at a
// frame's very time is in that frame. Split at whole seconds so that no
// length of play overflows.
std::int64_t FramesBefore(std::int64_t ms, std::int64_t rate)
{
    return ms / 1000 * rate + (ms % 1000 * rate + 999) / 1000;
}

int WriteBytes(void* opaque, IoBytes data, int size)
{
    auto* file = static_cast<CAtomicFile*>(opaque);
    return file->Write({reinterpret_cast<const char*>(data), static_cast<std::size_t>(size)}) ? size
                                                                                              : AVERROR(EIO);
}

// The muxers go back to fill in sizes and the index; they need no length.
std::int64_t SeekBytes(void* opaque, std::int64_t offset, int whence)
{
    if ((whence & ~AVSEEK_FORCE) != SEEK_SET)
        return AVERROR(ENOSYS);
    return static_cast<CAtomicFile*>(opaque)->Seek(offset) ? offset : AVERROR(EIO);
}

} // namespace

struct CDemoVideoWriter::State {
    AVFormatContext* format = nullptr;
    AVIOContext* io = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    SwsContext* scale = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    CDemoFrame current;
    bool changed = true; // current differs from what frame holds

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State()
    {
        sws_freeContext(scale);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_free_context(format); // leaves its custom io alone
        if (io)
            av_freep(&io->buffer);
        avio_context_free(&io);
    }
};

CDemoVideoWriter::CDemoVideoWriter(const std::vector<CLamp>& lamps, const CDemoFrame& background,
                                   const DemoMovieOptions& options, DemoMovieFormat format, CAtomicFile& file)
    : m_lamps(lamps), m_background(background), m_options(options), m_format(format), m_file(file)
{
}

CDemoVideoWriter::~CDemoVideoWriter() = default;

Status CDemoVideoWriter::Begin()
{
    const std::int32_t w = m_background.width, h = m_background.height;
    const Encoding encoding = EncodingOf(m_format);
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    if (w <= 0 || h <= 0 || w % 2 != 0 || h % 2 != 0 || w > kMaxSide || h > kMaxSide)
        return Status::Fail(kSizeKey,
                            std::string("a video cannot be ") + size +
                                ": its sides must be even and at most " + std::to_string(kMaxSide) +
                                " pixels",
                            {std::to_string(w), std::to_string(h), std::to_string(kMaxSide)});
    const int rate = m_options.framesPerSecond;
    if (rate <= 0 || rate > 240)
        return Status::Fail(kFailedKey, "a video cannot have " + std::to_string(rate) + " frames a second");

    // The encoders' statistics are no message of the program's; their
    // errors still reach standard error, beside the failure's detail.
    av_log_set_level(AV_LOG_ERROR);
    auto state = std::make_unique<State>();
    State& s = *state;
    const AVCodec* encoder = avcodec_find_encoder_by_name(encoding.encoder);
    if (!encoder)
        return Status::Fail(kNoEncoderKey, std::string("this FFmpeg has no encoder ") + encoding.encoder,
                            {encoding.encoder});
    if (avformat_alloc_output_context2(&s.format, nullptr, encoding.muxer, nullptr) < 0 || !s.format)
        return Status::Fail(kFailedKey, std::string("this FFmpeg cannot write ") + encoding.muxer);
    s.stream = avformat_new_stream(s.format, nullptr);
    s.codec = avcodec_alloc_context3(encoder);
    s.packet = av_packet_alloc();
    s.frame = av_frame_alloc();
    if (!s.stream || !s.codec || !s.packet || !s.frame)
        return Status::Fail(kFailedKey, "out of memory for the video encoder");

    AVCodecContext& c = *s.codec;
    c.width = w;
    c.height = h;
    c.pix_fmt = AV_PIX_FMT_YUV420P;
    c.time_base = {1, rate};
    c.framerate = {rate, 1};
    c.gop_size = 2 * rate; // a key frame every two seconds, to seek
    c.thread_count = 0;    // as many as the encoder finds cores for
    // What swscale converts with by default, said so that players agree.
    c.colorspace = AVCOL_SPC_SMPTE170M;
    c.color_range = AVCOL_RANGE_MPEG;
    if (s.format->oformat->flags & AVFMT_GLOBALHEADER)
        c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* settings = nullptr;
    for (const auto& [key, value] : encoding.settings)
        av_dict_set(&settings, key, value, 0);
    const int opened = avcodec_open2(s.codec, encoder, &settings);
    av_dict_free(&settings);
    if (opened < 0)
        return Status::Fail(kSizeKey,
                            std::string(encoding.encoder) + " refused " + size + ": " + AvError(opened),
                            {std::to_string(w), std::to_string(h), std::to_string(kMaxSide)});
    if (avcodec_parameters_from_context(s.stream->codecpar, s.codec) < 0)
        return Status::Fail(kFailedKey, "the video stream could not be described");
    s.stream->time_base = c.time_base;
    s.stream->avg_frame_rate = c.framerate;

    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (!buffer)
        return Status::Fail(kFailedKey, "out of memory for the video encoder");
    s.io = avio_alloc_context(buffer, kIoBufferSize, 1, &m_file, nullptr, WriteBytes, SeekBytes);
    if (!s.io) {
        av_free(buffer);
        return Status::Fail(kFailedKey, "out of memory for the video encoder");
    }
    s.format->pb = s.io;
    if (const int header = avformat_write_header(s.format, nullptr); header < 0)
        return Status::Fail(kFailedKey,
                            std::string("the ") + encoding.muxer + " header failed: " + AvError(header));

    s.frame->format = c.pix_fmt;
    s.frame->width = w;
    s.frame->height = h;
    s.scale = sws_getContext(w, h, AV_PIX_FMT_RGB32, w, h, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr,
                             nullptr);
    if (av_frame_get_buffer(s.frame, 0) < 0 || !s.scale)
        return Status::Fail(kFailedKey, "out of memory for the video encoder");
    s.current = m_background;
    // Every frame due before the duration, and at least one.
    m_total = std::max<std::int64_t>(FramesBefore(m_options.durationMs, rate), 1);
    m_next = 0;
    m_state = std::move(state);
    return Status::Ok();
}

Status CDemoVideoWriter::Add(const DemoTraceDraw& draw)
{
    if (!m_state)
        return Status::Fail(kFailedKey, "the video encoder did not start");
    if (draw.ms >= m_options.durationMs)
        return Status::Ok();
    if (Status made = EncodeUntil(draw.ms); !made)
        return made;
    if (DrawDemoMovieDraw(m_state->current, m_background, m_lamps, m_options, draw))
        m_state->changed = true;
    return Status::Ok();
}

Status CDemoVideoWriter::Advance(std::int64_t ms)
{
    if (!m_state)
        return Status::Fail(kFailedKey, "the video encoder did not start");
    return EncodeUntil(ms);
}

Status CDemoVideoWriter::EncodeUntil(std::int64_t ms)
{
    while (m_next < std::min(m_total, FramesBefore(ms, m_options.framesPerSecond)))
        if (Status made = EncodeFrame(); !made)
            return made;
    return Status::Ok();
}

Status CDemoVideoWriter::EncodeFrame()
{
    State& s = *m_state;
    // A still play sends the same picture again without converting it.
    if (s.changed) {
        if (av_frame_make_writable(s.frame) < 0)
            return Status::Fail(kFailedKey, "out of memory for the video encoder");
        const auto* pixels = reinterpret_cast<const std::uint8_t*>(s.current.pixels.data());
        const int stride = s.current.width * 4;
        sws_scale(s.scale, &pixels, &stride, 0, s.current.height, s.frame->data, s.frame->linesize);
        s.changed = false;
    }
    s.frame->pts = m_next;
    if (const int sent = avcodec_send_frame(s.codec, s.frame); sent < 0)
        return Status::Fail(kFailedKey, "the video encoder failed on frame " + std::to_string(m_next) + ": " +
                                            AvError(sent));
    ++m_next;
    return Drain();
}

Status CDemoVideoWriter::Drain()
{
    State& s = *m_state;
    for (;;) {
        const int received = avcodec_receive_packet(s.codec, s.packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return Status::Ok();
        if (received < 0)
            return Status::Fail(kFailedKey, "the video encoder failed: " + AvError(received));
        // Each frame lasts one period, the last one too.
        if (s.packet->duration <= 0)
            s.packet->duration = 1;
        av_packet_rescale_ts(s.packet, s.codec->time_base, s.stream->time_base);
        s.packet->stream_index = s.stream->index;
        if (const int written = av_interleaved_write_frame(s.format, s.packet); written < 0)
            return Status::Fail(kFailedKey, "the video could not be written: " + AvError(written));
    }
}

Status CDemoVideoWriter::Finish()
{
    if (!m_state)
        return Status::Fail(kFailedKey, "the video encoder did not start");
    State& s = *m_state;
    while (m_next < m_total)
        if (Status made = EncodeFrame(); !made)
            return made;
    if (const int flushed = avcodec_send_frame(s.codec, nullptr); flushed < 0)
        return Status::Fail(kFailedKey, "the video encoder failed at the end: " + AvError(flushed));
    if (Status drained = Drain(); !drained)
        return drained;
    if (const int ended = av_write_trailer(s.format); ended < 0 || s.io->error < 0)
        return Status::Fail(kFailedKey, "the video could not be written at the end");
    return Status::Ok();
}

} // namespace lumaro
