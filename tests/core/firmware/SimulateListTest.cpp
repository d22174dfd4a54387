#include "core/firmware/SimulateList.h"
#include "core/firmware/FirmwareText.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;

namespace {

const std::string kEndMarker = "0xFD,  0x0001, \r\n 0XFF, };\r\n ";

CModeItem Rec(int code, std::string type = "CM_ANY")
{
    CModeItem r;
    r.type = std::move(type);
    r.layer = code;
    r.bandOrderIndex = 11;
    r.lampOrderIndex = 12;
    r.colourGroupId = 13;
    r.interval = 14;
    r.loop = 15;
    r.holdTime = 16;
    return r;
}

std::string ShowPattern(const std::vector<CModeItem>& group0)
{
    ProgramGroupLists groups;
    groups[0] = group0;
    CSimulateList list;
    list.MakeShowPatternText(groups);
    const std::string text = list.Text();
    return text.substr(0, text.find("code unsigned int ShowPattern1[]"));
}

std::vector<UIntArray> Lists(std::size_t count, UIntArray each = {})
{
    return std::vector<UIntArray>(count, each);
}

} // namespace

TEST(SimulateList, EmptyGroupsHoldOnlyTheHeaderAndTheEndMarker)
{
    CSimulateList list;
    list.Append("stale");
    list.MakeShowPatternText({});
    std::string expected;
    for (int g = 0; g < 32; ++g)
        expected += "code unsigned int ShowPattern" + std::to_string(g) + "[] = {\r\n  " + kEndMarker;
    EXPECT_EQ(list.Text(), expected);
}

TEST(SimulateList, RowOfEachClassCode)
{
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(1)), "1, 11, 13, 14, 15, 16,               ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(4)), "4, 11, 13, 14, 15, 16,               ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(6)), "6, 12, 13, 14, 15, 16,                 ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(7)), "7, 11, 13, 14, 16,            ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(10)), "10, 12, 13, 14, 16,         ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(253)), "253, 16,             ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(254)), "254, 16,             ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(255)), "255, ");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(11)), "");
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(-1)), "");
    // Four band names play with another code than their class.
    EXPECT_EQ(CSimulateList::PatternCode(Rec(2, "CM_LEFTTORIGHT_GC")), 3);
    EXPECT_EQ(CSimulateList::PatternCode(Rec(2, "CM_LEFTDOWN_GC")), 3);
    EXPECT_EQ(CSimulateList::PatternCode(Rec(3, "CM_UPTODOWN_GOBC")), 2);
    EXPECT_EQ(CSimulateList::PatternCode(Rec(3, "CM_LEFTUP_GOBC")), 2);
    EXPECT_EQ(CSimulateList::PatternCode(Rec(1, "CM_RIGHTTOLEFT_GC")), 1);
    EXPECT_EQ(CSimulateList::ShowPatternRow(Rec(2, "CM_UPTODOWN_GC")),
              "3, 11, 13, 14, 15, 16,               ");
}

TEST(SimulateList, TwoEmptyModesInARowEndTheGroup)
{
    const std::string head = "code unsigned int ShowPattern0[] = {\r\n  ";
    EXPECT_EQ(ShowPattern({Rec(255), Rec(254), Rec(254), Rec(1)}),
              head + "255, \r\n  254, 16,             \r\n  " + kEndMarker);
    // Another mode between them, even an unknown one, starts the count again.
    EXPECT_EQ(ShowPattern({Rec(254), Rec(99), Rec(254), Rec(253), Rec(254)}),
              head +
                  "254, 16,             \r\n  \r\n  254, 16,             \r\n  253, 16,             \r\n  "
                  "254, 16,             \r\n  " +
                  kEndMarker);
}

