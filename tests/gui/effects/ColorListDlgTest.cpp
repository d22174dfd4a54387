#include "effects/EffectsTestSupport.h"

#include "gui/app/DialogLangText.h"
#include "gui/effects/ColorListDlg.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace lumaro::gui::test {
namespace {

class ColorListDlgTest : public EffectsDialogTest {
protected:
    std::unique_ptr<CColorListDlg> Open(const UIntArray& colours)
    {
        auto dialog = std::make_unique<CColorListDlg>(colours, prompts);
        dialog->chooseColour = [this](QWidget*) -> std::optional<QColor> {
            ++colourAsks;
            return nextColour;
        };
        return dialog;
    }
    static QStringList Lines(const CColorListDlg& dialog)
    {
        QStringList lines;
        for (int row = 0; row < dialog.List()->count(); ++row)
            lines << dialog.List()->item(row)->text();
        return lines;
    }
    static void Click(CColorListDlg& dialog, int id)
    {
        QPushButton* button = dialog.Button(id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    static void Select(CColorListDlg& dialog, int row) { dialog.List()->setCurrentRow(row); }
    static UIntArray Ok(CColorListDlg& dialog)
    {
        Click(dialog, CColorListDlg::OkId);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.Colours();
    }

    std::optional<QColor> nextColour = QColor(1, 2, 3);
    int colourAsks = 0;
};

TEST_F(ColorListDlgTest, ShowsOneDisplayLinePerColourOnItsOwnColour)
{
    auto dialog = Open({255, 0, 0, 7, 80, 255, 9});
    EXPECT_EQ(Lines(*dialog),
              (QStringList{QStringLiteral(" 255R   0G   0B"), QStringLiteral("   7R  80G 255B")}))
        << "a trailing value short of a colour is not shown";
    QListWidgetItem* item = dialog->List()->item(1);
    EXPECT_EQ(item->background().color(), QColor(7, 80, 255));
    EXPECT_EQ(item->foreground().color(), QColor(248, 175, 0));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Color List"));
    EXPECT_EQ(dialog->Button(CColorListDlg::AddColourId)->text(), QStringLiteral("Add a &color "));
}

TEST_F(ColorListDlgTest, OkReadsRedGreenBlueFromFixedCharacterPositions)
{
    auto dialog = Open({});
    dialog->List()->addItem(QStringLiteral("A123xx456yy789zz"));
    dialog->List()->addItem(QStringLiteral("   5R  10G  20B"));
    EXPECT_EQ(Ok(*dialog), (UIntArray{123, 456, 789, 5, 10, 20}));
}

TEST_F(ColorListDlgTest, OkOnAnEmptyListGivesAnEmptyList)
{
    auto dialog = Open({1, 2, 3});
    Click(*dialog, CColorListDlg::RemoveAllId);
    EXPECT_TRUE(Ok(*dialog).empty());
}

TEST_F(ColorListDlgTest, AddAppendsTheChosenColourAndCancelOfTheColourDialogAddsNothing)
{
    auto dialog = Open({10, 20, 30});
    Click(*dialog, CColorListDlg::AddColourId);
    nextColour.reset();
    Click(*dialog, CColorListDlg::AddColourId);
    EXPECT_EQ(colourAsks, 2);
    EXPECT_EQ(Ok(*dialog), (UIntArray{10, 20, 30, 1, 2, 3}));
    EXPECT_TRUE(log.messages.isEmpty());
}

TEST_F(ColorListDlgTest, InsertNeedsASelectionAndGoesBeforeIt)
{
    auto dialog = Open({10, 20, 30, 40, 50, 60});
    Click(*dialog, CColorListDlg::InsertColourId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE2_ONBUTTON3_PSAK")});
    EXPECT_EQ(colourAsks, 0) << "no colour is asked for without a place";
    Select(*dialog, 1);
    Click(*dialog, CColorListDlg::InsertColourId);
    EXPECT_EQ(Ok(*dialog), (UIntArray{10, 20, 30, 1, 2, 3, 40, 50, 60}));
}

TEST_F(ColorListDlgTest, RemoveNeedsASelection)
{
    auto dialog = Open({10, 20, 30, 40, 50, 60});
    Click(*dialog, CColorListDlg::RemoveColourId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE2_ONBUTTON2_NTST")});
    EXPECT_EQ(dialog->List()->count(), 2);
    Select(*dialog, 0);
    Click(*dialog, CColorListDlg::RemoveColourId);
    EXPECT_EQ(Ok(*dialog), (UIntArray{40, 50, 60}));
}

TEST_F(ColorListDlgTest, MarkingNeedsASelection)
{
    auto dialog = Open({10, 20, 30});
    Click(*dialog, CColorListDlg::StartColourId);
    Click(*dialog, CColorListDlg::EndColourId);
    EXPECT_EQ(log.messages, (QStringList{Text("PAGE2_ONBUTTON8_NTST"), Text("PAGE2_ONBUTTON8_NTST")}));
    EXPECT_EQ(dialog->StartMark(), -1);
    EXPECT_EQ(dialog->EndMark(), -1);
}

TEST_F(ColorListDlgTest, GradientBetweenTheMarkedColoursIsAppended)
{
    auto dialog = Open({0, 0, 0, 255, 255, 255});
    Select(*dialog, 0);
    Click(*dialog, CColorListDlg::StartColourId);
    Select(*dialog, 1);
    Click(*dialog, CColorListDlg::EndColourId);
    dialog->GradientCount()->setValue(3);
    Click(*dialog, CColorListDlg::AddListId);
    dialog->SetCurve(CColourData::Curve::Cosine);
    Click(*dialog, CColorListDlg::AddListId);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_EQ(Ok(*dialog), (UIntArray{0, 0, 0, 255, 255, 255,                   // the list
                                      0, 0, 0, 180, 180, 180, 255, 255, 255,    // sine
                                      0, 0, 0, 74,  74,  74,  255, 255, 255})); // cosine
}

TEST_F(ColorListDlgTest, GradientWithInsertGoesBeforeTheSelection)
{
    auto dialog = Open({0, 0, 0, 200, 0, 0, 9, 9, 9});
    Select(*dialog, 0);
    Click(*dialog, CColorListDlg::StartColourId);
    Select(*dialog, 1);
    Click(*dialog, CColorListDlg::EndColourId);
    dialog->GradientCount()->setValue(1);
    dialog->GradientInsert()->setChecked(true);
    Select(*dialog, 2);
    Click(*dialog, CColorListDlg::AddListId);
    EXPECT_EQ(Ok(*dialog), (UIntArray{0, 0, 0, 200, 0, 0, 0, 0, 0, 9, 9, 9}))
        << "one colour: the start alone";
}

TEST_F(ColorListDlgTest, GradientNeedsBothMarksAndACount)
{
    auto dialog = Open({0, 0, 0, 255, 255, 255});
    Click(*dialog, CColorListDlg::AddListId);
    Select(*dialog, 0);
    Click(*dialog, CColorListDlg::StartColourId);
    Click(*dialog, CColorListDlg::AddListId);
    Click(*dialog, CColorListDlg::EndColourId);
    dialog->GradientCount()->setValue(0);
    Click(*dialog, CColorListDlg::AddListId);
    EXPECT_EQ(log.messages, (QStringList{Text("PAGE2_ONBUTTON4_PSAKO"), Text("PAGE2_ONBUTTON4_PSAKO"),
                                         Text("PAGE2_ONBUTTON4_PSTC")}));
    EXPECT_EQ(dialog->List()->count(), 2);
}

TEST_F(ColorListDlgTest, DeleteColourRemovesTheMarkedRangeInEitherOrder)
{
    auto dialog = Open({1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
    Select(*dialog, 2);
    Click(*dialog, CColorListDlg::StartColourId);
    Select(*dialog, 1);
    Click(*dialog, CColorListDlg::EndColourId);
    Click(*dialog, CColorListDlg::DeleteRangeId);
    EXPECT_EQ(Lines(*dialog).size(), 2);
    // The marks went with the colours they named.
    Click(*dialog, CColorListDlg::DeleteRangeId);
    EXPECT_EQ(Ok(*dialog), (UIntArray{1, 1, 1, 4, 4, 4}));
}

TEST_F(ColorListDlgTest, ControlsCarryTheColourListPageIds)
{
    auto dialog = Open({});
    for (int id : {1113, 1104, 1114, 1128, 1129, 1130, 1131, 1105, 1112, 1115})
        EXPECT_NE(dialog->Button(id), nullptr) << id;
    EXPECT_EQ(ControlIdOf(dialog->List()), std::optional<int>(1101));
}

} // namespace
} // namespace lumaro::gui::test
