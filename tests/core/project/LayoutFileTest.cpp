#include "core/project/LayoutFile.h"

#include "../SampleDocument.h"
#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::Le16;
using lumaro::test::Le32;
using lumaro::test::LeI32;
using lumaro::test::MakeLampGrid;
using lumaro::test::MakeRichDocument;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

// Offsets in a file whose scenes hold no colours.
constexpr std::size_t kScenesAt = 44;
constexpr std::size_t kLampListAt = kScenesAt + 16 * 8 * 12;

std::string LampFields(const CLamp& l)
{
    return LeI32(l.x) + LeI32(l.y) + LeI32(l.number) + LeI32(l.colour) + LeI32(l.size) + LeI32(l.shown) +
           LeI32(l.port) + LeI32(l.order);
}

std::string DefaultHead()
{
    return CLayoutFile::Serialize(CEditImgDoc{}).substr(0, kLampListAt);
}

// Everything after the lamp list of an otherwise new document.
std::string DefaultTailAfterLamps(int layerCount = 50)
{
    std::string s = LeI32(0) + LeI32(0) + LeI32(0); // two position lists, mode list
    for (int g = 0; g < 32; ++g)
        s += LeI32(0);
    s += LeI32(0) + LeI32(0) + LeI32(layerCount);
    for (int i = 0; i < layerCount; ++i)
        s += LeI32(-1);
    return s;
}

Result<CEditImgDoc> Parse(const std::string& bytes)
{
    return CLayoutFile::Parse(bytes);
}

std::string ModeRecord(const std::string& type, const std::string& optionalAfterLayer,
                       const std::string& optionalAfterColourGroup)
{
    return LeI32(2) + LeI32(4) + LeI32(1) + LeI32(3) // area top, bottom, left, right
           + LeI32(-1) + LeI32(5) + LeI32(70)        // lamp order, band order, hold time
           + static_cast<char>(type.size()) + type + "\x01n" + LeI32(9) + LeI32(12) // loop, layer
           + optionalAfterLayer + LeI32(6) + LeI32(7) + LeI32(8) + LeI32(10) + LeI32(11) + LeI32(13) +
           optionalAfterColourGroup + LeI32(2) + Le32(1) + Le32(2) + Le32(3) + LeI32(-1) + LeI32(21) +
           LeI32(22) + LeI32(23) + LeI32(24);
}

std::string FileWithModes(const std::string& records, int count)
{
    std::string s = DefaultHead() + Le16(0) + LeI32(0) + LeI32(0) + LeI32(count) + records;
    for (int g = 0; g < 32; ++g)
        s += LeI32(0);
    return s + LeI32(0) + LeI32(0) + LeI32(0);
}

} // namespace

TEST(LayoutFileWrite, NewDocumentHasTheFixedLayout)
{
    const std::string bytes = CLayoutFile::Serialize(CEditImgDoc{});
    EXPECT_EQ(bytes.substr(0, kScenesAt),
              Le32(0) + LeI32(10) + LeI32(10) + LeI32(650) + LeI32(450) + Le32(0x459C4000) // 5000.0
                  + Le32(0x42C80000) + Le32(0x42200000) + LeI32(25) + Le32(0) + Le32(0x40200000));
    EXPECT_EQ(bytes.substr(kScenesAt, kLampListAt - kScenesAt), std::string(16 * 8 * 12, '\0'));
    EXPECT_EQ(bytes.substr(kLampListAt), Le16(0) + DefaultTailAfterLamps());
}

TEST(LayoutFileWrite, LampsAreObjectsOfClassCLamp)
{
    CEditImgDoc doc;
    doc.lamps = {CLamp(1, 2, 0, 0x00FF00, 8, 1), CLamp(3, 4, 1, 0x00FF00, 8, 1)};
    doc.lamps[1].port = 12;
    doc.lamps[1].order = 1;
    const std::string expected = Le16(2) + Le16(0xFFFF) + Le16(1) + Le16(5) + "CLamp" +
                                 LampFields(doc.lamps[0]) + Le16(0x8001) + LampFields(doc.lamps[1]);
    EXPECT_EQ(CLayoutFile::Serialize(doc).substr(kLampListAt, expected.size()), expected);
}

TEST(LayoutFileWrite, LampCountTakesTheLongFormFrom65535)
{
    CEditImgDoc doc;
    doc.lamps = MakeLampGrid(65534);
    EXPECT_EQ(CLayoutFile::Serialize(doc).substr(kLampListAt, 4), Le16(65534) + Le16(0xFFFF));
    doc.lamps = MakeLampGrid(65535);
    std::string bytes = CLayoutFile::Serialize(doc);
    EXPECT_EQ(bytes.substr(kLampListAt, 8), Le16(0xFFFF) + Le32(65535) + Le16(0xFFFF));
    auto back = Parse(bytes);
    ASSERT_TRUE(back.ok()) << back.status().detail;
    EXPECT_EQ(back->lamps, doc.lamps);
}