TEST(SimulateList, BrightnessRampOfClassZero)
{
    CModeItem r = Rec(0);
    r.colours = {7, 9}; // too short for a colour: black towards 256
    r.loop = 4;
    EXPECT_EQ(CSimulateList::ShowPatternRow(r), "0, 64, 0, 0, 0, 1024, 1024, 1024, 14, 16, 12, ");
    r.colours = {10, 20, 30, 10, 20, 30};
    EXPECT_EQ(CSimulateList::ShowPatternRow(r), "0, 0, 10, 20, 30, 522, 532, 542, 14, 16, 12, ");
    r.colours = {10, 200, 0, 250, 100, 0, 99};
    r.loop = 0;
    EXPECT_EQ(CSimulateList::ShowPatternRow(r), "0, 240, 10, 200, 0, 1018, 612, 512, 14, 16, 12, ");
    r.loop = -1; // unsigned division: no whole step
    EXPECT_EQ(CSimulateList::RampOf(r).steps, 0u);
    r.colours = {0, 0, 0, 0xFFFFFFFFu, 0, 0}; // the code wraps as the controller's does
    EXPECT_EQ(CSimulateList::RampOf(r).code[0], 767u);
}

TEST(SimulateList, LampSequenceTable)
{
    CSimulateList list;
    UIntArray eleven = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_TRUE(list.MakeLampSequenceText({eleven, {}}));
    const std::string text = list.Text();
    const std::string first =
        "code unsigned int CstGroup0[] = {\r\n0, 1, 2, 3, 4, 5, 6, 7, 8, 9, \r\n10,  0xffff };"
        "          \r\n code unsigned int CstGroup1[] = {\r\n 0xffff };          \r\n ";
    EXPECT_EQ(text.substr(0, first.size()), first);
    EXPECT_TRUE(text.ends_with("code unsigned int CstGroup511[] = {\r\n 0xffff };          \r\n "));

    ASSERT_TRUE(list.MakeLampSequenceText(Lists(511, {7})));
    EXPECT_EQ(list.Pieces().size(), 512u);
    EXPECT_EQ(list.Pieces()[510], "code unsigned int CstGroup510[] = {\r\n7,  0xffff };          \r\n ");
    EXPECT_EQ(list.Pieces()[511], "code unsigned int CstGroup511[] = {\r\n 0xffff };          \r\n ");

    const Status refused = list.MakeLampSequenceText(Lists(512, {7}));
    EXPECT_EQ(refused.key, "SIMULATELIST_CGT_CETN");
    EXPECT_TRUE(list.Empty());
}

TEST(SimulateList, BandAndColourTables)
{
    CSimulateList bands;
    ASSERT_TRUE(bands.MakeBandListText({{3, 4}}));
    EXPECT_EQ(bands.Pieces().size(), 61u);
    EXPECT_EQ(bands.Pieces()[0],
              "code unsigned int Cst_GroupGroup0[] = {\r\n3, 4,  0xffff };         \r\n  ");
    EXPECT_EQ(bands.Pieces()[60], "code unsigned int Cst_GroupGroup60[] = {\r\n 0xffff };         \r\n  ");
    EXPECT_TRUE(bands.MakeBandListText(Lists(61)));
    EXPECT_EQ(bands.MakeBandListText(Lists(62)).key, "SIMULATELIST_GCGT_GETN");
    EXPECT_TRUE(bands.Empty());

    CSimulateList colours;
    ASSERT_TRUE(colours.MakeColourListText({{255, 0, 0, 0, 0, 255, 9}, {}}));
    EXPECT_EQ(colours.Pieces().size(), 101u);
    EXPECT_EQ(
        colours.Pieces()[0],
        "code unsigned int Color_Group0[] = {\r\n255, 0, 0, \r\n0, 0, 255, \r\n9,  0xffff };         \r\n  ");
    EXPECT_EQ(colours.Pieces()[1], "code unsigned int Color_Group1[] = {\r\n 0xffff };         \r\n  ");
    EXPECT_EQ(colours.Pieces()[2], "code unsigned int Color_Group2[] = {\r\n0,0,0, 0xffff };         \r\n  ");
    EXPECT_TRUE(colours.MakeColourListText(Lists(101)));
    EXPECT_EQ(colours.MakeColourListText(Lists(102)).key, "SIMULATELIST_COLORTEXT_CETN");
    EXPECT_TRUE(colours.Empty());
}

