#include "effects/EffectsTestSupport.h"

#include "core/effects/ModeListEdit.h"
#include "core/project/EditImgDoc.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/ModeGrpEdt.h"

#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace lumaro::gui::test {
namespace {

class ModeGrpEdtTest : public EffectsDialogTest {
protected:
    void SetUp() override
    {
        EffectsDialogTest::SetUp();
        CModeItem a = Mode("CM_LEFTTORIGHT_GC", "sweep");
        a.interval = 5;
        a.loop = 7;
        a.holdTime = 3;
        a.step = 2;
        a.startX = 4;
        a.startY = 6;
        a.areaLeft = 1;
        a.areaTop = 2;
        a.areaRight = 30;
        a.areaBottom = 40;
        a.colourGroupId = 12;
        a.layer = 9; // an image layer in the mode list
        a.colours = {1, 2, 3};
        doc.modes = {a, Mode("CM_KERNELBD", "kernel"), Mode("CM_EMPTYMODE", "pause")};
        CModeItem entry = doc.modes[1];
        entry.layer = 1;
        doc.programGroups[3] = {entry};
        document.OpenProject(doc);
        page = std::make_unique<CModeGrpEdt>(document, prompts);
    }
    QTreeWidgetItem* GroupItem(int g) const { return page->GroupTree()->topLevelItem(0)->child(g); }
    static QStringList Children(const QTreeWidgetItem* item)
    {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i)
            texts << item->child(i)->text(0);
        return texts;
    }
    void Click(int id) { page->Button(id)->click(); }
    template <class F> void EditModes(F change)
    {
        document.Edit(QString(), Aspect::Modes, [&](CEditImgDoc& data) {
            change(data.modes);
            return true;
        });
    }

    CEditImgDoc doc;
    CLayoutDocument document;
    std::unique_ptr<CModeGrpEdt> page;
};

TEST_F(ModeGrpEdtTest, LeftTreeHoldsTheThirtyTwoGroupsAndTheirEntries)
{
    ASSERT_EQ(page->GroupTree()->topLevelItemCount(), 1);
    QTreeWidgetItem* root = page->GroupTree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Program Group"));
    ASSERT_EQ(root->childCount(), 32);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("Program Group0"));
    EXPECT_EQ(root->child(31)->text(0), QStringLiteral("Program Group31"));
    EXPECT_EQ(Children(GroupItem(3)), QStringList{QStringLiteral("1_kernel")});
    EXPECT_EQ(GroupItem(0)->childCount(), 0);
}

TEST_F(ModeGrpEdtTest, EveryEntryCarriesItsParameterLinesWithPositionsTimesZoom)
{
    page->SetZoom(3);
    QTreeWidgetItem* root = page->ModeTree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Exist Mode"));
    EXPECT_EQ(Children(root), (QStringList{QStringLiteral("0_sweep"), QStringLiteral("1_kernel"),
                                           QStringLiteral("2_pause")}));
    QTreeWidgetItem* sweep = root->child(0);
    EXPECT_EQ(Children(sweep), (QStringList{QStringLiteral("Interval:5"), QStringLiteral("Loop:7"),
                                            QStringLiteral("Hold time:3"), QStringLiteral("Step:2"),
                                            QStringLiteral("Start Point"), QStringLiteral("Select area"),
                                            QStringLiteral("Color group ID:12")}));
    EXPECT_EQ(Children(sweep->child(4)), (QStringList{QStringLiteral("X:12"), QStringLiteral("Y:18")}));
    EXPECT_EQ(Children(sweep->child(5)), (QStringList{QStringLiteral("X1:3"), QStringLiteral("Y1:6"),
                                                      QStringLiteral("X2:90"), QStringLiteral("Y2:120")}));
}

TEST_F(ModeGrpEdtTest, InsertAllAndRemoveAllChangeOnlyTheTree)
{
    Click(CModeGrpEdt::InsertAllId);
    for (int g : {0, 17, 31})
        EXPECT_EQ(Children(GroupItem(g)).size(), 3) << g;
    EXPECT_EQ(GroupItem(5)->child(0)->childCount(), 7) << "inserted entries carry their lines too";
    Click(CModeGrpEdt::RemoveAllId);
    ASSERT_EQ(page->GroupTree()->topLevelItem(0)->childCount(), 32);
    for (int g = 0; g < 32; ++g)
        EXPECT_EQ(GroupItem(g)->childCount(), 0) << g;
    EXPECT_EQ(document.Data().programGroups[3].size(), 1u) << "nothing reaches the document before Save";
    Click(CModeGrpEdt::ResetId);
    EXPECT_EQ(Children(GroupItem(3)), QStringList{QStringLiteral("1_kernel")});
}

