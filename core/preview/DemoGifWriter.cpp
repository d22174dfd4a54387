#include "core/preview/DemoGifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace lumaro {

namespace {

std::int64_t Centis(std::int64_t ms)
{
    return (ms + 5) / 10;
}

struct Box {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0; // right, bottom excluded
    bool Empty() const { return right <= left || bottom <= top; }
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
};

Box ChangedBox(const CDemoFrame& a, const CDemoFrame& b)
{
    Box box{a.width, a.height, 0, 0};
    for (std::int32_t y = 0; y < a.height; ++y) {
        const std::uint32_t* ra = &a.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(a.width)];
        const std::uint32_t* rb = &b.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.width)];
        if (std::memcmp(ra, rb, static_cast<std::size_t>(a.width) * sizeof(std::uint32_t)) == 0)
            continue;
        std::int32_t l = 0;
        while (ra[l] == rb[l])
            ++l;
        std::int32_t r = a.width;
        while (ra[r - 1] == rb[r - 1])
            --r;
        box.left = std::min(box.left, l);
        box.right = std::max(box.right, r);
        box.top = std::min(box.top, y);
        box.bottom = y + 1;
    }
    return box;
}

using MapPtr = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

// One frame, held back until the next shows whether it changes anything.
struct PendingFrame {
    Box box;
    std::vector<GifByteType> indices;
    MapPtr map{nullptr, &GifFreeMapObject};
    int transparent = NO_TRANSPARENT_COLOR;
    std::int64_t delayCs = 0;
};

GifColorType Colour(std::uint32_t pixel)
{
    return {static_cast<GifByteType>(pixel >> 16), static_cast<GifByteType>(pixel >> 8),
            static_cast<GifByteType>(pixel)};
}

int MapSize(int colours)
{
    int size = 2;
    while (size < colours)
        size *= 2;
    return size;
}

// The box of `frame` in exact colours, the pixels equal to `previous`
// (when given) left transparent; false when it needs more than 256 entries.
bool ExactColours(const CDemoFrame& frame, const CDemoFrame* previous, const Box& box, PendingFrame& out)
{
    std::unordered_map<std::uint32_t, GifByteType> index;
    std::vector<GifColorType> colours;
    const int limit = previous ? 255 : 256;
    out.indices.resize(static_cast<std::size_t>(box.Width()) * static_cast<std::size_t>(box.Height()));
    std::size_t at = 0;
    std::vector<bool> same(out.indices.size(), false);
    for (std::int32_t y = box.top; y < box.bottom; ++y)
        for (std::int32_t x = box.left; x < box.right; ++x, ++at) {
            const std::uint32_t pixel = frame.At(x, y);
            if (previous && previous->At(x, y) == pixel) {
                same[at] = true;
                continue;
            }
            auto [it, added] = index.try_emplace(pixel, static_cast<GifByteType>(colours.size()));
            if (added) {
                if (static_cast<int>(colours.size()) == limit)
                    return false;
                colours.push_back(Colour(pixel));
            }
            out.indices[at] = it->second;
        }
    if (previous) {
        out.transparent = static_cast<int>(colours.size());
        colours.push_back({0, 0, 0});
        for (std::size_t i = 0; i < same.size(); ++i)
            if (same[i])
                out.indices[i] = static_cast<GifByteType>(out.transparent);
    }
    const int size = MapSize(static_cast<int>(colours.size()));
    colours.resize(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    out.map.reset(GifMakeMapObject(size, colours.data()));
    return out.map != nullptr;
}

// The box of `frame` reduced to 256 colours (median cut), nothing transparent.
bool ReducedColours(const CDemoFrame& frame, const Box& box, PendingFrame& out)
{
    const std::size_t n = static_cast<std::size_t>(box.Width()) * static_cast<std::size_t>(box.Height());
    std::vector<GifByteType> red(n), green(n), blue(n);
    std::size_t at = 0;
    for (std::int32_t y = box.top; y < box.bottom; ++y)
        for (std::int32_t x = box.left; x < box.right; ++x, ++at) {
            const GifColorType c = Colour(frame.At(x, y));
            red[at] = c.Red;
            green[at] = c.Green;
            blue[at] = c.Blue;
        }
    std::vector<GifColorType> colours(256);
    int size = 256;
    out.indices.resize(n);
    out.transparent = NO_TRANSPARENT_COLOR;
    if (GifQuantizeBuffer(static_cast<unsigned>(box.Width()), static_cast<unsigned>(box.Height()), &size,
                          red.data(), green.data(), blue.data(), out.indices.data(),
                          colours.data()) != GIF_OK)
        return false;
    out.map.reset(GifMakeMapObject(256, colours.data()));
    return out.map != nullptr;
}

int HandBytes(GifFileType* gif, const GifByteType* data, int length)
{
    const auto& out = *static_cast<const std::function<bool(std::string_view)>*>(gif->UserData);
    return out(std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)))
               ? length
               : 0;
}

