// A 32 KiB HEX file written through the boot-loader simulator, paced at the
// real line rate of 9600 baud 8N1: the download's wall time over the time
// the line needs for the characters sent (10 bits each). Goal: at most 1.15.
// Beside it, the same ratio for the fixed waits the controller's downloader
// always used (a sleep of set length after every send). About 40 s.
#include "cli/BootSimulator.h"
#include "cli/HeadlessDownload.h"
#include "cli/PseudoTerminal.h"
#include "core/link/HexRecordReader.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <thread>

namespace {

using namespace lumaro;
using namespace lumaro::cli;

constexpr double kCharMs = 10.0 * 1000.0 / 9600.0;
constexpr std::size_t kFileBytes = 32 * 1024;

// Records of 16 bytes, CR LF after each, as the firmware build writes them.
std::string HexFile(std::size_t* records)
{
    const std::string end = ":00000001FF\r\n";
    std::string file;
    *records = 0;
    for (unsigned address = 0; file.size() + 45 + end.size() <= kFileBytes; address += 16, ++*records) {
        std::vector<std::uint8_t> data;
        for (unsigned i = 0; i < 16; ++i)
            data.push_back(std::uint8_t((address + i) * 31 + 7));
        file += FormatHexRecord(address, 0, data);
    }
    return file + end;
}

// The old downloader slept a fixed time after each send and then looked for
// the answer: 100 ms per synchronisation, status, clock and data record (more
// rounds when a record's echo and answer outlast one), 2 × 1000 ms for the
// erase, 2 × 100 ms per security record. Every answer in time, as here.
double FixedWaitMs(std::size_t records, std::size_t recordChars, bool clock)
{
    // One round is 100 ms; a record needs as many as its echo and answer take on the line.
    auto recordMs = [](std::size_t chars) { return std::ceil((double(chars) + 1) * kCharMs / 100.0) * 100; };
    const double erase = 100 + 2 * 1000;
    const double data = 100 + double(records) * recordMs(recordChars) + recordMs(11);
    const double configuration = 100 + 100 + (clock ? 100 : 0) + 3 * 200;
    return erase + data + configuration;
}

void BM_Download32KiBAt9600Baud(benchmark::State& state)
{
    std::size_t records = 0;
    const std::string file = HexFile(&records);
    for (auto _ : state) {
        CPseudoTerminal terminal;
        if (Status s = terminal.Open(); !s) {
            state.SkipWithError(s.detail.c_str());
            return;
        }
        CBootSimulator::Options options;
        options.pace = true;
        CBootSimulator simulator(terminal.MasterFd(), options);
        std::thread loader([&simulator] { simulator.Run(); });

        std::ostringstream messages;
        CHeadlessDownload download(messages, false);
        Status done = download.Link(terminal.SlavePath());
        const auto start = std::chrono::steady_clock::now();
        if (done)
            done = download.Download(file, {CHexDownload::Dialog::Download, CHexDownload::Target::Vela1000});
        const double wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        simulator.Stop();
        loader.join();
        if (!done) {
            state.SkipWithError(("download failed: " + done.detail).c_str());
            return;
        }

        const double lineMs = double(download.CharactersSent()) * kCharMs;
        const double ratio = wallMs / lineMs;
        const double fixedRatio = FixedWaitMs(records, 43, true) / lineMs;
        state.SetIterationTime(wallMs / 1000.0);
        state.counters["chars_sent"] = double(download.CharactersSent());
        state.counters["line_s"] = lineMs / 1000.0;
        state.counters["ratio"] = ratio;
        state.counters["fixed_wait_ratio"] = fixedRatio;
        std::printf("%zu records, %zu characters sent: wall %.2f s, line %.2f s, ratio %.3f "
                    "(goal <= 1.15); fixed waits would give %.2f s, ratio %.3f\n",
                    records, download.CharactersSent(), wallMs / 1000.0, lineMs / 1000.0, ratio,
                    FixedWaitMs(records, 43, true) / 1000.0, fixedRatio);
        if (ratio > 1.15)
            state.SkipWithError("the download needs more than 1.15 times the line's time");
    }
}
BENCHMARK(BM_Download32KiBAt9600Baud)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
