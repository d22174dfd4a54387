#include "core/firmware/FirmwareBuild.h"
#include "core/app/LangText.h"
#include "core/layout/PortTable.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

// A compiler that works for a number of rounds and then, perhaps, leaves
// an image.
class FakeCompiler : public IExternalProcess {
public:
    bool startable = true;
    int roundsToWork = 0;
    std::function<void()> finish; // writes the outputs
    int starts = 0;
    fs::path folder;

    bool Start(const fs::path&, const fs::path& in) override
    {
        folder = in;
        ++starts;
        return startable;
    }
    bool Running() override
    {
        if (roundsToWork > 0 && --roundsToWork == 0 && finish)
            finish();
        return roundsToWork > 0;
    }
};

CModeItem Record(int code)
{
    CModeItem r;
    r.type = "CM_ANY";
    r.layer = code;
    return r;
}

CCompiledEffects SmallProject()
{
    CCompiledEffects c;
    c.lampSequenceTable = {{0, 1, 2}};
    c.colourTable = {{255, 0, 0}};
    c.programGroups[0] = {Record(5)};
    c.programGroups[3] = {Record(9), Record(253)};
    return c;
}

std::vector<CLamp> Lamps(int count)
{
    std::vector<CLamp> lamps;
    for (int n = 0; n < count; ++n) {
        lamps.emplace_back(n, 0, n, 0, 8, 1);
        lamps.back().port = 1;
        lamps.back().order = n + 1;
    }
    return lamps;
}

class FirmwareBuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(current);
        fs::create_directories(build);
        WriteText(build / "lss2.sh", "exit 0\n");
        setup = {2, build, current, "Show.led", 37};
        compiler.finish = [this] {
            WriteText(build / "DSP2.hex", ":00000001FF\r\n");
            WriteText(build / "DSP2.BIN", std::string(1280, '\0'));
        };
    }

    // Polls until the wait is over; the rounds it took.
    CFirmwareBuild::Wait WaitFor(CFirmwareBuild& b)
    {
        for (;;)
            if (const auto w = b.Poll(compiler.Running()); w != CFirmwareBuild::Wait::Waiting)
                return w;
    }

    TempDir dir;
    fs::path current = dir / "project";
    fs::path build = dir / "sys";
    CFirmwareBuild::Setup setup;
    FakeCompiler compiler;
};

TEST_F(FirmwareBuildTest, BuildMovesTheTablesAndStampsTheImageBesideTheProject)
{
    ASSERT_TRUE(CPortTable::Write(Lamps(37), current).ok());
    WriteText(build / "DSP2.OMF", "stale");
    WriteText(build / "dsp2.bin", "stale image of an earlier build");
    compiler.roundsToWork = 3;
    CFirmwareBuild b(setup);
    const Status started = b.Start(SmallProject(), compiler);
    ASSERT_TRUE(started.ok()) << started.key << ' ' << started.detail;
    EXPECT_EQ(compiler.starts, 1);
    EXPECT_EQ(compiler.folder, build);
    EXPECT_FALSE(fs::exists(build / "DSP2.OMF"));
    EXPECT_FALSE(fs::exists(build / "dsp2.bin")) << "an old image must not pass for the new one";
    for (const char* f : {"cport.h", "DSPPTN.H", "CSTGRP.h", "CData.h"})
        EXPECT_TRUE(fs::exists(build / f)) << f;
    EXPECT_FALSE(fs::exists(current / "DSPPTN.H"));
    EXPECT_FALSE(fs::exists(current / "CSTGRP.h"));
    EXPECT_TRUE(
        ReadText(build / "CData.h").starts_with("#include <DatTyp2.h>\r\n#define TOTLMPCNT\t 37\r\n"));

    EXPECT_EQ(WaitFor(b), CFirmwareBuild::Wait::Found);
    EXPECT_EQ(b.Rounds(), CFirmwareBuild::kLeastRounds) << "the least wait is kept";
    EXPECT_EQ(b.Counted().programGroups, 2u);
    EXPECT_EQ(b.Counted().lampSequences, 1u);
    EXPECT_EQ(b.Counted().colourLists, 1u);
    EXPECT_NE(b.Report().find("  1280(Byte)  1.9% of 64K"), std::string::npos) << b.Report();

    ASSERT_TRUE(b.CopyImage().ok());
    EXPECT_EQ(b.CopyFile(), current / "Show2.hex");
    EXPECT_EQ(ReadText(current / "Show2.hex"), ":00000001FF\r\n[LampNum]00037");
    EXPECT_EQ(CFirmwareBuild::Stamp(37).size(), CFirmwareBuild::kStampSize);

    setup.title = "Untitled";
    EXPECT_EQ(CFirmwareBuild(setup).CopyFile(), current / "Untitled2.hex");
}

