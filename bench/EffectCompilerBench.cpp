// "Creat Data" on large layouts. Goals: a full 500 × 500 grid with one mode of
// every orderable catalogue type at steps 1 and 7 in 150 ms; 10,000 lamps
// with 70 modes under 100 ms; four times the lamps at most five times the
// time. The full grid's ratio to the plain transcription times that
// transcription once, which takes about two minutes.
#include "core/effects/EffectCompiler.h"
#include "core/effects/ModeCatalogue.h"
#include "core/project/EditImgDoc.h"

#ifdef LUMARO_BENCH_ORACLE
#include "effects/EffectOracle.h"
#endif

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <functional>

namespace {

using namespace lumaro;

// side × side lamps from the top left of the grid, and one mode of every
// catalogue type that has a lamp order or band list, over the whole grid.
CEditImgDoc Project(int side, int stepsPerType)
{
    CEditImgDoc doc;
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y)
            doc.lampPositions.emplace_back(x, y, x * side + y, static_cast<std::int32_t>(kColourGreen), 8, 1);
    const int steps[] = {1, 7};
    for (std::string_view type : CatalogueTypes()) {
        if (type == "CM_CUSTOMMODE" || OrderKindOf(type) == OrderKind::None)
            continue;
        for (int s = 0; s < stepsPerType; ++s) {
            CModeItem m;
            m.type = std::string(type);
            m.areaRight = m.areaBottom = 499;
            m.step = steps[s];
            m.startX = side / 3;
            m.startY = side / 4;
            m.colours = {255, 0, 0, 0, 0, 255};
            doc.modes.push_back(m);
        }
    }
    return doc;
}

double SecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "oracle_x": how many times faster than the plain transcription the tests
// compare against.
void BM_CompileFullGrid(benchmark::State& state)
{
    const CEditImgDoc doc = Project(500, 2);
    double seconds = 0;
    for (auto _ : state)
        seconds += SecondsOf([&] { benchmark::DoNotOptimize(CompileEffects(doc)); });
    state.counters["lamps"] = 250000;
    state.counters["modes"] = static_cast<double>(doc.modes.size());
#ifdef LUMARO_BENCH_ORACLE
    static const double oracle =
        SecondsOf([&] { benchmark::DoNotOptimize(test::CompileEffectsOracle(doc)); });
    state.counters["oracle_x"] = oracle / (seconds / static_cast<double>(state.iterations()));
#endif
}
BENCHMARK(BM_CompileFullGrid)->Unit(benchmark::kMillisecond);

// 10,000 lamps and 70 modes, then four times the lamps.
void BM_CompileScaling(benchmark::State& state)
{
    CEditImgDoc doc = Project(static_cast<int>(state.range(0)), 2);
    doc.modes.resize(std::min<std::size_t>(doc.modes.size(), 70));
    for (auto _ : state)
        benchmark::DoNotOptimize(CompileEffects(doc));
    state.counters["lamps"] = static_cast<double>(doc.lampPositions.size());
}
BENCHMARK(BM_CompileScaling)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

#ifdef LUMARO_BENCH_ORACLE
void BM_OracleScaling(benchmark::State& state)
{
    CEditImgDoc doc = Project(static_cast<int>(state.range(0)), 2);
    doc.modes.resize(std::min<std::size_t>(doc.modes.size(), 70));
    for (auto _ : state)
        benchmark::DoNotOptimize(test::CompileEffectsOracle(doc));
}
BENCHMARK(BM_OracleScaling)->Arg(100)->Unit(benchmark::kMillisecond);
#endif

} // namespace
