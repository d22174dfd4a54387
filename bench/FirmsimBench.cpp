// The controller's frame time, measured on the simulated 8051 (s51) from a
// real build of the firmware: the sample project and a full project of 12
// ports of 200 lamps. Each is set against the goal of 1.5 times 14 machine
// cycles a bit (12 MHz) and printed as a ratio: 1.0 is at the goal, below
// is better. Needs sdcc, srecord and sdcc-ucsim.
#include "core/effects/EffectCompiler.h"
#include "core/firmware/ControllerPlay.h"
#include "core/firmware/ControllerSim.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace {

using namespace lumaro;

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Builds and runs one second of the play; the mean frame time in ms.
double SimulatedFrameMs(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps, std::size_t xram)
{
    std::random_device seed;
    const fs::path dir = fs::temp_directory_path() / ("lumaro-firmsim-bench-" + std::to_string(seed()));
    fs::create_directories(dir / "run");
    fs::copy(fs::path(LUMARO_SOURCE_DIR) / "data" / "sys", dir / "sys", fs::copy_options::recursive);
    const auto chains = CControllerPlay::ReadPortTable(CPortTable::Text(lamps)).value();
    const auto play = CControllerPlay::Make(compiled, lamps.size(), chains);
    double ms = -1;
    if (play.Write(dir / "sys", 2, xram) &&
        std::system(("sh '" + (dir / "sys" / "lss2.sh").string() + "'").c_str()) == 0 &&
        CControllerSim::Prepare(dir / "run", ReadAll(dir / "sys" / "DSP2.hex"), 1, 0) &&
        std::system(("sh '" + (dir / "run" / CControllerSim::kScript).string() + "'").c_str()) == 0)
        if (const auto run = CControllerSim::Read(dir / "run", chains, lamps.size()))
            ms = CControllerSim::MeanFrameMs(run->frames);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return ms;
}

void Report(benchmark::State& state, double frameMs, std::size_t longestChain)
{
    const double goal = 1.5 * 14 * 24 * static_cast<double>(longestChain) / 1000;
    state.counters["frame_ms"] = frameMs;
    state.counters["goal_ms"] = goal;
    state.counters["ratio"] = frameMs / goal;
    if (frameMs < 0)
        state.SkipWithError("the image could not be built or simulated");
}

void BM_SampleFrame(benchmark::State& state)
{
    const auto doc = CLayoutFile::Load(fs::path(LUMARO_SOURCE_DIR) / "data" / "Sample" / "Facade.LED");
    double ms = 0;
    for (auto _ : state)
        ms = SimulatedFrameMs(CompileEffects(doc.value()), doc->lamps, CControllerPlay::kDefaultXram);
    Report(state, ms, 60);
}
BENCHMARK(BM_SampleFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

// 12 ports of 200 lamps, one chase over all of them. Its frame of 9600
// bytes needs a controller with more than the default XRAM.
void BM_FullProjectFrame(benchmark::State& state)
{
    std::vector<CLamp> lamps;
    CCompiledEffects compiled;
    compiled.lampSequenceTable.emplace_back();
    for (int i = 0; i < 12 * 200; ++i) {
        lamps.emplace_back(i % 200, i / 200, i, 0, 5, 1);
        lamps.back().port = 1 + i / 200;
        lamps.back().order = 1 + i % 200;
        compiled.lampSequenceTable[0].push_back(static_cast<std::uint32_t>(i));
    }
    compiled.colourTable.push_back({255, 0, 0, 0, 255, 0, 0, 0, 255});
    CModeItem chase;
    chase.layer = 5;
    chase.interval = 100;
    chase.loop = 5;
    compiled.programGroups[0].push_back(chase);
    double ms = 0;
    for (auto _ : state)
        ms = SimulatedFrameMs(compiled, lamps, 16384);
    Report(state, ms, 200);
}
BENCHMARK(BM_FullProjectFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