TEST_F(FirmwareBuildTest, FailuresStopAtTheirStep)
{
    // No port table: the tables are written, nothing is moved or run.
    CFirmwareBuild noPorts(setup);
    EXPECT_EQ(noPorts.Start(SmallProject(), compiler).key, CFirmwareBuild::kNoPortTableKey);
    EXPECT_TRUE(fs::exists(current / "DSPPTN.H"));
    EXPECT_TRUE(fs::exists(current / "CSTGRP.h"));
    EXPECT_EQ(compiler.starts, 0);

    ASSERT_TRUE(CPortTable::Write(Lamps(4), current).ok());
    compiler.startable = false;
    EXPECT_EQ(CFirmwareBuild(setup).Start(SmallProject(), compiler).key, CFirmwareBuild::kCannotRunKey);
    fs::remove(build / "lss2.sh");
    compiler.startable = true;
    EXPECT_EQ(CFirmwareBuild(setup).Start(SmallProject(), compiler).key, CFirmwareBuild::kCannotRunKey);

    // A table naming a lamp sequence that is not there gives no "CData.h".
    WriteText(build / "lss2.sh", "");
    CCompiledEffects broken = SmallProject();
    broken.programGroups[0][0].lampOrderIndex = 600; // the table has 512
    fs::remove(build / "CData.h");
    const Status s = CFirmwareBuild(setup).Start(broken, compiler);
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(fs::exists(build / "CData.h"));
    EXPECT_EQ(compiler.starts, 1) << "only the run that could not start";

    // Every table over its limit is told, and the build stops at "CData.h"
    // saying why, not that the tables are damaged.
    CCompiledEffects big = SmallProject();
    big.colourTable.assign(102, {1, 2, 3});
    big.bandTable.assign(62, {0});
    std::vector<std::string> notices;
    const Status over =
        CFirmwareBuild(setup).Start(big, compiler, [&](const Status& n) { notices.push_back(n.key); });
    EXPECT_EQ(notices, (std::vector<std::string>{"SIMULATELIST_GCGT_GETN", "SIMULATELIST_COLORTEXT_CETN"}));
    EXPECT_EQ(over.key, CFirmwareBuild::kTablesOverLimitKey);
    EXPECT_EQ(compiler.starts, 1);

    // An image that cannot be copied.
    CFirmwareBuild noImage(setup);
    EXPECT_EQ(noImage.CopyImage().key, CFirmwareBuild::kImageCopyKey);
}