TEST(LayoutFileRoundTrip, EverySectionComesBackAndReWritesByteForByte)
{
    const CEditImgDoc doc = MakeRichDocument();
    const std::string bytes = CLayoutFile::Serialize(doc);
    auto back = Parse(bytes);
    ASSERT_TRUE(back.ok()) << back.status().detail;
    EXPECT_TRUE(back->SameStoredData(doc));
    EXPECT_EQ(back->layers.size(), 51u);
    EXPECT_EQ(CLayoutFile::Serialize(back.value()), bytes);
}

TEST(LayoutFileRead, LampPositionsKeepOnlyPlaceAndNumber)
{
    CEditImgDoc doc;
    CLamp onPort(7, 8, 0, 0x123456, 9, 1);
    onPort.port = 4;
    onPort.order = 2;
    doc.lampPositions = {onPort};
    doc.lampPositions2 = {onPort};
    auto back = Parse(CLayoutFile::Serialize(doc));
    ASSERT_TRUE(back.ok());
    for (const auto* list : {&back->lampPositions, &back->lampPositions2}) {
        ASSERT_EQ(list->size(), 1u);
        EXPECT_EQ((*list)[0], CLamp(7, 8, 0, 255, 0, 1)); // red, size 0, no port
    }
}

TEST(LayoutFileRead, LayersArePaddedToFifty)
{
    const std::string bytes = DefaultHead() + Le16(0) + DefaultTailAfterLamps(10);
    auto doc = Parse(bytes);
    ASSERT_TRUE(doc.ok()) << doc.status().detail;
    EXPECT_EQ(doc->layers.size(), 50u);
    auto none = Parse(DefaultHead() + Le16(0) + DefaultTailAfterLamps(0));
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->layers.size(), 50u);
}

TEST(LayoutFileRead, OptionalModeFieldsOnlyForWordAndCircularTypes)
{
    const std::string word = ModeRecord("CM_DOWNTOUP_WORD", LeI32(31) + LeI32(1), "");
    const std::string circle = ModeRecord("CM_CIRCULAR_AREA", "",
                                          LeI32(100) + LeI32(101) + LeI32(5) +
                                              "\x0B"
                                              "CM_KERNELBD");
    const std::string plain = ModeRecord("CM_LEFTTORIGHT_CC", "", "");
    auto doc = Parse(FileWithModes(word + circle + plain, 3));
    ASSERT_TRUE(doc.ok()) << doc.status().detail;
    ASSERT_EQ(doc->modes.size(), 3u);

    const CModeItem& w = doc->modes[0];
    EXPECT_EQ(w.type, "CM_DOWNTOUP_WORD");
    EXPECT_EQ(w.wordStep, 31);
    EXPECT_EQ(w.wordColourMode, 1);
    EXPECT_EQ(w.circleRadius, 0);
    EXPECT_EQ(w.startX, 6);
    EXPECT_EQ(w.startY, 7);

    const CModeItem& c = doc->modes[1];
    EXPECT_EQ(c.circleX, 100);
    EXPECT_EQ(c.circleY, 101);
    EXPECT_EQ(c.circleRadius, 5);
    EXPECT_EQ(c.innerType, "CM_KERNELBD");
    EXPECT_EQ(c.wordStep, 0);

    const CModeItem& p = doc->modes[2];
    EXPECT_EQ(p.areaTop, 2);
    EXPECT_EQ(p.areaBottom, 4);
    EXPECT_EQ(p.areaLeft, 1);
    EXPECT_EQ(p.areaRight, 3);
    EXPECT_EQ(p.lampOrderIndex, -1);
    EXPECT_EQ(p.bandOrderIndex, 5);
    EXPECT_EQ(p.holdTime, 70);
    EXPECT_EQ(p.name, "n");
    EXPECT_EQ(p.loop, 9);
    EXPECT_EQ(p.layer, 12);
    EXPECT_EQ(p.step, 8);
    EXPECT_EQ(p.interval, 10);
    EXPECT_EQ(p.sceneEffect, 11);
    EXPECT_EQ(p.colourGroupId, 13);
    EXPECT_EQ(p.colours, (UIntArray{1, 2, 3}));
    EXPECT_TRUE(p.extraLamps.empty());
    EXPECT_EQ(p.area2Top, 21);
    EXPECT_EQ(p.area2Bottom, 22);
    EXPECT_EQ(p.area2Left, 23);
    EXPECT_EQ(p.area2Right, 24);
    EXPECT_EQ(p.wordStep, 0);
    EXPECT_EQ(p.circleX, 0);
    EXPECT_EQ(p.innerType, "");
}

