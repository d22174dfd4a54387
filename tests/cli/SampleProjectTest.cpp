#include "cli/Cli.h"

#include "CliTestSupport.h"
#include "core/effects/EffectCompiler.h"
#include "core/project/LayoutFile.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace lumaro;
using lumaro::cli::test::TempDir;

namespace {

std::string Cli(std::vector<std::string> args)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::CliIo io{in, out, err};
    EXPECT_EQ(cli::RunCli(args, io), 0) << err.str();
    return out.str();
}

// The modes that draw in a trace of "render", by mode index.
std::set<int> DrawingModes(const std::string& trace)
{
    std::set<int> modes;
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int ms = 0, mode = 0;
        if (fields >> ms >> mode)
            modes.insert(mode);
    }
    return modes;
}

} // namespace

// The sample project of the install folder is what the README sends a new
// user to: it must be a whole project that every step of the work accepts.
TEST(SampleProject, LoadsCompilesAndPlaysAndMatchesItsPicture)
{
    const fs::path folder = fs::path(LUMARO_SOURCE_DIR) / "data" / "Sample";
    auto doc = CLayoutFile::Load(folder / "Facade.LED");
    ASSERT_TRUE(doc.ok()) << doc.status().detail;

    // Every lamp on a port, each port a gapless chain 1..n.
    ASSERT_GE(doc->lamps.size(), 60u);
    std::map<int, std::set<int>> chains;
    for (const CLamp& lamp : doc->lamps) {
        EXPECT_TRUE(lamp.port >= 1 && lamp.port <= 12) << "lamp " << lamp.number;
        EXPECT_TRUE(chains[lamp.port].insert(lamp.order).second) << "lamp " << lamp.number;
    }
    EXPECT_GE(chains.size(), 3u);
    for (const auto& [port, orders] : chains)
        EXPECT_TRUE(*orders.begin() == 1 && *orders.rbegin() == static_cast<int>(orders.size()))
            << "port " << port;
    EXPECT_EQ(doc->lampPositions.size(), doc->lamps.size()) << "handed over as by Transfer Data";
    EXPECT_NE(doc->scenes[0][0].menuIndex, 0) << "a scene for the wizard";

    // Modes of several effect classes, each with lamps to light, in at least
    // two program groups.
    const CCompiledEffects compiled = CompileEffects(doc.value());
    ASSERT_GE(compiled.modes.size(), 5u);
    std::set<std::int32_t> classes;
    for (const CModeItem& mode : compiled.modes) {
        classes.insert(mode.layer);
        const bool bands = (mode.layer >= 1 && mode.layer <= 4) || mode.layer == 7 || mode.layer == 8;
        const auto& table = bands ? compiled.bandTable : compiled.lampSequenceTable;
        const auto index = static_cast<std::size_t>(bands ? mode.bandOrderIndex : mode.lampOrderIndex);
        ASSERT_LT(index, table.size()) << mode.name;
        EXPECT_FALSE(table[index].empty()) << mode.name;
    }
    EXPECT_GE(classes.size(), 5u);
    int groups = 0;
    for (const auto& group : compiled.programGroups)
        groups += group.empty() ? 0 : 1;
    EXPECT_GE(groups, 2);

    // In the demo's first 20 s every mode draws, and so does each group.
    const std::string path = (folder / "Facade.LED").string();
    std::set<int> all;
    for (int i = 0; i < static_cast<int>(compiled.modes.size()); ++i)
        all.insert(i);
    EXPECT_EQ(DrawingModes(Cli({"render", path, "--duration", "20000", "--trace", "-"})), all);
    for (int g = 0; g < 32; ++g) {
        if (!compiled.programGroups[static_cast<std::size_t>(g)].empty()) {
            EXPECT_FALSE(
                Cli({"render", path, "--duration", "20000", "--trace", "-", "--group", std::to_string(g)})
                    .empty())
                << "group " << g;
        }
    }

    // The picture beside it scans to the same lamps with the settings the
    // README gives.
    TempDir dir;
    Cli({"scan", (folder / "Facade.bmp").string(), "-o", (dir / "SCAN.LED").string(), "--lamp-size", "100",
         "--object-size", "5790", "--tolerance", "90"});
    auto scanned = CLayoutFile::Load(dir / "SCAN.LED");
    ASSERT_TRUE(scanned.ok());
    ASSERT_EQ(scanned->lamps.size(), doc->lamps.size());
    for (std::size_t i = 0; i < doc->lamps.size(); ++i)
        EXPECT_EQ(std::make_pair(scanned->lamps[i].x, scanned->lamps[i].y),
                  std::make_pair(doc->lamps[i].x, doc->lamps[i].y))
            << "lamp " << i;
}

// A video has the size and rate asked for; a size its encoder cannot take
// fails with the reason and leaves no file.
TEST(SampleProject, RendersVideosAtTheSizeAndRateAskedFor)
{
    const std::string layout = (fs::path(LUMARO_SOURCE_DIR) / "data" / "Sample" / "Facade.LED").string();
    TempDir dir;
    const auto run = [&](const std::string& out, std::vector<std::string> more) {
        std::vector<std::string> args = {"render",  layout,       "--duration", "1000",
                                         "--order", "sequential", "-o",         (dir / out).string()};
        args.insert(args.end(), more.begin(), more.end());
        std::istringstream in;
        std::ostringstream stdOut, stdErr;
        cli::CliIo io{in, stdOut, stdErr};
        const int status = cli::RunCli(args, io);
        return std::make_pair(status, stdErr.str());
    };
    for (const char* name : {"clip.mp4", "clip.webm"}) {
        const auto [status, err] = run(name, {"--size", "320x180", "--fps", "30"});
        ASSERT_EQ(status, 0) << err;
        AVFormatContext* format = nullptr;
        ASSERT_GE(avformat_open_input(&format, (dir / name).c_str(), nullptr, nullptr), 0) << name;
        ASSERT_GE(avformat_find_stream_info(format, nullptr), 0);
        const AVStream& stream = *format->streams[0];
        EXPECT_EQ(stream.codecpar->width, 320) << name;
        EXPECT_EQ(stream.codecpar->height, 180) << name;
        EXPECT_NEAR(av_q2d(stream.avg_frame_rate), 30.0, 0.01) << name;
        EXPECT_NEAR(static_cast<double>(format->duration) / AV_TIME_BASE, 1.0, 0.01) << name;
        avformat_close_input(&format);
    }
    const auto [odd, why] = run("odd.mp4", {"--size", "321x180"});
    EXPECT_EQ(odd, 1);
    EXPECT_NE(why.find("even"), std::string::npos) << why;
    EXPECT_FALSE(fs::exists(dir / "odd.mp4"));
    EXPECT_EQ(run("a.mp4", {"--fps", "24"}).first, 2);
    EXPECT_EQ(run("a.gif", {"--fps", "30"}).first, 2);
}
