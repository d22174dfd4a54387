// Load and save of a large project: 250,000 lamps, 1,000 modes and 32 program
// groups of 100 entries with 30 colours each. Goals: each direction under
// 100 ms, peak memory under three times the file size plus 20 MB.
#include "HeapCounter.h"

#include "core/app/FileSystem.h"
#include "core/project/LayoutFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace lumaro;

CModeItem MakeMode(int i)
{
    CModeItem m;
    m.type = i % 7 == 0 ? "CM_LEFTTORIGHT_WORD" : i % 11 == 0 ? "CM_CIRCULAR_AREA" : "CM_LEFTTORIGHT_GC";
    m.name = "Mode " + std::to_string(i);
    m.innerType = m.type == "CM_CIRCULAR_AREA" ? "CM_KERNELBD" : "";
    m.areaRight = m.areaBottom = 499;
    m.interval = 10;
    m.step = 1 + i % 7;
    for (int c = 0; c < 30; ++c) {
        m.colours.push_back(static_cast<std::uint32_t>((c * 37 + i) % 256));
        m.colours.push_back(static_cast<std::uint32_t>((c * 91 + i) % 256));
        m.colours.push_back(static_cast<std::uint32_t>((c * 13 + i) % 256));
    }
    return m;
}

const CEditImgDoc& LargeDocument()
{
    static const CEditImgDoc doc = [] {
        CEditImgDoc d;
        d.lamps.reserve(250000);
        for (int i = 0; i < 250000; ++i) {
            CLamp l(i / 500, i % 500, i, static_cast<std::int32_t>(kColourGreen), 8, 1);
            l.port = 1 + i % 12;
            l.order = 1 + i / 12;
            d.lamps.push_back(l);
        }
        d.lampPositions = d.lamps;
        for (int i = 0; i < 1000; ++i)
            d.modes.push_back(MakeMode(i));
        for (auto& group : d.programGroups)
            for (int i = 0; i < 100; ++i) {
                CModeItem entry = d.modes[static_cast<std::size_t>(i * 10)];
                entry.layer = i * 10;
                group.push_back(entry);
            }
        for (int k = 0; k < 50; ++k)
            for (int i = 0; i < 200; ++i)
                d.layers[static_cast<std::size_t>(k)].push_back(static_cast<std::uint32_t>(k * 200 + i));
        return d;
    }();
    return doc;
}

std::filesystem::path BenchFile()
{
    return std::filesystem::temp_directory_path() / "lumaro-bench-large.LED";
}

void ReportMemory(benchmark::State& state, std::size_t fileBytes, std::size_t peakAbove)
{
    state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peakAbove) / 1e6;
    state.counters["goal_MB"] = (3.0 * static_cast<double>(fileBytes) + 20e6) / 1e6;
}

void BM_LayoutSave(benchmark::State& state)
{
    const CEditImgDoc& doc = LargeDocument();
    const auto file = BenchFile();
    std::size_t peak = 0;
    for (auto _ : state) {
        bench::ResetHeapPeak();
        const std::size_t before = bench::HeapInUse();
        const Status s = CLayoutFile::Save(doc, file);
        peak = std::max(peak, bench::HeapPeak() - before);
        if (!s)
            state.SkipWithError(s.detail.c_str());
    }
    ReportMemory(state, std::filesystem::file_size(file), peak);
}
BENCHMARK(BM_LayoutSave)->Unit(benchmark::kMillisecond);

void BM_LayoutLoad(benchmark::State& state)
{
    const auto file = BenchFile();
    if (!CLayoutFile::Save(LargeDocument(), file)) {
        state.SkipWithError("cannot write the benchmark file");
        return;
    }
    std::size_t peak = 0;
    for (auto _ : state) {
        bench::ResetHeapPeak();
        const std::size_t before = bench::HeapInUse();
        {
            auto doc = CLayoutFile::Load(file);
            benchmark::DoNotOptimize(doc);
            if (!doc.ok())
                state.SkipWithError(doc.status().detail.c_str());
        }
        peak = std::max(peak, bench::HeapPeak() - before);
    }
    ReportMemory(state, std::filesystem::file_size(file), peak);
    std::filesystem::remove(file);
}
BENCHMARK(BM_LayoutLoad)->Unit(benchmark::kMillisecond);

} // namespace