class GifOut {
public:
    explicit GifOut(const std::function<bool(std::string_view)>& out)
    {
        int error = 0;
        m_gif = EGifOpen(const_cast<std::function<bool(std::string_view)>*>(&out), HandBytes, &error);
    }
    ~GifOut()
    {
        if (m_gif) {
            int error = 0;
            EGifCloseFile(m_gif, &error);
        }
    }
    GifOut(const GifOut&) = delete;
    GifOut& operator=(const GifOut&) = delete;

    bool Begin(std::int32_t width, std::int32_t height)
    {
        if (!m_gif)
            return false;
        EGifSetGifVersion(m_gif, true);
        if (EGifPutScreenDesc(m_gif, width, height, 8, 0, nullptr) != GIF_OK)
            return false;
        // Loop for ever.
        static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        static const GifByteType kLoop[] = {1, 0, 0};
        return EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
               EGifPutExtensionBlock(m_gif, sizeof kApplication, kApplication) == GIF_OK &&
               EGifPutExtensionBlock(m_gif, sizeof kLoop, kLoop) == GIF_OK &&
               EGifPutExtensionTrailer(m_gif) == GIF_OK;
    }

    bool Put(const PendingFrame& frame)
    {
        // A GIF delay has 16 bits; a longer still frame is repeated.
        std::int64_t delay = std::max<std::int64_t>(frame.delayCs, 1);
        bool first = true;
        while (delay > 0) {
            const std::int64_t part = std::min<std::int64_t>(delay, 65535);
            delay -= part;
            GraphicsControlBlock gcb{};
            gcb.DisposalMode = DISPOSE_DO_NOT;
            gcb.DelayTime = static_cast<int>(part);
            gcb.TransparentColor = first ? frame.transparent : 0;
            GifByteType extension[4];
            const auto length = EGifGCBToExtension(&gcb, extension);
            if (EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
                GIF_OK)
                return false;
            if (first) {
                if (!PutImage(frame))
                    return false;
            } else {
                // One transparent pixel keeps the picture as it is. The
                // encoder masks the line in place: it must be writable.
                GifByteType nothing = 0;
                if (EGifPutImageDesc(m_gif, 0, 0, 1, 1, false, frame.map.get()) != GIF_OK ||
                    EGifPutLine(m_gif, &nothing, 1) != GIF_OK)
                    return false;
            }
            first = false;
        }
        return true;
    }

    bool End()
    {
        int error = 0;
        const bool ok = EGifCloseFile(m_gif, &error) == GIF_OK;
        m_gif = nullptr;
        return ok;
    }

private:
    bool PutImage(const PendingFrame& frame)
    {
        if (EGifPutImageDesc(m_gif, frame.box.left, frame.box.top, frame.box.Width(), frame.box.Height(),
                             false, frame.map.get()) != GIF_OK)
            return false;
        for (std::int32_t y = 0; y < frame.box.Height(); ++y) {
            auto* row = const_cast<GifByteType*>(
                &frame.indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.box.Width())]);
            if (EGifPutLine(m_gif, row, frame.box.Width()) != GIF_OK)
                return false;
        }
        return true;
    }

    GifFileType* m_gif = nullptr;
};

} // namespace