TEST(LayoutFileWrite, FieldsOfOtherTypesAreNotStored)
{
    CEditImgDoc doc;
    CModeItem m;
    m.type = "CM_KERNELBD";
    m.wordStep = 3;
    m.circleRadius = 9;
    m.innerType = "CM_LEFTTORIGHT_GC";
    doc.modes = {m};
    auto back = Parse(CLayoutFile::Serialize(doc));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->modes[0].wordStep, 0);
    EXPECT_EQ(back->modes[0].circleRadius, 0);
    EXPECT_EQ(back->modes[0].innerType, "");
}

TEST(LayoutFileRead, OtherSpellingsOfTheFormatAreAccepted)
{
    // A long string prefix for a short type, lamp schema 7, ten layers and
    // padding after the last section.
    std::string type = "CM_LEFTTORIGHT_GC";
    std::string record = ModeRecord(type, "", "");
    const std::string shortPrefix = static_cast<char>(type.size()) + type;
    record.replace(record.find(shortPrefix), shortPrefix.size(),
                   "\xFF" + Le16(static_cast<std::uint16_t>(type.size())) + type);
    CLamp lamp(1, 1, 0, 0x00FF00, 8, 1);
    std::string bytes = DefaultHead() + Le16(1) + Le16(0xFFFF) + Le16(7) + Le16(5) + "CLamp" +
                        LampFields(lamp) + LeI32(0) + LeI32(0) + LeI32(1) + record;
    for (int g = 0; g < 32; ++g)
        bytes += LeI32(0);
    bytes += LeI32(0) + LeI32(0) + LeI32(10);
    for (int i = 0; i < 10; ++i)
        bytes += LeI32(-1);
    bytes += std::string(100, '\0');
    auto doc = Parse(bytes);
    ASSERT_TRUE(doc.ok()) << doc.status().detail;
    EXPECT_EQ(doc->lamps, std::vector<CLamp>{lamp});
    EXPECT_EQ(doc->modes[0].type, type);
    EXPECT_EQ(doc->layers.size(), 50u);
    // Written back in the canonical spelling, it reads to the same document.
    auto again = Parse(CLayoutFile::Serialize(doc.value()));
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->SameStoredData(doc.value()));
}

TEST(LayoutFileRead, ALongCountMayHoldASmallNumber)
{
    CLamp lamp(1, 1, 0, 0x00FF00, 8, 1);
    const std::string bytes = DefaultHead() + Le16(0xFFFF) + Le32(1) + Le16(0xFFFF) + Le16(1) + Le16(5) +
                              "CLamp" + LampFields(lamp) + DefaultTailAfterLamps();
    auto doc = Parse(bytes);
    ASSERT_TRUE(doc.ok()) << doc.status().detail;
    EXPECT_EQ(doc->lamps.size(), 1u);
}

TEST(LayoutFileBadInput, EveryTruncationFailsCleanly)
{
    const std::string bytes = CLayoutFile::Serialize(MakeRichDocument());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        auto doc = Parse(bytes.substr(0, n));
        ASSERT_FALSE(doc.ok()) << "accepted a file cut at " << n;
        EXPECT_EQ(doc.status().key, msgkey::FileReadError);
        EXPECT_NE(doc.status().detail.find("at byte"), std::string::npos) << doc.status().detail;
    }
}

TEST(LayoutFileBadInput, WrongClassOrTagNamesTheLampAndOffset)
{
    CLamp lamp;
    const std::string head = DefaultHead() + Le16(2);
    const std::string first = Le16(0xFFFF) + Le16(1) + Le16(5) + "CLamp" + LampFields(lamp);
    const struct {
        std::string lamps;
        std::string expected;
    } cases[] = {
        {Le16(0xFFFF) + Le16(1) + Le16(5) + "CLimp" + LampFields(lamp) + Le16(0x8001) + LampFields(lamp),
         "at byte 1582: lamp 0 is of class \"CLimp\""},
        {first + Le16(0x8002) + LampFields(lamp), "at byte 1625: lamp 1: class reference 2"},
        {first + Le16(0x0000) + LampFields(lamp), "at byte 1625: lamp 1 is a null object"},
        {first + Le16(0x0002) + LampFields(lamp), "at byte 1625: lamp 1 refers to an earlier object"},
        {Le16(0x8001) + LampFields(lamp) + Le16(0x8001) + LampFields(lamp), "lamp 0: class reference 1"},
        {first + Le16(0x7FFF) + Le32(2) + LampFields(lamp), "lamp 1 refers to an earlier object"},
    };
    for (const auto& c : cases) {
        auto doc = Parse(head + c.lamps + DefaultTailAfterLamps());
        ASSERT_FALSE(doc.ok()) << c.expected;
        EXPECT_NE(doc.status().detail.find(c.expected), std::string::npos) << doc.status().detail;
    }
    // The big class tag naming the lamp class is a valid reference.
    auto big =
        Parse(head + first + Le16(0x7FFF) + Le32(0x80000001) + LampFields(lamp) + DefaultTailAfterLamps());
    EXPECT_TRUE(big.ok()) << big.status().detail;
}

