// The demo window's goals: a paint of 10,000 lamps within one frame at 60 Hz
// (16 ms); on the real clock, a chase over 10,000 lamps stepping within 2 ms
// of the waits its painter asks for (the `overhead_ms` counter: the mean
// step period less the mean wait); a 60-second export of a 2,000-lamp
// program group as an animated GIF within 10 s.
#include "ExportGroup.h"
#include "core/preview/DemoMovie.h"
#include "core/preview/DemoPainter.h"
#include "core/preview/DemoTrace.h"
#include "core/preview/SteadyDemoClock.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/DemoImageCanvas.h"
#include "gui/preview/DemoView.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <limits>
#include <memory>
#include <numeric>

namespace {

using namespace lumaro;
using namespace lumaro::gui;

std::vector<CLamp> Lamps(int columns, int rows)
{
    std::vector<CLamp> lamps;
    for (int i = 0; i < columns * rows; ++i)
        lamps.emplace_back(i % columns, i / columns, i, 0, 1, 1);
    return lamps;
}

UIntArray Iota(std::uint32_t n)
{
    UIntArray a(n);
    std::iota(a.begin(), a.end(), 0u);
    return a;
}

using bench::BenchMode;

// Every lamp of 100 × 100 red over the background: the paint before Start,
// built anew on each iteration (the picture moved), then the paint that only
// copies the picture while the painters draw.
void BM_DemoPaint(benchmark::State& state)
{
    CDemoDoc document;
    CPlayHandOver handOver;
    handOver.lamps = Lamps(100, 100);
    handOver.compiled = std::make_shared<const CCompiledEffects>();
    handOver.playMode = CPlayHandOver::Parallel;
    document.SetHandOver(handOver);
    document.BackPicture().lampsShown = true;
    CDemoView view(&document);
    view.resize(1280, 1024);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
    const bool rebuild = state.range(0) != 0;
    for (auto _ : state) {
        if (rebuild)
            ++document.BackPicture().spot.x;
        view.render(&image);
    }
    state.counters["lamps"] = 10000;
}
BENCHMARK(BM_DemoPaint)->Arg(1)->Arg(0)->ArgName("rebuilt")->Unit(benchmark::kMillisecond);

// A real clock that remembers when each wait began and how long it asked for.
class TimedClock : public IDemoClock {
public:
    bool SleepMs(std::int64_t ms, std::stop_token stop) override
    {
        starts.push_back(std::chrono::steady_clock::now());
        asked.push_back(ms);
        return m_real.SleepMs(ms, stop);
    }
    std::vector<std::chrono::steady_clock::time_point> starts;
    std::vector<std::int64_t> asked;

private:
    CSteadyDemoClock m_real;
};

void BM_ChaseStepPeriod(benchmark::State& state)
{
    QWidget window;
    CDemoImageCanvas canvas(&window);
    const std::vector<CLamp> lamps = Lamps(100, 100);
    QImage background(1280, 1024, QImage::Format_RGB32);
    background.fill(Qt::black);
    canvas.Reset(background, lamps, CDemoGeometry::Centre(lamps, 10, 1280, 1024));
    CCompiledEffects tables;
    tables.colourTable = {{255, 0, 0, 0, 255, 0, 0, 0, 255}};
    tables.lampSequenceTable = {Iota(10000)};
    const auto interval = static_cast<std::int32_t>(state.range(0));
    double overhead = 0, asked = 0;
    for (auto _ : state) {
        TimedClock clock;
        CDemoPainter painter(canvas, clock, tables, lamps, DemoShape::Rectangle);
        painter.Play(BenchMode(5, interval, 20, 0), {});
        // Periods between step waits; the first wait is the start delay.
        double period = 0, wait = 0;
        for (std::size_t i = 2; i < clock.starts.size(); ++i) {
            period +=
                std::chrono::duration<double, std::milli>(clock.starts[i] - clock.starts[i - 1]).count();
            wait += static_cast<double>(clock.asked[i - 1]);
        }
        const double steps = static_cast<double>(clock.starts.size() - 2);
        overhead = (period - wait) / steps;
        asked = wait / steps;
    }
    state.counters["overhead_ms"] = overhead;
    state.counters["asked_ms"] = asked;
}
// 10 ms steps leave no wait after the painter's drawing allowance for
// 10,000 lamps (999 ms); 1.1 s steps leave 101 ms.
BENCHMARK(BM_ChaseStepPeriod)
    ->Arg(1)
    ->Arg(110)
    ->ArgName("interval")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_ExportSixtySeconds(benchmark::State& state)
{
    const bench::ExportGroup g = bench::TwoThousandLampGroup();
    const std::vector<CLamp>& lamps = g.lamps;
    DemoTraceOptions trace;
    trace.durationMs = 60000;
    DemoMovieOptions movie;
    movie.durationMs = 60000;
    movie.geometry = CDemoGeometry::Centre(lamps, CDemoGeometry::FitZoom(lamps, 800, 600), 800, 600);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<DemoTraceDraw> draws = TraceDemo(g.modes, g.tables, lamps, trace);
        Result<std::string> gif = CDemoMovie::EncodeGif(draws, lamps, CDemoFrame(800, 600), movie);
        if (!gif)
            state.SkipWithError("the export failed");
        else
            bytes = gif.value().size();
    }
    state.counters["gif_kb"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(BM_ExportSixtySeconds)->Unit(benchmark::kMillisecond)->Iterations(1);

// Ten minutes of a dense group (two chases over 50 lamps, a step every
// 6 ms) streamed into a GIF file: ten million draws, 240 MB as a trace;
// the goal is a peak resident size that does not grow with the length.
void BM_ExportTenMinutesStreamed(benchmark::State& state)
{
    const std::vector<CLamp> lamps = Lamps(10, 5);
    CCompiledEffects tables;
    tables.colourTable = {{255, 0, 0, 0, 255, 0, 0, 0, 255}};
    tables.lampSequenceTable = {Iota(50)};
    const std::vector<CModeItem> group = {BenchMode(5, 1, 1'000'000, 0), BenchMode(6, 1, 1'000'000, 0)};
    DemoTraceOptions trace;
    trace.durationMs = 600'000;
    trace.drawLimitPerMode = std::numeric_limits<std::size_t>::max();
    DemoMovieOptions movie;
    movie.durationMs = trace.durationMs;
    movie.minFrameMs = 1000; // a frame a second keeps the file small
    movie.geometry = CDemoGeometry::Centre(lamps, CDemoGeometry::FitZoom(lamps, 320, 240), 320, 240);
    const fs::path out = fs::temp_directory_path() / "lumaro-bench-ten-minutes.gif";
    for (auto _ : state)
        if (!CDemoMovie::Write(group, tables, lamps, trace, CDemoFrame(320, 240), movie, out))
            state.SkipWithError("the export failed");
    std::error_code ec;
    state.counters["gif_kb"] = static_cast<double>(fs::file_size(out, ec)) / 1024;
    fs::remove(out, ec);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_ExportTenMinutesStreamed)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
