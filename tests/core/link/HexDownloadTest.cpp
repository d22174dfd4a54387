#include "core/link/HexDownload.h"

#include "LoaderLink.h"

#include "core/link/SerialPortChoice.h"

#include <gtest/gtest.h>

using namespace lumaro;
using namespace lumaro::test;

namespace {

using Strings = std::vector<std::string>;
using Options = CHexDownload::Options;

const std::string kErase(CHexDownload::kEraseRecord);
const std::string kStatus(CHexDownload::kStatusRecord);
const std::string kClock(CHexDownload::kClockRecord);
const std::string kSec1(CHexDownload::kSecurityRecords[0]);
const std::string kSec2(CHexDownload::kSecurityRecords[1]);
const std::string kSec3(CHexDownload::kSecurityRecords[2]);

// What a clean download sends, each command once.
Strings CleanSends(const Strings& records, bool clock = false)
{
    Strings sends{"U", kErase, "U"};
    sends.insert(sends.end(), records.begin(), records.end());
    sends.insert(sends.end(), {"U", kStatus});
    if (clock)
        sends.push_back(kClock);
    sends.insert(sends.end(), {kSec1, kSec2, kSec3});
    return sends;
}

// The first records the loader took, with consecutive repeats (a resend
// after a lost answer) counted once.
Strings Distinct(Strings s)
{
    s.erase(std::unique(s.begin(), s.end()), s.end());
    return s;
}

} // namespace

TEST(HexDownload, EndOfFileRecordAloneToEachTarget)
{
    const Strings eof{":00000001FF"};
    LoaderLink nvdmx;
    EXPECT_TRUE(nvdmx.Download(HexFile(eof)).ok());
    EXPECT_EQ(nvdmx.sends, CleanSends(eof));
    EXPECT_EQ(nvdmx.model.Accepted(), CleanSends(eof));
    EXPECT_EQ(nvdmx.messages, (Strings{"Send Data Success!", "Set Bit Success!"}));
    EXPECT_EQ(nvdmx.progress, (std::vector<std::size_t>{0, 11, 0}));
    EXPECT_EQ(nvdmx.progressTotal, 13u);

    // The Vela controllers get the clock record after the status record; nothing else differs.
    LoaderLink vela;
    EXPECT_TRUE(
        vela.Download(HexFile(eof), {CHexDownload::Dialog::Download, CHexDownload::Target::Vela1000}).ok());
    EXPECT_EQ(vela.sends, CleanSends(eof, true));
    EXPECT_EQ(vela.messages, nvdmx.messages);
}

TEST(HexDownload, EditSceneLinksOkAndNeverSendsTheClock)
{
    LoaderLink link;
    const Strings records = SampleRecords(2);
    EXPECT_TRUE(
        link.Download(HexFile(records), {CHexDownload::Dialog::EditScene, CHexDownload::Target::Vela1000})
            .ok());
    EXPECT_EQ(link.sends, CleanSends(records));
    EXPECT_EQ(link.messages, (Strings{"Link ok!", "Download Success!"}));
}

TEST(HexDownload, EveryRecordOnceAndInOrderHoweverTheLoaderAnswers)
{
    const Strings records = SampleRecords(40);
    struct Case {
        const char* name;
        CBootLoaderModel::Faults faults;
        bool deliverInsideSend;
    };
    std::vector<Case> cases{
        {"echoing", {}, false}, {"not echoing", {}, false}, {"answering inside Send", {}, true}};
    cases[1].faults.echo = false;
    cases[2].faults.replyMs = 0;
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        CBootLoaderModel::Faults split;
        split.splitEchoes = true;
        split.seed = seed;
        cases.push_back({"split echoes", split, false});
    }
    for (const auto& c : cases) {
        LoaderLink link(c.faults);
        link.deliverInsideSend = c.deliverInsideSend;
        EXPECT_TRUE(link.Download(HexFile(records)).ok()) << c.name;
        EXPECT_EQ(link.sends, CleanSends(records)) << c.name; // not one resend
        EXPECT_EQ(link.model.Image().size(), 40u * 16u) << c.name;
        EXPECT_EQ(link.model.Image().at(0x27F), 0x80) << c.name;
        EXPECT_EQ(link.progress.end()[-2], 40u * 43u + 11u) << c.name;
        // Each wait ends with its answer: the erase's 300 ms and about a
        // millisecond per record, not 100 ms after each.
        EXPECT_LT(link.now, 400) << c.name;
    }
}