TEST_F(FirmwareBuildTest, WaitOutlastsASlowCompilerAndAsksOnlyWhenItEndsWithoutImage)
{
    ASSERT_TRUE(CPortTable::Write(Lamps(4), current).ok());

    // Slower than the least wait: waited for, no question.
    compiler.roundsToWork = 150;
    CFirmwareBuild slow(setup);
    ASSERT_TRUE(slow.Start(SmallProject(), compiler).ok());
    EXPECT_EQ(WaitFor(slow), CFirmwareBuild::Wait::Found);
    EXPECT_EQ(slow.Rounds(), 150);

    // Ended early without an image: asked after the least wait; Retry finds
    // the image once it is there, and asks again while it is not.
    compiler.roundsToWork = 30;
    compiler.finish = nullptr;
    CFirmwareBuild failed(setup);
    ASSERT_TRUE(failed.Start(SmallProject(), compiler).ok());
    EXPECT_EQ(WaitFor(failed), CFirmwareBuild::Wait::Ask);
    EXPECT_EQ(failed.Rounds(), CFirmwareBuild::kLeastRounds);
    failed.Retry();
    EXPECT_EQ(failed.Poll(false), CFirmwareBuild::Wait::Ask);
    WriteText(build / "DSP2.BIN", "x");
    failed.Retry();
    EXPECT_EQ(failed.Poll(false), CFirmwareBuild::Wait::Found);

    // A compiler that never ends: asked after the longest wait, and given
    // another full wait on Retry.
    fs::remove(build / "DSP2.BIN");
    CFirmwareBuild hung(setup);
    compiler.roundsToWork = 0;
    ASSERT_TRUE(hung.Start(SmallProject(), compiler).ok());
    CFirmwareBuild::Wait w;
    while ((w = hung.Poll(true)) == CFirmwareBuild::Wait::Waiting) {
    }
    EXPECT_EQ(w, CFirmwareBuild::Wait::Ask);
    EXPECT_EQ(hung.Rounds(), CFirmwareBuild::kLongestRounds);
    hung.Retry();
    EXPECT_EQ(hung.Poll(true), CFirmwareBuild::Wait::Waiting);
    WriteText(build / "DSP2.BIN", "x");
    EXPECT_EQ(hung.Poll(true), CFirmwareBuild::Wait::Waiting) << "still writing, perhaps";
    EXPECT_EQ(hung.Poll(false), CFirmwareBuild::Wait::Found);
}

TEST(FirmwareBuildReport, SharesInTenthsOfAPerCentWithTheirCapacities)
{
    TempDir dir;
    WriteText(dir / "English.ini",
              "[String]\nID_MSG_CBINDLG_COGRP=Colour\nID_MSG_CBINDLG_GRPCLUGRP=Band\n"
              "ID_MSG_CBINDLG_CLUGRP=Lamp\nID_MSG_CBINDLG_PRGGRP=Program\nID_MSG_CBINDLG_SIZE=Size\n"
              "ID_MSG_CBINDLG_RRBSB=Too much\n");
    const fs::path saved = CLangText::LanguageFilePath();
    CLangText::SetLanguageFilePath(dir / "English.ini");

    EXPECT_EQ(CFirmwareBuild::ShareText(0), "0.0");
    EXPECT_EQ(CFirmwareBuild::ShareText(5), "0.5");
    EXPECT_EQ(CFirmwareBuild::ShareText(1024), "102.4");

    EXPECT_EQ(CFirmwareBuild::ReportText({16, 101, 127, 61}, 65536, 2),
              "Colour  101  100.0% of 101\nBand  61  100.0% of 61\nLamp  127  24.8% of 512\n"
              "Program  16  50.0% of 32\nSize  65536(Byte)  100.0% of 64K");
    // Format 1 counts lamp sequences against its 254; the image size never
    // raises the warning.
    EXPECT_EQ(CFirmwareBuild::ReportText({1, 1, 127, 1}, 70000, 1),
              "Colour  1  0.9% of 101\nBand  1  1.6% of 61\nLamp  127  50.0% of 254\n"
              "Program  1  3.1% of 32\nSize  70000(Byte)  106.8% of 64K");
    EXPECT_TRUE(CFirmwareBuild::ReportText({0, 0, 255, 0}, 0, 1).ends_with("\nToo much"));
    EXPECT_FALSE(CFirmwareBuild::ReportText({0, 0, 255, 0}, 0, 3).ends_with("\nToo much"));

    CLangText::SetLanguageFilePath(saved);
}

} // namespace
