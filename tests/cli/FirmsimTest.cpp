#include "CliTestSupport.h"
#include "core/effects/EffectCompiler.h"
#include "core/firmware/ControllerPlay.h"
#include "core/firmware/ControllerSim.h"
#include "core/layout/PortTable.h"
#include "core/preview/DemoTrace.h"
#include "core/project/LayoutFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>

using namespace lumaro;
using lumaro::cli::test::Outcome;
using lumaro::cli::test::ReadText;
using lumaro::cli::test::RunProgram;
using lumaro::cli::test::TempDir;
using lumaro::cli::test::WriteText;

namespace {

using Picture = std::map<std::uint32_t, DemoRgb>; // lamp on a port -> colour

std::vector<std::uint32_t> ChainedLamps(const PortChains& chains, std::size_t lampCount)
{
    std::vector<std::uint32_t> lamps;
    for (const auto& chain : chains)
        for (std::uint32_t lamp : chain)
            if (lamp < lampCount)
                lamps.push_back(lamp);
    return lamps;
}

// "lamp 4 shows 0,0,0, not 255,0,0" for the first few lamps that differ.
std::string Differences(const Picture& shown, const Picture& expected)
{
    std::string text;
    int n = 0;
    for (const auto& [lamp, colour] : expected) {
        const DemoRgb s = shown.at(lamp);
        if (s == colour || ++n > 4)
            continue;
        text += " lamp " + std::to_string(lamp) + " shows " + std::to_string(s.red) + "," +
                std::to_string(s.green) + "," + std::to_string(s.blue) + ", not " +
                std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
                std::to_string(colour.blue) + ";";
    }
    return text;
}

void AddIfNew(std::vector<Picture>& pictures, const Picture& p)
{
    if (pictures.empty() || pictures.back() != p)
        pictures.push_back(p);
}

// The pictures of the Sequential trace of one group's modes: the lamps after
// each step (a mode's draws at one moment), unchanged steps left out.
std::vector<Picture> TracePictures(const CCompiledEffects& compiled, int group,
                                   const std::vector<CLamp>& lamps, const std::vector<std::uint32_t>& chained)
{
    DemoTraceOptions options;
    options.order = DemoOrder::Sequential;
    options.durationMs = 1'000'000'000;
    const auto draws =
        TraceDemo(compiled.programGroups[static_cast<std::size_t>(group)], compiled, lamps, options);
    std::vector<DemoRgb> now(lamps.size());
    std::vector<Picture> pictures;
    auto picture = [&] {
        Picture p;
        for (std::uint32_t lamp : chained)
            p[lamp] = now[lamp];
        return p;
    };
    for (std::size_t i = 0; i < draws.size(); ++i) {
        now[static_cast<std::size_t>(draws[i].lamp)] = draws[i].colour;
        const bool last = i + 1 == draws.size() || draws[i + 1].ms != draws[i].ms ||
                          draws[i + 1].modeIndex != draws[i].modeIndex;
        if (last)
            AddIfNew(pictures, picture());
    }
    return pictures;
}

std::vector<Picture> FramePictures(const std::vector<CControllerSim::Frame>& frames, double fromMs,
                                   const std::vector<std::uint32_t>& chained)
{
    std::vector<Picture> pictures;
    for (const auto& f : frames) {
        if (f.latchMs < fromMs)
            continue;
        Picture p;
        for (std::uint32_t lamp : chained)
            p[lamp] = f.lamps[lamp];
        AddIfNew(pictures, p);
    }
    return pictures;
}

// A copy of the shipped build folder, where images are built and run.
class FirmsimTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(dir / "home");
        fs::copy(fs::path(LUMARO_SOURCE_DIR) / "data" / "sys", dir / "home" / "sys",
                 fs::copy_options::recursive);
        fs::copy(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage", dir / "home" / "Mullanguage",
                 fs::copy_options::recursive);
        fs::create_directories(dir / "run");
    }

    fs::path Sys() const { return dir / "home" / "sys"; }

    // Builds the play into an image with the folder's own batch file.
    std::string BuildImage(const CControllerPlay& play) const
    {
        EXPECT_TRUE(play.Write(Sys(), 2, CControllerPlay::kDefaultXram).ok());
        const std::string command = "sh '" + (Sys() / "lss2.sh").string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(Sys() / "DSP2.LST");
        return ReadText(Sys() / "DSP2.hex");
    }

    CControllerSim::Run Simulate(const std::string& image, double seconds, int presses,
                                 const PortChains& chains, std::size_t lampCount) const
    {
        EXPECT_TRUE(CControllerSim::Prepare(dir / "run", image, seconds, presses).ok());
        const std::string command = "sh '" + (dir / "run" / CControllerSim::kScript).string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        auto run = CControllerSim::Read(dir / "run", chains, lampCount);
        EXPECT_TRUE(run.ok());
        return run ? run.value() : CControllerSim::Run{};
    }

    // The first pass of the group on the controller against its preview,
    // picture by picture, and each mode's step against what it asks.
    void ExpectGroupPlaysAsPreview(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                                   const PortChains& chains, const CControllerPlay& play,
                                   const std::string& image, int group, int presses) const
    {
        double passMs = 0;
        const auto modes = play.GroupModes(group);
        for (const auto& m : modes)
            passMs += double(m.steps) * std::max(double(m.periodMs), play.StepCostMs(m));
        const auto run = Simulate(image, passMs / 1000 + 1, presses, chains, lamps.size());
        const auto chained = ChainedLamps(chains, lamps.size());
        const auto expected = TracePictures(compiled, group, lamps, chained);
        const auto shown = FramePictures(run.frames, run.keyReleasedMs, chained);
        ASSERT_GE(shown.size(), expected.size()) << "group " << group;
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_TRUE(shown[i] == expected[i])
                << "group " << group << ", picture " << i << " of " << expected.size() << ":"
                << Differences(shown[i], expected[i]);

        for (const auto& t : CControllerSim::Timings(run.frames, run.keyReleasedMs, modes)) {
            if (t.mode.kind == CControllerPlay::Kind::Black || t.frames < 3)
                continue;
            const double asked = t.mode.periodMs;
            EXPECT_LE(std::abs(t.meanPeriodMs - asked), std::max(2.0, asked * 0.05))
                << "group " << group << " mode " << t.mode.index << " code " << t.mode.type;
        }
        // The frame shifts out within 1.5 times 14 cycles a bit.
        const double goal = 1.5 * 14 * 24 * double(play.LongestChain()) / 1000;
        EXPECT_LE(CControllerSim::MeanFrameMs(run.frames), goal);
        EXPECT_NEAR(CControllerSim::MeanFrameMs(run.frames), play.FrameMs(), play.FrameMs() * 0.02 + 0.05);
    }

    TempDir dir;
};