TEST_F(ModeGrpEdtTest, SavingWithEveryGroupEmptyWarnsAndChangesNothing)
{
    Click(CModeGrpEdt::RemoveAllId);
    int saved = 0;
    QObject::connect(page.get(), &CModeGrpEdt::Saved, [&] { ++saved; });
    Click(CModeGrpEdt::SaveId);
    EXPECT_EQ(log.messages, QStringList{Text("MODEGRPEDIT_ONBTNMOK_YSIA")});
    EXPECT_FALSE(log.messages.front().isEmpty());
    EXPECT_EQ(saved, 0);
    ASSERT_EQ(document.Data().programGroups[3].size(), 1u);
    EXPECT_EQ(document.Data().programGroups[3][0].name, "kernel");
    EXPECT_FALSE(document.IsModified());
}

TEST_F(ModeGrpEdtTest, SaveCopiesTheModeListRecordsWithTheirModeNumberAsLayer)
{
    Click(CModeGrpEdt::InsertAllId);
    // The entry of group 2 that names mode 0 now stands twice, after mode 2.
    QTreeWidgetItem* group2 = GroupItem(2);
    group2->addChild(group2->child(0)->clone());
    int saved = 0;
    QObject::connect(page.get(), &CModeGrpEdt::Saved, [&] { ++saved; });
    Click(CModeGrpEdt::SaveId);
    EXPECT_EQ(saved, 1);
    EXPECT_TRUE(log.messages.isEmpty());
    for (int g = 0; g < 32; ++g) {
        const auto& group = document.Data().programGroups[g];
        ASSERT_EQ(group.size(), g == 2 ? 4u : 3u) << g;
        for (std::size_t e = 0; e < 3; ++e) {
            CModeItem expected = document.Data().modes[e];
            expected.layer = int(e);
            EXPECT_EQ(group[e], expected) << g << " " << e;
        }
    }
    EXPECT_EQ(document.Data().programGroups[2][3].layer, 0);
    EXPECT_EQ(document.Data().modes[0].layer, 9) << "the mode list keeps its image layer";
    EXPECT_TRUE(document.IsModified());
}

TEST_F(ModeGrpEdtTest, SaveSkipsEntriesBeyondTheModeList)
{
    Click(CModeGrpEdt::InsertAllId);
    EditModes([](auto& modes) { modes.pop_back(); }); // the group tree still shows mode 2
    Click(CModeGrpEdt::SaveId);
    EXPECT_EQ(document.Data().programGroups[0].size(), 2u);
}

TEST_F(ModeGrpEdtTest, DroppedModesJoinTheGroupAfterTheEntryDroppedOn)
{
    QTreeWidgetItem* group3 = GroupItem(3);
    EXPECT_TRUE(page->DropMode(2, group3));                               // on the group: at the end
    EXPECT_TRUE(page->DropMode(0, group3->child(0)));                     // on an entry: after it
    EXPECT_TRUE(page->DropMode(2, group3->child(0)->child(4)->child(1))); // on a line of it
    EXPECT_EQ(Children(group3), (QStringList{QStringLiteral("1_kernel"), QStringLiteral("2_pause"),
                                             QStringLiteral("0_sweep"), QStringLiteral("2_pause")}));
    EXPECT_EQ(group3->child(2)->childCount(), 7);
    EXPECT_FALSE(page->DropMode(0, page->GroupTree()->topLevelItem(0))) << "the root is no group";
    EXPECT_FALSE(page->DropMode(3, group3)) << "no mode 3";
    EXPECT_FALSE(page->DropMode(0, page->ModeTree()->topLevelItem(0)->child(1)));
    EXPECT_EQ(page->ModeTree()->topLevelItem(0)->childCount(), 3);

    Click(CModeGrpEdt::SaveId);
    ASSERT_EQ(document.Data().programGroups[3].size(), 4u);
    EXPECT_EQ(document.Data().programGroups[3][2].name, "sweep");
    EXPECT_EQ(document.Data().programGroups[3][2].layer, 0);
    EXPECT_EQ(document.Data().programGroups[3][3].layer, 2);
}