CDemoFramePlan::CDemoFramePlan(std::int64_t durationMs, std::int64_t minFrameMs)
    : m_durationMs(durationMs), m_minFrameMs(std::max<std::int64_t>(minFrameMs, 1))
{
}

std::optional<std::int64_t> CDemoFramePlan::Next(std::int64_t ms)
{
    if (ms < m_start + m_minFrameMs)
        return std::nullopt;
    const std::int64_t delay = Centis(ms) - Centis(m_start);
    m_start = ms;
    return delay;
}

std::int64_t CDemoFramePlan::LastDelay() const
{
    return std::max<std::int64_t>(Centis(m_durationMs) - Centis(m_start), 1);
}

struct CDemoGifWriter::State {
    explicit State(const std::function<bool(std::string_view)>& out) : gif(out) {}
    GifOut gif;
    CDemoFrame current;
    CDemoFrame shown; // what the previous frame left on the screen
    PendingFrame pending;
    bool havePending = false;
    bool firstFrame = true;
};

CDemoGifWriter::CDemoGifWriter(const std::vector<CLamp>& lamps, const CDemoFrame& background,
                               const DemoMovieOptions& options, std::function<bool(std::string_view)> out)
    : m_plan(options.durationMs, options.minFrameMs), m_lamps(lamps), m_background(background),
      m_options(options), m_out(std::move(out))
{
}

CDemoGifWriter::~CDemoGifWriter() = default;

Status CDemoGifWriter::Begin()
{
    const CDemoFrame& b = m_background;
    if (b.width <= 0 || b.height <= 0 || b.width > 65535 || b.height > 65535 ||
        std::int64_t{b.width} * b.height > kMaxPixels)
        return Status::Fail(kFailedKey, "the picture size " + std::to_string(b.width) + "x" +
                                            std::to_string(b.height) + " cannot be exported");
    m_state = std::make_unique<State>(m_out);
    if (!m_state->gif.Begin(b.width, b.height))
        return Status::Fail(kFailedKey, "the GIF encoder did not start");
    m_state->current = b;
    return Status::Ok();
}

Status CDemoGifWriter::Add(const DemoTraceDraw& draw)
{
    if (!m_state)
        return Status::Fail(kFailedKey, "the GIF encoder did not start");
    if (draw.ms >= m_options.durationMs)
        return Status::Ok();
    State& s = *m_state;
    if (const auto delay = m_plan.Next(draw.ms))
        if (Status put = PutFrame(*delay); !put)
            return put;
    DrawDemoMovieDraw(s.current, m_background, m_lamps, m_options, draw);
    return Status::Ok();
}

Status CDemoGifWriter::PutFrame(std::int64_t delayCs)
{
    State& s = *m_state;
    const Box box =
        s.firstFrame ? Box{0, 0, s.current.width, s.current.height} : ChangedBox(s.shown, s.current);
    if (box.Empty() && s.havePending) {
        s.pending.delayCs += delayCs;
    } else {
        if (s.havePending && !s.gif.Put(s.pending))
            return Status::Fail(kFailedKey, "the GIF encoder failed on a frame");
        PendingFrame next;
        next.box = box;
        next.delayCs = delayCs;
        if (!ExactColours(s.current, s.firstFrame ? nullptr : &s.shown, box, next) &&
            !ReducedColours(s.current, box, next))
            return Status::Fail(kFailedKey, "the colours of a frame could not be reduced");
        s.pending = std::move(next);
        s.havePending = true;
        s.shown = s.current;
    }
    s.firstFrame = false;
    ++m_frames;
    return Status::Ok();
}

Status CDemoGifWriter::Finish()
{
    if (!m_state)
        return Status::Fail(kFailedKey, "the GIF encoder did not start");
    State& s = *m_state;
    if (m_options.durationMs <= 0)
        return s.gif.End() ? Status::Ok() : Status::Fail(kFailedKey, "the GIF encoder failed at the end");
    if (Status put = PutFrame(m_plan.LastDelay()); !put)
        return put;
    if ((s.havePending && !s.gif.Put(s.pending)) || !s.gif.End())
        return Status::Fail(kFailedKey, "the GIF encoder failed at the end");
    return Status::Ok();
}

} // namespace lumaro