TEST(SimulateList, GetterSource)
{
    CSimulateList list;
    list.MakeGetterSourceText(2, 1, 1);
    std::string expected =
        "#include \"CstGrp1.H\"   \r\n#include \"DspPtn1.H\"  \r\n"
        "int GetClusterData(int CstGrpNum, int CstGrpCount){  \r\n  unsigned int data GetCstDataTemp; "
        "\r\n  switch(CstGrpNum){   \r\n    "
        "case   0:  \r\n      GetCstDataTemp = CstGroup0[CstGrpCount];   \r\n      break; \r\n    "
        "case   1:  \r\n      GetCstDataTemp = CstGroup1[CstGrpCount];   \r\n      break; \r\n    "
        "default:  \r\n      GetCstDataTemp = 0xFFFF;\r\n     break; }   \r\n  "
        "return(GetCstDataTemp);       \r\n }            \r\n       "
        "\r\nint GetClusterDataGroup(int CstGrpNum, int CstGrpCount){ \r\n  unsigned int data "
        "GetCstDataTemp;    \r\n   switch(CstGrpNum){      \r\n    "
        "case   0: \r\n      GetCstDataTemp = Cst_GroupGroup0[CstGrpCount];  \r\n      break;      "
        "                \r\n    "
        "default:  \r\n      GetCstDataTemp = 0xFFFF;  \r\n      break; }  \r\n  "
        "return(GetCstDataTemp);           \r\n }                   "
        " \r\nint GetColorData(int CstGrpNum, int CstGrpCount){  \r\n  unsigned int data "
        "GetCstDataTemp;  \r\n  switch(CstGrpNum){  \r\n    "
        "case   0: \r\n      GetCstDataTemp = Color_Group0[CstGrpCount];   \r\n      break;       "
        "               \r\n    "
        "default:\r\n      GetCstDataTemp = 0xFFFF;   \r\n      break; }  \r\n  "
        "return(GetCstDataTemp);            \r\n}                  \r\n"
        "\r\nint GetShowPattern(int SPpoint){    return(ShowPattern[SPpoint]);            }    \r\n";
    for (int p = 1; p <= 12; ++p)
        expected += "\r\nint GetCPort" + std::to_string(p) + "(int i){       return(CPort" +
                    std::to_string(p) + "[i]);             }               \r\n ";
    EXPECT_EQ(list.Text(), expected);
}

TEST(FirmwareText, EachOutputWritesItsListsAndAnOverfullTableStaysEmpty)
{
    CCompiledEffects c;
    c.programGroups[3] = {Rec(255)};
    c.lampSequenceTable = Lists(600, {1});
    c.bandTable = {{0}};
    c.colourTable = {{1, 2, 3}};
    CFirmwareText text;
    EXPECT_EQ(text.BuildGroupTables(c).key, "SIMULATELIST_CGT_CETN");
    EXPECT_EQ(text.lampSequenceCount, 600u);
    EXPECT_EQ(text.bandListCount, 1u);
    EXPECT_EQ(text.colourListCount, 1u);
    EXPECT_EQ(text.TextOf(CFirmwareText::Output::GroupTables),
              text.bandListText.Text() + text.colourListText.Text());

    TempDir dir;
    EXPECT_EQ(text.WriteAll(c, dir.path()).key, "SIMULATELIST_CGT_CETN");
    EXPECT_EQ(ReadText(dir / "DSPPTN.H"), text.TextOf(CFirmwareText::Output::ShowPattern));
    EXPECT_NE(ReadText(dir / "DSPPTN.H").find("ShowPattern3[] = {\r\n  255, \r\n  0xFD"), std::string::npos);
    EXPECT_TRUE(ReadText(dir / "CSTGRP.h").starts_with("code unsigned int Cst_GroupGroup0[] = {\r\n0, "));
    EXPECT_EQ(ReadText(dir / "GETPTN.c"), text.getterSource.Text());
    EXPECT_NE(text.getterSource.Text().find("case   599:"), std::string::npos);

    c.lampSequenceTable.resize(1);
    EXPECT_TRUE(text.WriteAll(c, dir.path()));
    EXPECT_EQ(text.WriteAll(c, dir / "missing").key, "MODETESTDOC_ONOUTTEXT_FTCD");

    // A show-pattern file that cannot be written keeps nothing else from being written.
    TempDir other;
    fs::create_directory(other / "DSPPTN.H");
    EXPECT_EQ(text.WriteAll(c, other.path()).key, "MODETESTDOC_ONOUTTEXT_FTCD");
    EXPECT_TRUE(fs::exists(other / "CSTGRP.h"));
    EXPECT_TRUE(fs::exists(other / "GETPTN.c"));
}
