#include "core/preview/DemoMovie.h"

#include "core/app/AtomicFile.h"
#include "core/preview/DemoGifWriter.h"
#include "core/preview/DemoVideoWriter.h"

#include <stop_token>

#include <algorithm>

namespace lumaro {

std::vector<DemoMovieFrame> PlanDemoMovie(const std::vector<DemoTraceDraw>& trace, std::int64_t durationMs,
                                          std::int64_t minFrameMs)
{
    std::vector<DemoMovieFrame> frames;
    if (durationMs <= 0)
        return frames;
    CDemoFramePlan plan(durationMs, minFrameMs);
    std::size_t i = 0;
    for (; i < trace.size() && trace[i].ms < durationMs; ++i)
        if (const auto delay = plan.Next(trace[i].ms))
            frames.push_back({i, static_cast<std::int32_t>(*delay)});
    frames.push_back({i, static_cast<std::int32_t>(plan.LastDelay())});
    return frames;
}

Result<std::string> CDemoMovie::EncodeGif(const std::vector<DemoTraceDraw>& trace,
                                          const std::vector<CLamp>& lamps, const CDemoFrame& background,
                                          const DemoMovieOptions& options,
                                          const std::function<bool(double)>& progress)
{
    std::string bytes;
    CDemoGifWriter writer(lamps, background, options, [&bytes](std::string_view part) {
        bytes.append(part);
        return true;
    });
    if (Status begun = writer.Begin(); !begun)
        return begun;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        if (Status added = writer.Add(trace[i]); !added)
            return added;
        if (progress && (i % 4096 == 0) &&
            !progress(static_cast<double>(i) / static_cast<double>(trace.size())))
            return Status::Fail(kCancelledKey, "cancelled");
    }
    if (Status finished = writer.Finish(); !finished)
        return finished;
    if (progress && !progress(1.0))
        return Status::Fail(kCancelledKey, "cancelled");
    return bytes;
}

std::unique_ptr<IDemoMovieWriter> CDemoMovie::WriterFor(DemoMovieFormat format,
                                                        const std::vector<CLamp>& lamps,
                                                        const CDemoFrame& background,
                                                        const DemoMovieOptions& options, CAtomicFile& file)
{
    if (format == DemoMovieFormat::Gif)
        return std::make_unique<CDemoGifWriter>(lamps, background, options,
                                                [&file](std::string_view part) { return file.Write(part); });
    return std::make_unique<CDemoVideoWriter>(lamps, background, options, format, file);
}

Status CDemoMovie::Write(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                         const std::vector<CLamp>& lamps, const DemoTraceOptions& trace,
                         const CDemoFrame& background, const DemoMovieOptions& options, const fs::path& path,
                         const std::function<bool(double)>& progress)
{
    CAtomicFile file(path);
    const std::unique_ptr<IDemoMovieWriter> writer =
        WriterFor(DemoMovieFormatOf(path), lamps, background, options, file);
    if (Status opened = file.Open(); !opened)
        return opened;
    if (Status begun = writer->Begin(); !begun)
        return begun;
    // Heard after a frame was made and every few thousand draws between.
    std::size_t count = 0, frames = 0;
    const auto goOn = [&](std::int64_t ms) {
        if (!progress || options.durationMs <= 0)
            return true;
        if (++count % 4096 != 0 && writer->Frames() == frames)
            return true;
        frames = writer->Frames();
        return progress(static_cast<double>(std::min(ms, options.durationMs)) /
                        static_cast<double>(options.durationMs));
    };
    // A failed frame or a cancel ends the play at its next draw.
    std::stop_source ended;
    const std::stop_callback cancelled(trace.cancel, [&ended] { ended.request_stop(); });
    DemoTraceOptions play = trace;
    play.cancel = ended.get_token();
    Status failed;
    std::int64_t lastMs = 0;
    StreamDemo(modes, tables, lamps, play, [&](const DemoTraceDraw& draw) {
        if (!failed)
            return;
        lastMs = draw.ms;
        if (Status added = writer->Add(draw); !added) {
            failed = added;
            ended.request_stop();
        } else if (!goOn(draw.ms)) {
            failed = Status::Fail(kCancelledKey, "cancelled");
            ended.request_stop();
        }
    });
    if (!failed)
        return failed;
    if (trace.cancel.stop_requested())
        return Status::Fail(kCancelledKey, "cancelled");
    // What is left after the last draw is made a second of play at a time.
    for (std::int64_t ms = lastMs + 1000; ms < options.durationMs; ms += 1000) {
        if (Status advanced = writer->Advance(ms); !advanced)
            return advanced;
        if (!goOn(ms) || trace.cancel.stop_requested())
            return Status::Fail(kCancelledKey, "cancelled");
    }
    if (Status finished = writer->Finish(); !finished)
        return finished;
    if (progress && !progress(1.0))
        return Status::Fail(kCancelledKey, "cancelled");
    return file.Commit();
}

} // namespace lumaro
