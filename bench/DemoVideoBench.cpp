// The video export's goal: 60 seconds of a 2,000-lamp program group played
// and written as a 1920 × 1080 MP4 at 30 frames a second within 20 s on two
// cores; the `mp4_mb` counter is the file's size.
#include "ExportGroup.h"
#include "core/preview/DemoMovie.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace lumaro;

void BM_ExportSixtySecondsMp4(benchmark::State& state)
{
    const bench::ExportGroup g = bench::TwoThousandLampGroup();
    constexpr int kWidth = 1920, kHeight = 1080;
    DemoTraceOptions trace;
    trace.durationMs = 60000;
    DemoMovieOptions movie;
    movie.durationMs = trace.durationMs;
    movie.framesPerSecond = 30;
    movie.geometry =
        CDemoGeometry::Centre(g.lamps, CDemoGeometry::FitZoom(g.lamps, kWidth, kHeight), kWidth, kHeight);
    const CDemoFrame background(kWidth, kHeight, {8, 8, 24});
    const fs::path out = fs::temp_directory_path() / "lumaro-bench-sixty-seconds.mp4";
    for (auto _ : state)
        if (const Status written =
                CDemoMovie::Write(g.modes, g.tables, g.lamps, trace, background, movie, out);
            !written)
            state.SkipWithError(written.detail.c_str());
    std::error_code ec;
    state.counters["mp4_mb"] = static_cast<double>(fs::file_size(out, ec)) / (1024 * 1024);
    fs::remove(out, ec);
}
BENCHMARK(BM_ExportSixtySecondsMp4)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