TEST(HexDownload, UnansweredSynchronisationSkipsTheEraseAndGoesOn)
{
    CBootLoaderModel::Faults faults;
    faults.unansweredSyncs = 10;
    LoaderLink link(faults);
    EXPECT_TRUE(link.Download(HexFile({":00000001FF"})).ok());
    EXPECT_EQ(link.Count(kErase), 0);
    EXPECT_EQ(link.Count("U"), 12); // ten for the erase, then the data step's and the configuration's
    EXPECT_EQ(link.messages,
              (Strings{"SendSRate TimeOut!  ", "SetRate Failed!", "Send Data Success!", "Set Bit Success!"}));

    // A "U" answering the tenth send comes too late: only "." counts then.
    faults.unansweredSyncs = 9;
    LoaderLink late(faults);
    EXPECT_TRUE(late.Download(HexFile({":00000001FF"})).ok());
    EXPECT_EQ(late.Count(kErase), 0);
    EXPECT_EQ(late.messages.at(1), "SetRate Failed!");
}

TEST(HexDownload, LostAnswersAreResentWithResynchronisationFromTheSixth)
{
    CBootLoaderModel::Faults allLost;
    allLost.dropReplyRate = 1.0;
    LoaderLink link(allLost);
    const Status outcome = link.Download(HexFile({":00000001FF"}));
    EXPECT_EQ(outcome.key, CHexDownload::kFileDataTimeoutKey);
    EXPECT_EQ(link.messages, (Strings{"EraserWholeChip TimeOut!  ", "Erase Whole Chip Failed!",
                                      "Send FileData TimeOut!  ", "FileEOF"}));
    const Strings tail(link.sends.end() - 14, link.sends.end());
    const std::string r = ":00000001FF";
    EXPECT_EQ(tail, (Strings{r, r, r, r, r, r, "U", r, "U", r, "U", r, "U", r}));
    EXPECT_EQ(link.Count(kErase), 10);
    EXPECT_EQ(link.Count(kStatus), 0); // a failed file is never configured

    // Some answers lost at random: the download gets through, resending as it must.
    const Strings records = SampleRecords(30);
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        CBootLoaderModel::Faults some;
        some.dropReplyRate = 0.25;
        some.seed = seed;
        LoaderLink lossy(some);
        EXPECT_TRUE(lossy.Download(HexFile(records)).ok()) << seed;
        EXPECT_GT(lossy.sends.size(), CleanSends(records).size());
        Strings accepted = Distinct(lossy.model.Accepted());
        accepted.erase(std::remove(accepted.begin(), accepted.end(), "U"), accepted.end());
        Strings expected = CleanSends(records);
        expected.erase(std::remove(expected.begin(), expected.end(), "U"), expected.end());
        EXPECT_EQ(accepted, expected) << seed;
    }
}

TEST(HexDownload, SlowEraseIsAwaitedUpToItsBound)
{
    for (int eraseMs : {15000, 30000}) {
        CBootLoaderModel::Faults faults;
        faults.eraseMs = eraseMs;
        LoaderLink link(faults);
        EXPECT_TRUE(link.Download(HexFile(SampleRecords(1))).ok()) << eraseMs;
        // The loader hears nothing while it erases: past the 20 s bound the
        // erase goes again and its late "." (with no echo before it) answers that send.
        EXPECT_EQ(link.Count(kErase), eraseMs < CHexDownload::kEraseWaitMs ? 1 : 2);
        EXPECT_EQ(link.sendTimes.at(link.sends.size() - 8), eraseMs) << "the data step's synchronisation";
        EXPECT_EQ(link.messages, (Strings{"Send Data Success!", "Set Bit Success!"}));
    }
}

