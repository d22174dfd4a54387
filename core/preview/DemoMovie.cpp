#include "core/preview/DemoMovie.h"

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
                          red.data(), green.data(), blue.data(), out.indices.data(), colours.data())
        != GIF_OK)
        return false;
    out.map.reset(GifMakeMapObject(256, colours.data()));
    return out.map != nullptr;
}

int CollectBytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data),
                                                     static_cast<std::size_t>(length));
    return length;
}

class GifOut {
public:
    explicit GifOut(std::string& bytes)
    {
        int error = 0;
        m_gif = EGifOpen(&bytes, CollectBytes, &error);
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
        return EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
            && EGifPutExtensionBlock(m_gif, sizeof kApplication, kApplication) == GIF_OK
            && EGifPutExtensionBlock(m_gif, sizeof kLoop, kLoop) == GIF_OK
            && EGifPutExtensionTrailer(m_gif) == GIF_OK;
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
            if (EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK)
                return false;
            if (first) {
                if (!PutImage(frame))
                    return false;
            } else {
                // One transparent pixel keeps the picture as it is.
                static const GifByteType kNothing = 0;
                if (EGifPutImageDesc(m_gif, 0, 0, 1, 1, false, frame.map.get()) != GIF_OK
                    || EGifPutLine(m_gif, const_cast<GifByteType*>(&kNothing), 1) != GIF_OK)
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
        if (EGifPutImageDesc(m_gif, frame.box.left, frame.box.top, frame.box.Width(), frame.box.Height(), false,
                             frame.map.get())
            != GIF_OK)
            return false;
        for (std::int32_t y = 0; y < frame.box.Height(); ++y) {
            auto* row = const_cast<GifByteType*>(&frame.indices[static_cast<std::size_t>(y)
                                                                * static_cast<std::size_t>(frame.box.Width())]);
            if (EGifPutLine(m_gif, row, frame.box.Width()) != GIF_OK)
                return false;
        }
        return true;
    }

    GifFileType* m_gif = nullptr;
};

} // namespace

std::vector<DemoMovieFrame> PlanDemoMovie(const std::vector<DemoTraceDraw>& trace, std::int64_t durationMs,
                                          std::int64_t minFrameMs)
{
    std::vector<DemoMovieFrame> frames;
    if (durationMs <= 0)
        return frames;
    minFrameMs = std::max<std::int64_t>(minFrameMs, 1);
    std::int64_t start = 0;
    std::size_t i = 0;
    while (i < trace.size() && trace[i].ms < durationMs) {
        const std::int64_t t = trace[i].ms;
        if (t >= start + minFrameMs) {
            frames.push_back({i, static_cast<std::int32_t>(Centis(t) - Centis(start))});
            start = t;
        }
        while (i < trace.size() && trace[i].ms < start + minFrameMs && trace[i].ms < durationMs)
            ++i;
    }
    frames.push_back({i, static_cast<std::int32_t>(std::max<std::int64_t>(Centis(durationMs) - Centis(start), 1))});
    return frames;
}

Result<std::string> CDemoMovie::EncodeGif(const std::vector<DemoTraceDraw>& trace, const std::vector<CLamp>& lamps,
                                          const CDemoFrame& background, const DemoMovieOptions& options,
                                          const std::function<bool(double)>& progress)
{
    if (background.width <= 0 || background.height <= 0 || background.width > 65535 || background.height > 65535
        || std::int64_t{background.width} * background.height > kMaxPixels)
        return Status::Fail(kFailedKey, "the picture size " + std::to_string(background.width) + "x"
                                            + std::to_string(background.height) + " cannot be exported");
    const std::vector<DemoMovieFrame> plan = PlanDemoMovie(trace, options.durationMs, options.minFrameMs);
    std::string bytes;
    GifOut gif(bytes);
    if (!gif.Begin(background.width, background.height))
        return Status::Fail(kFailedKey, "the GIF encoder did not start");

    CDemoFrame current = background;
    CDemoFrame shown; // what the previous frame left on the screen
    PendingFrame pending;
    bool havePending = false;
    std::size_t applied = 0;
    for (std::size_t k = 0; k < plan.size(); ++k) {
        for (; applied < plan[k].drawsEnd; ++applied) {
            const DemoTraceDraw& draw = trace[applied];
            if (draw.lamp == kDemoRestart) {
                current = background;
                continue;
            }
            if (draw.lamp < 0 || static_cast<std::size_t>(draw.lamp) >= lamps.size())
                continue;
            PaintDemoCell(current.View(), options.geometry.CellOf(lamps[static_cast<std::size_t>(draw.lamp)]),
                          draw.colour, options.shape, options.geometry.CornerEllipse());
        }
        const bool firstFrame = k == 0;
        const Box box = firstFrame ? Box{0, 0, current.width, current.height} : ChangedBox(shown, current);
        if (box.Empty() && havePending) {
            pending.delayCs += plan[k].delayCs;
        } else {
            if (havePending && !gif.Put(pending))
                return Status::Fail(kFailedKey, "the GIF encoder failed on a frame");
            PendingFrame next;
            next.box = box;
            next.delayCs = plan[k].delayCs;
            if (!ExactColours(current, firstFrame ? nullptr : &shown, box, next)
                && !ReducedColours(current, box, next))
                return Status::Fail(kFailedKey, "the colours of a frame could not be reduced");
            pending = std::move(next);
            havePending = true;
            shown = current;
        }
        if (progress && !progress(static_cast<double>(k + 1) / static_cast<double>(plan.size())))
            return Status::Fail(kCancelledKey, "cancelled");
    }
    if ((havePending && !gif.Put(pending)) || !gif.End())
        return Status::Fail(kFailedKey, "the GIF encoder failed at the end");
    return bytes;
}

} // namespace lumaro
