#include "core/layout/PortEditor.h"
#include "core/layout/PortTable.h"
#include "core/project/EditImgDoc.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;

namespace {

// n lamps in one row, cells (i, 0), unassigned.
CEditImgDoc Row(int n)
{
    CEditImgDoc doc;
    for (int i = 0; i < n; ++i)
        doc.lamps.emplace_back(i, 0, i, static_cast<std::int32_t>(kColourGreen), 8, 1);
    return doc;
}

std::vector<int> Orders(const CEditImgDoc& doc)
{
    std::vector<int> o;
    for (const auto& l : doc.lamps)
        o.push_back(l.order);
    return o;
}

CPortEditor Editor(int operation, int port, int position = 0)
{
    CPortEditor e;
    e.operation = operation;
    e.currentPort = port;
    e.insertPosition = position;
    return e;
}

} // namespace

TEST(PortEditor, AddChainsLampsInClickOrderWithThePortColour)
{
    CEditImgDoc doc = Row(4);
    CPortEditor add = Editor(CPortEditor::Add, 3);
    EXPECT_TRUE(add.ApplyAt(doc, 2, 0));
    EXPECT_TRUE(add.ApplyAt(doc, 0, 0));
    EXPECT_FALSE(add.ApplyAt(doc, 0, 0)); // already on a port
    EXPECT_FALSE(add.ApplyAt(doc, 9, 9)); // no lamp there
    EXPECT_EQ(Orders(doc), (std::vector<int>{2, 0, 1, 0}));
    EXPECT_EQ(doc.lamps[2].port, 3);
    EXPECT_EQ(static_cast<std::uint32_t>(doc.lamps[2].colour), 0x00C8FFu);
}

TEST(PortEditor, NothingHappensBeforeAPortIsChosen)
{
    CEditImgDoc doc = Row(2);
    CPortEditor add = Editor(CPortEditor::Add, 0);
    CPortEditor insert = Editor(CPortEditor::Insert, 0);
    EXPECT_FALSE(add.ApplyAt(doc, 0, 0));
    EXPECT_FALSE(insert.ApplyAt(doc, 0, 0));
    EXPECT_EQ(doc.lamps, Row(2).lamps);
}

TEST(PortEditor, DeleteClosesTheGapAndTurnsTheLampGreen)
{
    CEditImgDoc doc = Row(3);
    CPortEditor add = Editor(CPortEditor::Add, 1);
    for (int x = 0; x < 3; ++x)
        add.ApplyAt(doc, x, 0);
    CPortEditor del = Editor(CPortEditor::Delete, 1);
    EXPECT_TRUE(del.ApplyAt(doc, 1, 0));
    EXPECT_EQ(Orders(doc), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(doc.lamps[1].port, 0);
    EXPECT_EQ(static_cast<std::uint32_t>(doc.lamps[1].colour), kColourGreen);
}

TEST(PortEditor, InsertAtZeroGoesFirstAndTheNextFollowsIt)
{
    CEditImgDoc doc = Row(5);
    CPortEditor add = Editor(CPortEditor::Add, 2);
    add.ApplyAt(doc, 0, 0);
    add.ApplyAt(doc, 1, 0);
    CPortEditor insert = Editor(CPortEditor::Insert, 2, 0);
    EXPECT_TRUE(insert.ApplyAt(doc, 2, 0));
    EXPECT_EQ(Orders(doc), (std::vector<int>{2, 3, 1, 0, 0}));
    EXPECT_EQ(insert.insertPosition, 1);
    EXPECT_TRUE(insert.ApplyAt(doc, 3, 0));
    EXPECT_EQ(Orders(doc), (std::vector<int>{3, 4, 1, 2, 0}));
}

TEST(PortEditor, InsertBeyondTheEndAppendsLikeAdd)
{
    CEditImgDoc doc = Row(3);
    CPortEditor add = Editor(CPortEditor::Add, 5);
    add.ApplyAt(doc, 0, 0);
    CPortEditor insert = Editor(CPortEditor::Insert, 5, 9998);
    EXPECT_TRUE(insert.ApplyAt(doc, 2, 0));
    EXPECT_EQ(Orders(doc), (std::vector<int>{1, 0, 2}));
}

TEST(PortEditor, ColoursOfTheTwelvePorts)
{
    const std::uint32_t expected[] = {0x0000FF, 0xFF0000, 0x00C8FF, 0xFF00FF, 0xFFFF00, 0x408000,
                                      0x0080FF, 0x804000, 0x400080, 0xFF80FF, 0x008080, 0x4040FF};
    for (int p = 1; p <= 12; ++p)
        EXPECT_EQ(CPortEditor::PortColour(p), expected[p - 1]);
    EXPECT_EQ(CPortEditor::PortColour(0), kColourGreen);
    EXPECT_EQ(CPortEditor::PortColour(13), kColourGreen);
}

TEST(PortTable, ChainIsWrittenFromTheHighestOrderDown)
{
    CEditImgDoc doc = Row(10);
    // Lamps 5, 7, 9 on port 1 with orders 1, 2, 3.
    doc.lamps[5].port = doc.lamps[7].port = doc.lamps[9].port = 1;
    doc.lamps[5].order = 1;
    doc.lamps[7].order = 2;
    doc.lamps[9].order = 3;
    std::string expected = "code unsigned int CPort1[] = {\r\n9 , 7 , 5 , 0xFFFF\r\n };\r\n";
    for (int p = 2; p <= 12; ++p)
        expected += "code unsigned int CPort" + std::to_string(p) + "[] = {\r\n0xFFFF\r\n };\r\n";
    EXPECT_EQ(CPortTable::Text(doc.lamps), expected);
}

TEST(PortTable, BreaksTheLineAfterEveryTenthOrder)
{
    CEditImgDoc doc = Row(21);
    CPortEditor add = Editor(CPortEditor::Add, 12);
    for (int x = 0; x < 21; ++x)
        add.ApplyAt(doc, x, 0);
    const std::string text = CPortTable::Text(doc.lamps);
    const std::string port12 = text.substr(text.find("CPort12"));
    EXPECT_EQ(port12, "CPort12[] = {\r\n20 , 19 , \r\n18 , 17 , 16 , 15 , 14 , 13 , 12 , 11 , 10 , 9 , \r\n"
                      "8 , 7 , 6 , 5 , 4 , 3 , 2 , 1 , 0 , 0xFFFF\r\n };\r\n");
}

TEST(PortTable, LampsWithoutPortOrOrderAreLeftOut)
{
    CEditImgDoc doc = Row(3);
    doc.lamps[0].port = 4;  // order 0
    doc.lamps[1].order = 3; // port 0
    doc.lamps[2].port = 13;
    doc.lamps[2].order = 1;
    const std::string text = CPortTable::Text(doc.lamps);
    EXPECT_EQ(text.find(" , "), std::string::npos);
}

TEST(PortTable, WrittenBesideTheLayoutOrReported)
{
    TempDir dir;
    CEditImgDoc doc = Row(2);
    ASSERT_TRUE(CPortTable::Write(doc.lamps, dir.path()).ok());
    EXPECT_EQ(ReadText(dir / "cport.h"), CPortTable::Text(doc.lamps));
    const Status s = CPortTable::Write(doc.lamps, dir / "missing");
    EXPECT_EQ(s.key, CPortTable::kCannotCreateKey);
}