TEST_F(FirmsimTest, TheSampleProjectPlaysItsPreviewOnTheSimulatedController)
{
    fs::copy(fs::path(LUMARO_SOURCE_DIR) / "data" / "Sample", dir / "site");
    const Outcome built = RunProgram(dir.path(), "build site/Facade.LED --format 2",
                                     "LUMARO_HOME='" + (dir / "home").string() + "'");
    ASSERT_EQ(built.status, 0) << built.out << built.err;
    EXPECT_NE(built.out.find("Frame memory:  2880(Byte)  35.1% of 8192"), std::string::npos) << built.out;
    EXPECT_NE(built.out.find("Frame time:  20.9 ms (longest chain: 60 lamps)"), std::string::npos)
        << built.out;

    const auto doc = CLayoutFile::Load(dir / "site" / "Facade.LED");
    ASSERT_TRUE(doc.ok());
    const CCompiledEffects compiled = CompileEffects(doc.value());
    const auto chains = CControllerPlay::ReadPortTable(CPortTable::Text(doc->lamps)).value();
    const auto play = CControllerPlay::Make(compiled, doc->lamps.size(), chains);
    EXPECT_TRUE(play.SlowModes().empty());
    const std::string image = ReadText(dir / "site" / "Facade2.hex");
    ExpectGroupPlaysAsPreview(compiled, doc->lamps, chains, play, image, 0, 0);
    ExpectGroupPlaysAsPreview(compiled, doc->lamps, chains, play, image, 2, 2);

    // The command line prints the same play.
    const Outcome sim = RunProgram(dir.path(), "firmsim site/Facade2.hex site/Facade.LED --seconds 2");
    ASSERT_EQ(sim.status, 0) << sim.err;
    EXPECT_NE(sim.out.find("mode 0 CM_LEFTTORIGHT_GC: "), std::string::npos) << sim.out;
    EXPECT_NE(sim.out.find("frame time 20.9"), std::string::npos) << sim.out;
}

