#include "core/effects/ColourData.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

// A header, 50 numbered groups (group 5 holding red), two named groups and a closing section.
std::string SampleFile()
{
    std::string s = "Lumaro colour groups\r\n";
    for (int g = 0; g < 50; ++g)
        s += "ColorGroup:" + std::to_string(g) + "]" +
             (g == 5   ? "255  0  0"
              : g == 7 ? "  1  2  3"
                       : "") +
             "\r\n";
    s += "     [Sunset]255128  0\r\n     [Sea]  0  0255\r\nSection end\r\nkept [x]\r\n";
    return s;
}

} // namespace

TEST(ColourDataFormat, DisplayTextAndFields)
{
    EXPECT_EQ(CColourData::FormatColour(255, 0, 7), " 255R   0G   7B");
    EXPECT_EQ(CColourData::ParseDisplayLine(" 255R   0G   7B"), (UIntArray{255, 0, 7}));
    EXPECT_EQ(CColourData::Fields({255, 0, 0, 0, 0, 255}), "255  0  0  0  0255");
    EXPECT_EQ(CColourData::ParseFields("255  0  0  0  0255"), (UIntArray{255, 0, 0, 0, 0, 255}));
    EXPECT_EQ(CColourData::ParseFields(" 12 3"), (UIntArray{12})); // a short tail is ignored
}

TEST(ColourDataFile, ReadsAGroupAfterItsLabel)
{
    TempDir dir;
    const auto file = dir / "ColorData.sav";
    WriteText(file, SampleFile());
    EXPECT_EQ(CColourData::GetColorData(file, 5).value(), (UIntArray{255, 0, 0}));
    EXPECT_EQ(CColourData::GetColorData(file, 0).value(), UIntArray{});
    EXPECT_EQ(CColourData::GetColorData(file, 50).value(), (UIntArray{255, 128, 0}));
    EXPECT_EQ(CColourData::GetColorData(file, 400).value(), UIntArray{}); // no such line: no message

    WriteText(file, "header\nColorGroup:0]  1\nColorGroup:1]\n");
    EXPECT_EQ(CColourData::GetColorData(file, 3).value(), UIntArray{});
    const auto missing = CColourData::GetColorData(dir / "none.sav", 0);
    EXPECT_EQ(missing.status().key, CColourData::kCannotReadKey);
}

TEST(ColourDataFile, ClearingAGroupKeepsItsLabelAndEveryOtherLine)
{
    TempDir dir;
    const auto file = dir / "ColorData.sav";
    const std::string before = SampleFile();
    WriteText(file, before);
    ASSERT_TRUE(CColourData::SaveColorData(file, 5, CColourData::ClearGroup, "").ok());
    std::string expected = before;
    expected.replace(expected.find("ColorGroup:5]255  0  0"), 22, "ColorGroup:5]");
    EXPECT_EQ(ReadText(file), expected);
}

TEST(ColourDataFile, OtherLinesKeepTheirOwnLineBreaks)
{
    TempDir dir;
    const auto file = dir / "ColorData.sav";
    WriteText(file, "h\nColorGroup:0]  1  2  3\nColorGroup:1]  4  5 6\r\r\nColorGroup:2]  7\r\n");
    ASSERT_TRUE(CColourData::SaveColorData(file, 0, CColourData::ClearGroup, "").ok());
    EXPECT_EQ(ReadText(file), "h\nColorGroup:0]\nColorGroup:1]  4  5 6\r\r\nColorGroup:2]  7\r\n");
    EXPECT_EQ(CColourData::GetColorData(file, 1).value(), (UIntArray{4, 5, 6}));
}

