// The firmware sources of the largest tables the controller accepts: 511
// lamp sequences, 61 band lists, 101 colour lists and 32 program groups of
// 100 records. Goal: the three table files and "CData.h" under 50 ms.
#include "core/firmware/FirmwareData.h"
#include "core/firmware/FirmwareEmitter.h"
#include "core/firmware/FirmwareText.h"
#include "core/layout/PortTable.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace lumaro;

constexpr int kLamps = 6000;
constexpr int kLampsPerSequence = 500;

std::vector<CLamp> Lamps()
{
    std::vector<CLamp> lamps;
    for (int n = 0; n < kLamps; ++n) {
        lamps.emplace_back(n % 100, n / 100, n, static_cast<std::int32_t>(kColourGreen), 8, 1);
        lamps.back().port = 1 + n % 12;
        lamps.back().order = 1 + n / 12;
    }
    return lamps;
}

CCompiledEffects Tables()
{
    std::mt19937 rng(7);
    auto below = [&](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    CCompiledEffects c;
    for (int k = 0; k < 511; ++k) {
        UIntArray seq(kLampsPerSequence);
        for (auto& v : seq)
            v = below(kLamps);
        c.lampSequenceTable.push_back(std::move(seq));
    }
    for (int k = 0; k < 61; ++k) {
        UIntArray bands(40);
        for (auto& v : bands)
            v = below(511);
        c.bandTable.push_back(std::move(bands));
    }
    for (int k = 0; k < 101; ++k) {
        UIntArray colours(90);
        for (auto& v : colours)
            v = below(256);
        c.colourTable.push_back(std::move(colours));
    }
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 253, 255};
    for (auto& group : c.programGroups)
        for (int r = 0; r < 100; ++r) {
            CModeItem m;
            m.type = r % 7 ? "CM_ANY" : "CM_LEFTTORIGHT_GC";
            m.layer = codes[below(std::size(codes))];
            m.colours = {below(256), below(256), below(256), below(256), below(256), below(256)};
            m.interval = static_cast<std::int32_t>(below(100));
            m.loop = static_cast<std::int32_t>(below(10));
            m.holdTime = static_cast<std::int32_t>(below(50));
            m.colourGroupId = static_cast<std::int32_t>(below(101));
            m.lampOrderIndex = static_cast<std::int32_t>(below(511));
            m.bandOrderIndex = static_cast<std::int32_t>(below(61));
            group.push_back(m);
        }
    return c;
}

// "DSPPTN.H", "CSTGRP.h" and "GETPTN.c" as text.
void BM_TableText(benchmark::State& state)
{
    const CCompiledEffects c = Tables();
    std::size_t bytes = 0;
    for (auto _ : state) {
        CFirmwareText t;
        t.BuildShowPattern(c);
        benchmark::DoNotOptimize(t.BuildGroupTables(c));
        t.BuildGetterSource(c);
        bytes = t.TextOf(CFirmwareText::Output::ShowPattern).size() +
                t.TextOf(CFirmwareText::Output::GroupTables).size() +
                t.TextOf(CFirmwareText::Output::GetterSource).size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TableText)->Unit(benchmark::kMillisecond);

// "CData.h" from the three files' texts, every reference checked.
void BM_FirmwareDataText(benchmark::State& state)
{
    const CCompiledEffects c = Tables();
    CFirmwareText t;
    t.BuildShowPattern(c);
    (void)t.BuildGroupTables(c);
    const std::string cport = CPortTable::Text(Lamps());
    const std::string dspptn = t.TextOf(CFirmwareText::Output::ShowPattern);
    const std::string cstgrp = t.TextOf(CFirmwareText::Output::GroupTables);
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto data = CFirmwareData::Text(cport, dspptn, cstgrp, 1);
        if (!data)
            state.SkipWithError(data.status().detail.c_str());
        else
            bytes = data->size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FirmwareDataText)->Unit(benchmark::kMillisecond);

// All five files written and read back, as the build does.
void BM_EmitAllFiles(benchmark::State& state)
{
    const CCompiledEffects c = Tables();
    const std::vector<CLamp> lamps = Lamps();
    const fs::path dir =
        fs::temp_directory_path() / ("lumaro-emit-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    for (auto _ : state)
        if (const Status s = EmitFirmwareSources(c, lamps, 1, dir); !s)
            state.SkipWithError(s.detail.c_str());
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_EmitAllFiles)->Unit(benchmark::kMillisecond);

} // namespace
