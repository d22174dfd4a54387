#include "gui/layout/LayoutTool.h"

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

using Mode = CLayoutTool::Mode;

TEST(LayoutTool, OneModeDecidesWhatAClickDoes)
{
    CLayoutTool tool;
    EXPECT_EQ(tool.CurrentTool(), CLayoutTool::NoTool);
    EXPECT_FALSE(tool.EditsChains() || tool.InsertsLamps() || tool.DeletesLamps());

    tool.Port().operation = CPortEditor::Add;
    tool.Port().highestOrder = 9;
    tool.Select(Mode::ChainPort);
    EXPECT_EQ(tool.CurrentTool(), CLayoutTool::InsertTool);
    EXPECT_TRUE(tool.EditsChains());
    EXPECT_FALSE(tool.InsertsLamps());
    EXPECT_EQ(tool.Port().highestOrder, 0);

    // A zoom click never chains; the operation waits for the next port button.
    tool.Select(Mode::ZoomIn);
    EXPECT_TRUE(tool.ZoomsIn());
    EXPECT_FALSE(tool.EditsChains());
    EXPECT_EQ(tool.Port().operation, CPortEditor::Add);

    // Deleting a lamp also takes it out of its chain.
    tool.Select(Mode::DeleteLamp);
    EXPECT_TRUE(tool.DeletesLamps());
    EXPECT_TRUE(tool.EditsChains());
    EXPECT_EQ(tool.Port().operation, CPortEditor::Delete);

    tool.Select(Mode::InsertLamp);
    EXPECT_TRUE(tool.InsertsLamps());
    EXPECT_FALSE(tool.DeletesLamps() || tool.EditsChains() || tool.ZoomsIn());
    EXPECT_EQ(tool.Port().operation, CPortEditor::None);
    EXPECT_EQ(tool.Cursor().shape(), Qt::CrossCursor);
}

} // namespace
} // namespace lumaro::gui::test