// Random projects: every class code, colours counted from the end, chains in
// another order than the lamp numbers, ports of unequal length or empty, a
// lamp on no port, a lamp number past the list, an empty mode in a group.
TEST_F(FirmsimTest, RandomProjectsPlayTheirPreviewOnTheSimulatedController)
{
    for (unsigned seed : {7u, 23u}) {
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

        const int lampCount = pick(20, 36);
        std::vector<CLamp> lamps;
        for (int i = 0; i < lampCount; ++i) {
            lamps.emplace_back(i % 8, i / 8, i, 0, 5, 1);
            lamps.back().port =
                i == 3 ? 0 : 1 + 2 * pick(0, 4) + (i % 3 == 0 ? 1 : 0); // ports 2p+1, some 2p+2
        }
        for (int port = 1; port <= 12; ++port) {
            std::vector<CLamp*> on;
            for (CLamp& l : lamps)
                if (l.port == port)
                    on.push_back(&l);
            std::shuffle(on.begin(), on.end(), rng);
            for (std::size_t k = 0; k < on.size(); ++k)
                on[k]->order = static_cast<std::int32_t>(k + 1);
        }

        CCompiledEffects compiled;
        for (int s = 0; s < 6; ++s) {
            UIntArray seq;
            for (int k = pick(1, 8); k > 0; --k)
                seq.push_back(static_cast<std::uint32_t>(pick(0, lampCount - 1)));
            compiled.lampSequenceTable.push_back(seq);
        }
        compiled.lampSequenceTable[5].push_back(static_cast<std::uint32_t>(lampCount + 4));
        for (int b = 0; b < 3; ++b) {
            UIntArray bands;
            for (int k = pick(2, 5); k > 0; --k)
                bands.push_back(static_cast<std::uint32_t>(pick(0, 5)));
            compiled.bandTable.push_back(bands);
        }
        for (int c = 0; c < 4; ++c) {
            UIntArray colours;
            for (int k = pick(3, 14); k > 0; --k) // not always whole triples
                colours.push_back(static_cast<std::uint32_t>(pick(0, 300)));
            compiled.colourTable.push_back(colours);
        }
        std::vector<int> codes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 254};
        std::shuffle(codes.begin(), codes.end(), rng);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            CModeItem m;
            m.type = "CM_CODE" + std::to_string(codes[i]);
            m.layer = codes[i];
            m.interval = pick(2, 4);
            m.loop = pick(1, 4);
            m.holdTime = pick(1, 2);
            m.colourGroupId = pick(0, 3);
            m.lampOrderIndex = pick(0, 5);
            m.bandOrderIndex = pick(0, 2);
            for (int k = 0; k < 6; ++k)
                m.colours.push_back(static_cast<std::uint32_t>(pick(0, 255)));
            compiled.programGroups[i < 6 ? 0 : 3].push_back(m);
        }

        const auto chains = CControllerPlay::ReadPortTable(CPortTable::Text(lamps)).value();
        const auto play = CControllerPlay::Make(compiled, lamps.size(), chains);
        const std::string image = BuildImage(play);
        ExpectGroupPlaysAsPreview(compiled, lamps, chains, play, image, 0, 0);
        ExpectGroupPlaysAsPreview(compiled, lamps, chains, play, image, 3, 1);
    }
}

TEST_F(FirmsimTest, AFrameLargerThanTheXramFailsTheBuildNamingBothSizes)
{
    fs::copy(fs::path(LUMARO_SOURCE_DIR) / "data" / "Sample", dir / "site");
    WriteText(Sys() / "Controller.ini", "[Controller]\r\nXRAM=2048\r\n");
    const Outcome built = RunProgram(dir.path(), "build site/Facade.LED --format 1",
                                     "LUMARO_HOME='" + (dir / "home").string() + "'");
    EXPECT_EQ(built.status, 1);
    EXPECT_NE(built.err.find("The frame needs 2880 bytes of XRAM, but the controller has 2048 bytes."),
              std::string::npos)
        << built.err;
    EXPECT_FALSE(fs::exists(Sys() / "CPlay.h"));
}

} // namespace