TEST(LayoutFileBadInput, HugeCountsInATinyFileFailWithoutAllocating)
{
    // 20 bytes claiming the scene colours hold two thousand million values.
    EXPECT_FALSE(Parse(std::string(16, '\0') + Le32(0)).ok());
    const std::string huge = Le32(0x7FFFFFFF);
    auto scenes = Parse(DefaultHead().substr(0, kScenesAt + 8) + huge + std::string(8, '\0'));
    ASSERT_FALSE(scenes.ok());
    EXPECT_NE(scenes.status().detail.find("the colours of a scene slot"), std::string::npos);

    auto lamps = Parse(DefaultHead() + Le16(0xFFFF) + Le32(0xFFFFFFFF) + std::string(8, '\0'));
    ASSERT_FALSE(lamps.ok());
    EXPECT_NE(lamps.status().detail.find("the lamp list"), std::string::npos);

    auto modes = Parse(DefaultHead() + Le16(0) + LeI32(0) + LeI32(0) + huge);
    ASSERT_FALSE(modes.ok());
    EXPECT_NE(modes.status().detail.find("the mode list"), std::string::npos);

    auto negative = Parse(DefaultHead() + Le16(0) + LeI32(-1));
    ASSERT_FALSE(negative.ok());
    EXPECT_NE(negative.status().detail.find("negative count"), std::string::npos);
}

TEST(LayoutFileDisk, LoadMarksTheDocumentScanned)
{
    TempDir dir;
    const auto file = dir / "SITE.LED";
    ASSERT_TRUE(CLayoutFile::Save(MakeRichDocument(), file).ok());
    auto doc = CLayoutFile::Load(file);
    ASSERT_TRUE(doc.ok()) << doc.status().detail;
    EXPECT_TRUE(doc->scanned);
    EXPECT_EQ(CLayoutFile::Serialize(doc.value()), ReadText(file));
}

TEST(LayoutFileDisk, FailuresKeepTheOldFileAndSayWhichFile)
{
    TempDir dir;
    const auto missing = CLayoutFile::Load(dir / "none.LED");
    EXPECT_FALSE(missing.ok());

    const auto bad = dir / "BAD.LED";
    WriteText(bad, "short");
    const auto badDoc = CLayoutFile::Load(bad);
    ASSERT_FALSE(badDoc.ok());
    EXPECT_NE(badDoc.status().detail.find("BAD.LED"), std::string::npos);

    // Saving over a folder fails and leaves what was there.
    fs::create_directory(dir / "TAKEN.LED");
    EXPECT_FALSE(CLayoutFile::Save(MakeRichDocument(), dir / "TAKEN.LED").ok());
    EXPECT_TRUE(fs::is_directory(dir / "TAKEN.LED"));
}

TEST(LayoutFileSaveAs, NameIsUpperCasedAndGetsOneExtension)
{
    EXPECT_EQ(CLayoutFile::SaveAsPath("/home/Sites/abc"), fs::path("/home/Sites/ABC.LED"));
    EXPECT_EQ(CLayoutFile::SaveAsPath("/home/Sites/abc.led"), fs::path("/home/Sites/ABC.LED"));
    EXPECT_EQ(CLayoutFile::SaveAsPath("/home/Sites/Plan.Led.txt"), fs::path("/home/Sites/PLAN.LED.TXT.LED"));
    EXPECT_EQ(CLayoutFile::SaveAsPath("led"), fs::path("LED.LED"));
    // Letters beyond ASCII keep their bytes.
    EXPECT_EQ(CLayoutFile::SaveAsPath("/x/\xE5\xB9\xBF\xE5\x9C\xBA"),
              fs::path("/x/\xE5\xB9\xBF\xE5\x9C\xBA.LED"));
}
