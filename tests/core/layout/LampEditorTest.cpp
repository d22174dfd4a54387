#include "core/layout/LampEditor.h"
#include "core/project/EditImgDoc.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumaro;

namespace {

// A scanned column of lamps at rows 0, 2, 4 and a second column at rows 0, 1;
// grid step 10 over a scope 100 high, so each column holds 10 key rows.
CEditImgDoc ScannedDoc()
{
    CEditImgDoc doc;
    doc.scanScope = {0, 0, 100, 100};
    doc.gridStep = 10.0;
    const std::pair<int, int> cells[] = {{0, 0}, {0, 2}, {0, 4}, {1, 0}, {1, 1}};
    int n = 0;
    for (auto [x, y] : cells)
        doc.lamps.emplace_back(x, y, n++, static_cast<std::int32_t>(kColourGreen), 10, 1);
    return doc;
}

std::vector<int> Numbers(const CEditImgDoc& doc)
{
    std::vector<int> n;
    for (const auto& l : doc.lamps)
        n.push_back(l.number);
    return n;
}

} // namespace

TEST(LampEditorInsert, BetweenTwoLampsOfAColumnTakesTheLowerNumber)
{
    CEditImgDoc doc = ScannedDoc();
    const auto before = doc.lamps;
    ASSERT_EQ(CLampEditor::Insert(doc, 0, 3), CLampEditor::InsertResult::Inserted);
    ASSERT_EQ(doc.lamps.size(), 6u);
    EXPECT_EQ(doc.lamps[2], CLamp(0, 3, 2, static_cast<std::int32_t>(kColourGreen), 10, 1));
    EXPECT_EQ(Numbers(doc), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // Deleting it restores the layout exactly.
    ASSERT_TRUE(CLampEditor::Delete(doc, 0, 3));
    EXPECT_EQ(doc.lamps, before);
}

TEST(LampEditorInsert, AfterTheLastKeyIsAppended)
{
    CEditImgDoc doc = ScannedDoc();
    ASSERT_EQ(CLampEditor::Insert(doc, 7, 0), CLampEditor::InsertResult::Inserted);
    EXPECT_EQ(doc.lamps.back().number, 5);
    EXPECT_EQ(doc.lamps.back().x, 7);
}

TEST(LampEditorInsert, OccupiedOrNegativeCellsChangeNothing)
{
    CEditImgDoc doc = ScannedDoc();
    const CEditImgDoc before = doc;
    EXPECT_EQ(CLampEditor::Insert(doc, 0, 2), CLampEditor::InsertResult::Occupied);
    EXPECT_EQ(CLampEditor::Insert(doc, -1, 2), CLampEditor::InsertResult::NegativeCell);
    EXPECT_EQ(CLampEditor::Insert(doc, 2, -1), CLampEditor::InsertResult::NegativeCell);
    EXPECT_TRUE(doc.SameStoredData(before));
}

TEST(LampEditorInsert, IntoAnEmptyLayoutGivesLampZero)
{
    CEditImgDoc doc;
    doc.gridStep = 5.12;
    ASSERT_EQ(CLampEditor::Insert(doc, 4, 9), CLampEditor::InsertResult::Inserted);
    EXPECT_EQ(doc.lamps, std::vector<CLamp>{CLamp(4, 9, 0, static_cast<std::int32_t>(kColourGreen), 5, 1)});
}

TEST(LampEditorInsert, GridStepBelowOneStillOrdersByColumn)
{
    // The key's row count would divide by the grid step's whole part, 0 here.
    CEditImgDoc doc = ScannedDoc();
    doc.gridStep = 0.5;
    EXPECT_EQ(CLampEditor::KeyRows(doc), 0);
    ASSERT_EQ(CLampEditor::Insert(doc, 0, 3), CLampEditor::InsertResult::Inserted);
    EXPECT_EQ(doc.lamps[2].y, 3);
    EXPECT_EQ(Numbers(doc), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    ASSERT_EQ(CLampEditor::Insert(doc, 1, 5), CLampEditor::InsertResult::Inserted);
    EXPECT_EQ(doc.lamps.back().y, 5);
    for (double step : {std::nan(""), 1e300, -4.0}) {
        doc.gridStep = step;
        EXPECT_EQ(CLampEditor::KeyRows(doc), 0) << step;
    }
}

TEST(LampEditorDelete, RenumbersTheLampsBehind)
{
    CEditImgDoc doc = ScannedDoc();
    ASSERT_TRUE(CLampEditor::Delete(doc, 0, 0));
    EXPECT_EQ(Numbers(doc), (std::vector<int>{0, 1, 2, 3}));
    ASSERT_TRUE(CLampEditor::Delete(doc, 1, 0));
    EXPECT_EQ(Numbers(doc), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(doc.lamps.back().y, 1);
}

TEST(LampEditorDelete, EmptyCellChangesNothing)
{
    CEditImgDoc doc = ScannedDoc();
    const CEditImgDoc before = doc;
    EXPECT_FALSE(CLampEditor::Delete(doc, 0, 1));
    EXPECT_TRUE(doc.SameStoredData(before));
}

TEST(LampBounds, SpansEveryLampAndIsEmptyWithoutLamps)
{
    EXPECT_EQ(LampBounds({}), CRect{});
    const std::vector<CLamp> lamps = {CLamp(4, 9, 0, 0, 8, 1), CLamp(-2, 3, 1, 0, 8, 1),
                                      CLamp(7, 5, 2, 0, 8, 1)};
    EXPECT_EQ(LampBounds(lamps), (CRect{-2, 3, 7, 9}));
}