TEST(HexDownload, ADamagedFileIsRefusedBeforeTheControllerIsErased)
{
    const Strings good = SampleRecords(3);
    std::string lf = HexFile(good);
    std::erase(lf, '\r');
    Strings checksum = good;
    checksum[1].back() = checksum[1].back() == '0' ? '1' : '0';
    Strings junk = good;
    junk[1][20] = 'x';
    const std::string truncated = HexFile(good).substr(0, HexFile(good).size() - 13);
    const std::string beyond =
        HexFile({HexRecordText(0xFFF8, 0, std::vector<std::uint8_t>(16, 1)), ":00000001FF"});
    const std::string upper = HexFile({":020000040001F9", ":00000001FF"});
    for (const std::string& file : {lf, HexFile(checksum), HexFile(junk), truncated, beyond, upper}) {
        LoaderLink link;
        const Status started = link.download.Start(file, {});
        EXPECT_EQ(started.key, CHexRecordReader::kReadErrorKey) << file;
        EXPECT_FALSE(link.download.Running());
        EXPECT_TRUE(link.sends.empty()) << "nothing sent, nothing erased";
    }
    // The build's stamp line after the end record is no damage.
    LoaderLink link;
    EXPECT_TRUE(link.Download(HexFile(good) + "Lumaro 4.0 Show3 2026-12-09\r\n").ok());
}

TEST(HexDownload, LineCutAfterTheFileStopsTheConfiguration)
{
    LoaderLink link;
    ASSERT_TRUE(link.download.Start(HexFile({":00000001FF"}), {}).ok());
    link.Run([&] { return link.sends.back() == ":00000001FF"; }); // its answer is on the way
    link.lineCut = true;
    link.Run();
    EXPECT_EQ(link.outcome.key, CHexDownload::kStatusTimeoutKey);
    EXPECT_EQ(link.messages,
              (Strings{"Send Data Success!", "SendSRate TimeOut!  ", "Set Status Enable TimeOut!  "}));
    EXPECT_EQ(link.Count(kStatus), 10);
    EXPECT_EQ(link.Count(kSec1), 0);
    EXPECT_EQ(link.progress.back(), 0u);
}

TEST(HexDownload, CancelStopsBetweenTwoSends)
{
    const Strings records = SampleRecords(5);
    LoaderLink link;
    ASSERT_TRUE(link.download.Start(HexFile(records), {}).ok());
    EXPECT_EQ(link.download.Start("", {}).key, CHexDownload::kBusyKey);
    link.Run([&] { return link.sends.back() == records[2]; });
    link.download.Cancel();
    EXPECT_FALSE(link.download.Running());
    EXPECT_EQ(link.outcome.key, CHexDownload::kCancelledKey);
    const std::size_t sent = link.sends.size();
    while (auto block = link.model.TakeBlock(1'000'000)) // the answer still on its way is ignored
        link.download.OnBytesReceived(*block);
    link.now = 1'000'000;
    link.download.OnTimer();
    EXPECT_EQ(link.sends.size(), sent);
    EXPECT_TRUE(link.messages.empty());
}

TEST(HexDownload, FileChoiceAndPort)
{
    const auto none = CHexDownload::LoadHexFile({});
    EXPECT_EQ(none.status().key, CHexDownload::kNoFileKey);
    EXPECT_EQ(none.status().detail, "Please Select a file for Downloading!");
    EXPECT_EQ(CHexDownload::LoadHexFile("/nonexistent/x.hex").status().detail, "Read File Error!");

    EXPECT_EQ(serialport::PortNumberFromText("COM 7"), 7);
    EXPECT_EQ(serialport::PortNumberFromText("COM 12"), 12);
    EXPECT_EQ(serialport::PortTexts().back(), "COM 29");
    EXPECT_EQ(serialport::PortNumberFromText("COM X"), 0);
}