TEST_F(ModeGrpEdtTest, AnUnsavedArrangementFollowsItsModesAcrossListChangesAndZoom)
{
    QTreeWidgetItem* group3 = GroupItem(3);
    ASSERT_TRUE(page->DropMode(2, group3));
    ASSERT_TRUE(page->DropMode(0, group3));
    // A mode inserted in front, then the kernel deleted, as the mode list
    // page does it (groups renumbered in the document too).
    document.Edit(QString(), Aspect::Modes | Aspect::ProgramGroups, [](CEditImgDoc& data) {
        CModeListEdit::InsertAfter(data, 0, Mode("CM_REGRESS", "back"));
        return true;
    });
    document.Edit(QString(), Aspect::Modes | Aspect::ProgramGroups,
                  [](CEditImgDoc& data) { return bool(CModeListEdit::Delete(data, {2})); });
    EXPECT_EQ(Children(GroupItem(3)), (QStringList{QStringLiteral("2_pause"), QStringLiteral("0_sweep")}))
        << "the kernel's entry went with it";
    page->SetZoom(2);
    QTreeWidgetItem* sweep = GroupItem(3)->child(1);
    EXPECT_EQ(Children(sweep->child(4)), (QStringList{QStringLiteral("X:8"), QStringLiteral("Y:12")}));
    EXPECT_EQ(page->ModeTree()->topLevelItem(0)->childCount(), 3);

    Click(CModeGrpEdt::SaveId);
    ASSERT_EQ(document.Data().programGroups[3].size(), 2u);
    EXPECT_EQ(document.Data().programGroups[3][0].name, "pause");
    EXPECT_EQ(document.Data().programGroups[3][1].layer, 0);
    // Saved, the page follows the document again.
    document.UndoStack().undo();
    EXPECT_EQ(Children(GroupItem(3)), QStringList{});
}

TEST_F(ModeGrpEdtTest, RefreshReinitialisesAndDeleteDoesNothing)
{
    const std::unique_ptr<QMenu> menu = page->MakeContextMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), Text("ID_MODEGRPEDIT_REFRESH"));
    EXPECT_EQ(menu->actions()[0]->data().toInt(), CModeGrpEdt::RefreshId);
    EXPECT_EQ(menu->actions()[1]->text(), Text("ID_MODEGRPEDIT_DELETE"));
    EXPECT_EQ(menu->actions()[1]->data().toInt(), CModeGrpEdt::DeleteId);
    Click(CModeGrpEdt::InsertAllId);
    page->OnMenuCommand(CModeGrpEdt::DeleteId);
    EXPECT_EQ(GroupItem(0)->childCount(), 3);
    EditModes([](auto& modes) { modes.push_back(Mode("CM_REGRESS", "back")); });
    page->OnMenuCommand(CModeGrpEdt::RefreshId);
    EXPECT_EQ(GroupItem(0)->childCount(), 0);
    EXPECT_EQ(page->ModeTree()->topLevelItem(0)->childCount(), 4);
}

TEST_F(ModeGrpEdtTest, TheDialogAroundThePageClosesWithOkOnSave)
{
    CModeGrpDlg dialog(document, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Define Program Group"));
    dialog.Page()->Button(CModeGrpEdt::InsertAllId)->click();
    dialog.Page()->Button(CModeGrpEdt::SaveId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ModeGrpEdtTest, ScreenshotShowsTheOpenedEntriesAndTheirLines)
{
    CModeGrpDlg dialog(document, prompts);
    QTreeWidgetItem* entry = dialog.Page()->GroupTree()->topLevelItem(0)->child(3);
    entry->setExpanded(true);
    entry->child(0)->setExpanded(true);
    QTreeWidgetItem* sweep = dialog.Page()->ModeTree()->topLevelItem(0)->child(0);
    sweep->setExpanded(true);
    const QImage grab = Screenshot(&dialog, QStringLiteral("program-groups"));
    ExpectPainted(grab, dialog);
    // The lines the grab is meant to show lie in the trees' visible parts.
    auto shown = [](QTreeWidgetItem* item) {
        const QRect rect = item->treeWidget()->visualItemRect(item);
        return !rect.isEmpty() && item->treeWidget()->viewport()->rect().contains(rect.topLeft());
    };
    EXPECT_EQ(entry->child(0)->child(0)->text(0), QStringLiteral("Interval:0"));
    EXPECT_TRUE(shown(entry->child(0)->child(0)));
    EXPECT_EQ(sweep->child(1)->text(0), QStringLiteral("Loop:7"));
    EXPECT_TRUE(shown(sweep->child(1)));
}

} // namespace
} // namespace lumaro::gui::test
