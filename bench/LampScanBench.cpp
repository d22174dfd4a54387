// A scan of a 4000 × 3000 picture over a grid of 750,000 samples; goal under 50 ms.
#include "core/layout/LampScanner.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lumaro;

void BM_ScanPicture(benchmark::State& state)
{
    constexpr int w = 4000, h = 3000;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, 0x000000);
    for (int y = 2; y < h; y += 8)
        for (int x = 2; x < w; x += 8)
            px[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)] = 0x00FFFF;
    CScaledPicture picture(w, h, std::move(px));
    CLampLayout base;
    if (!CLampScanner::OpenPicture(base, picture, w, h))
        state.SkipWithError("cannot open the picture");
    base.scanScope = {0, 0, 4000, 3000};
    // 1000 × 750 samples: a step of 4 pixels.
    base.objectSize = 4000.0f;
    base.lampSize = 4.0f;
    std::size_t lamps = 0;
    for (auto _ : state) {
        CLampLayout doc = base;
        CLampScanner::Begin(doc);
        CLampScanner::Finish(doc, picture);
        lamps = doc.lamps.size();
        benchmark::DoNotOptimize(doc.lamps.data());
    }
    state.counters["lamps"] = static_cast<double>(lamps);
    state.counters["samples"] = 750000;
}
BENCHMARK(BM_ScanPicture)->Unit(benchmark::kMillisecond);

} // namespace