TEST(ColourDataFile, AppendingAndAddingNamedGroups)
{
    TempDir dir;
    const auto file = dir / "ColorData.sav";
    WriteText(file, SampleFile());
    ASSERT_TRUE(CColourData::SaveColorData(file, 7, CColourData::AppendColours, "  4  5  6").ok());
    EXPECT_EQ(CColourData::GetColorData(file, 7).value(), (UIntArray{1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(CColourData::SaveColorData(file, 0, CColourData::AddNamedGroup, "  9  9  9", "Moss").ok());
    EXPECT_EQ(CColourData::GetColorGroupNames(file), (std::vector<std::string>{"Sunset", "Sea", "Moss"}));
    EXPECT_EQ(CColourData::GetColorData(file, 52).value(), (UIntArray{9, 9, 9}));
    EXPECT_NE(ReadText(file).find("     [Moss]  9  9  9\r\nSection end\r\nkept [x]\r\n"), std::string::npos);
}

TEST(ColourDataFile, NamedGroupGoesAtTheEndWithoutASection)
{
    TempDir dir;
    const auto file = dir / "ColorData.sav";
    std::string s = "h\n";
    for (int g = 0; g < 50; ++g)
        s += "ColorGroup:" + std::to_string(g) + "]\n";
    WriteText(file, s);
    ASSERT_TRUE(CColourData::SaveColorData(file, 0, CColourData::AddNamedGroup, "", "First").ok());
    EXPECT_EQ(ReadText(file), s + "     [First]\n");
}

TEST(ColourDataFile, MissingFileIsReportedAndNothingWritten)
{
    TempDir dir;
    const Status s = CColourData::SaveColorData(dir / "ColorData.sav", 0, CColourData::AppendColours, "  1");
    EXPECT_EQ(s.key, CColourData::kCannotWriteKey);
    EXPECT_FALSE(fs::exists(dir / "ColorData.sav"));
    EXPECT_TRUE(CColourData::GetColorGroupNames(dir / "ColorData.sav").empty());
    EXPECT_EQ(CColourData::NumberedGroupItems().size(), 50u);
    EXPECT_EQ(CColourData::NumberedGroupItems()[49], "ColorGroup:49");
}

TEST(ColourDataNames, ProposalCountsTheColorGroupEntries)
{
    auto items = CColourData::NumberedGroupItems();
    EXPECT_EQ(CColourData::ProposedGroupName(items), "ColorGroup:50");
    items.push_back("Sunset");
    items.push_back("ColorGroup:50");
    EXPECT_EQ(CColourData::ProposedGroupName(items), "ColorGroup:51");
}

TEST(ColourGradient, SineRisesFastCosineSlowBothEndOnTheEndColour)
{
    const std::uint32_t black[3] = {0, 0, 0}, white[3] = {255, 255, 255};
    EXPECT_EQ(CColourData::MakeGradient(black, white, 3, CColourData::Curve::Sine),
              (UIntArray{0, 0, 0, 180, 180, 180, 255, 255, 255}));
    EXPECT_EQ(CColourData::MakeGradient(black, white, 3, CColourData::Curve::Cosine),
              (UIntArray{0, 0, 0, 74, 74, 74, 255, 255, 255}));
    const std::uint32_t red[3] = {255, 0, 0};
    EXPECT_EQ(CColourData::MakeGradient(red, white, 1, CColourData::Curve::Sine), (UIntArray{255, 0, 0}));
    EXPECT_TRUE(CColourData::MakeGradient(red, white, 0, CColourData::Curve::Sine).empty());
    // Falling channels stay within the two colours.
    const auto down = CColourData::MakeGradient(white, black, 50, CColourData::Curve::Cosine);
    for (std::size_t i = 3; i < down.size(); ++i)
        EXPECT_LE(down[i], down[i - 3]);
    EXPECT_EQ(down[down.size() - 1], 0u);
}

TEST(ColourDataFile, TheShippedFileHoldsFiftyPalettes)
{
    const fs::path file = fs::path(LUMARO_SOURCE_DIR) / "data" / "ColorData.sav";
    for (int g = 0; g < CColourData::kNumberedGroups; ++g) {
        const auto colours = CColourData::GetColorData(file, g);
        ASSERT_TRUE(colours.ok());
        EXPECT_FALSE(colours.value().empty()) << g;
        EXPECT_EQ(colours.value().size() % 3, 0u) << g;
    }
    EXPECT_TRUE(CColourData::GetColorGroupNames(file).empty());
}
