#include "core/firmware/ControllerRun.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lumaro;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

// Runs for one round and then leaves what `finish` writes.
class FakeProcess : public IExternalProcess {
public:
    std::vector<fs::path> started;
    std::function<void(const fs::path&)> finish;
    bool running = false;

    bool Start(const fs::path& batch, const fs::path&) override
    {
        started.push_back(batch);
        running = true;
        return true;
    }
    bool Running() override
    {
        if (running && finish)
            finish(started.back());
        return std::exchange(running, false);
    }
};

CCompiledEffects Groups(std::initializer_list<int> withRows)
{
    CCompiledEffects c;
    CModeItem black;
    black.type = "CM_EMPTYMODE";
    black.layer = 254;
    for (int g : withRows)
        c.programGroups[static_cast<std::size_t>(g)] = {black};
    return c;
}

std::vector<CLamp> Chained(int count, int port)
{
    std::vector<CLamp> lamps;
    for (int n = 0; n < count; ++n) {
        lamps.emplace_back(n, 0, n, 0, 8, 1);
        lamps.back().port = port;
        lamps.back().order = port ? count - n : 0;
    }
    return lamps;
}

// Polls until the run has left the phase it is in.
CControllerRun::Phase Next(CControllerRun& run, IExternalProcess& process)
{
    const CControllerRun::Phase now = run.State();
    for (int round = 0; round < 5 && run.State() == now; ++round)
        run.Poll(process);
    return run.State();
}

TEST(ControllerRunTest, TheKeyReachesAGroupPastTheEmptyOnes)
{
    const CCompiledEffects c = Groups({2, 5, 9});
    EXPECT_EQ(CControllerRun::PressesFor(c, 2), 0)
        << "an empty group 0: the controller starts at the first with rows";
    EXPECT_EQ(CControllerRun::PressesFor(c, 9), 2);
    EXPECT_EQ(CControllerRun::PressesFor(c, 0), -1);
    EXPECT_EQ(CControllerRun::PressesFor(c, 32), -1);
    EXPECT_EQ(CControllerRun::PressesFor(Groups({0, 1}), 1), 1);
}

TEST(ControllerRunTest, RefusesWhatTheControllerCannotShowBeforeAnythingRuns)
{
    TempDir dir;
    FakeProcess process;
    CControllerRun empty({dir / "sys", dir / "work", 1});
    EXPECT_EQ(empty.Start(Groups({0}), Chained(4, 1), process).key, CControllerRun::kEmptyGroupKey);
    fs::create_directories(dir / "sys");
    CControllerRun unchained({dir / "sys", dir / "work", 0});
    EXPECT_EQ(unchained.Start(Groups({0}), Chained(4, 0), process).key, CControllerRun::kNoPortKey);
    EXPECT_TRUE(process.started.empty());
    EXPECT_EQ(unchained.State(), CControllerRun::Phase::Failed);
}

TEST(ControllerRunTest, BuildsInItsOwnFolderThenSimulatesAndSaysWhyEitherFailed)
{
    TempDir dir;
    fs::create_directories(dir / "sys");
    WriteText(dir / "sys" / "lss2.sh", "exit 0\n");
    FakeProcess process;
    CControllerRun run({dir / "sys", dir / "work", 0});
    process.finish = [&](const fs::path&) {
        WriteText(dir / "work" / "sys" / "DSP2.LST", "main.c:3: error 1\n");
    };
    const Status started = run.Start(Groups({0}), Chained(3, 2), process);
    ASSERT_TRUE(started.ok()) << started.key << " " << started.detail;
    EXPECT_EQ(process.started.at(0), dir / "work" / "sys" / "lss2.sh");
    EXPECT_FALSE(fs::exists(dir / "sys" / "CPlay.h")) << "the install's build folder is never written";
    EXPECT_EQ(Next(run, process), CControllerRun::Phase::Failed);
    EXPECT_EQ(run.Failure().key, CControllerRun::kBuildFailedKey);
    EXPECT_NE(run.Failure().detail.find("error 1"), std::string::npos);

    CControllerRun second({dir / "sys", dir / "work2", 0});
    process.finish = [&](const fs::path& batch) {
        if (batch.filename() == "lss2.sh")
            WriteText(dir / "work2" / "sys" / "DSP2.hex", ":00000001FF\r\n");
    };
    ASSERT_TRUE(second.Start(Groups({0}), Chained(3, 2), process).ok());
    EXPECT_EQ(Next(second, process), CControllerRun::Phase::Simulating);
    EXPECT_EQ(process.started.back(), dir / "work2" / "run" / CControllerSim::kScript);
    EXPECT_TRUE(fs::exists(dir / "work2" / "run" / "firmsim.cmd"));
    EXPECT_EQ(Next(second, process), CControllerRun::Phase::Failed) << "no pin dump";
    EXPECT_EQ(second.Failure().key, CControllerRun::kSimFailedKey);
}

} // namespace
