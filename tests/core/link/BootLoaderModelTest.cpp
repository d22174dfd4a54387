#include "core/link/BootLoaderModel.h"

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

// Everything the loader sends by the given moment, joined.
std::string Drain(CBootLoaderModel& model, std::int64_t nowMs)
{
    std::string out;
    while (auto block = model.TakeBlock(nowMs))
        out += *block;
    return out;
}

} // namespace

TEST(BootLoaderModel, EchoesAndAnswersRecords)
{
    CBootLoaderModel model;
    const std::string record = ":02123400ABCD40";
    model.Receive("U", 0);
    model.Receive(record.substr(0, 5), 0);
    model.Receive(record.substr(5), 0);
    EXPECT_EQ(model.NextBlockMs(), 0);
    EXPECT_EQ(Drain(model, 0), "U" + record.substr(0, 5));
    EXPECT_EQ(Drain(model, 1), record.substr(5) + ".");
    EXPECT_EQ(model.Image(), (std::map<std::uint32_t, std::uint8_t>{{0x1234, 0xAB}, {0x1235, 0xCD}}));

    model.Receive(":0100000307F5", 10); // erase: deaf until it is done
    model.Receive("U", 20);
    EXPECT_EQ(Drain(model, 309), ":0100000307F5");
    EXPECT_EQ(Drain(model, 310), ".");
    EXPECT_TRUE(model.Image().empty());
    EXPECT_EQ(model.Accepted(), (std::vector<std::string>{"U", record, ":0100000307F5"}));
}

TEST(BootLoaderModel, RefusesBadRecordsAndKeepsItsFaults)
{
    CBootLoaderModel model;
    model.Receive(":00000001FE:ZZ", 0);
    EXPECT_EQ(Drain(model, 1), ":00000001FEX:ZZX");
    EXPECT_EQ(model.Refused(), 2);
    EXPECT_TRUE(model.Accepted().empty());

    CBootLoaderModel::Faults faults;
    faults.echo = false;
    faults.unansweredSyncs = 1;
    CBootLoaderModel quiet(faults);
    quiet.Receive("UU:00000001FF", 0);
    EXPECT_EQ(Drain(quiet, 1), "U.");

    faults = {};
    faults.silent = true;
    CBootLoaderModel silent(faults);
    silent.Receive("U:00000001FF", 0);
    EXPECT_FALSE(silent.NextBlockMs());
}
