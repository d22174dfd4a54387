#include "GuiTestSupport.h"

#include "core/layout/LampEditor.h"
#include "core/layout/PortEditor.h"
#include "core/project/LayoutFile.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/ColorListDlg.h"
#include "gui/effects/ModeGrpEdt.h"
#include "gui/effects/SceneEditDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

CEditImgDoc TwoLampProject()
{
    CEditImgDoc project;
    project.lamps = {CLamp(1, 1, 0, 0x00FF00, 5, 1), CLamp(4, 1, 1, 0x00FF00, 5, 1)};
    CModeItem mode;
    mode.type = "CM_LEFTTORIGHT_GC";
    mode.name = "sweep";
    project.modes = {mode};
    return project;
}

struct EditKind {
    const char* name;
    Aspects announced; // at least these
    std::function<void(CLayoutDocument&, CPrompts&, const fs::path& folder)> edit;
};

void PrintTo(const EditKind& kind, std::ostream* out)
{
    *out << kind.name;
}

// Each kind of edit a user makes, through the window that makes it where
// there is one.
const EditKind kEdits[] = {
    {"insert lamp", Aspect::Lamps,
     [](CLayoutDocument& d, CPrompts&, const fs::path&) {
         d.Edit(QStringLiteral("Edit"), Aspect::Lamps | Aspect::Ports, [](CEditImgDoc& data) {
             return CLampEditor::Insert(data, 7, 2) == CLampEditor::InsertResult::Inserted;
         });
     }},
    {"chain a lamp", Aspect::Ports,
     [](CLayoutDocument& d, CPrompts&, const fs::path&) {
         CPortEditor port;
         port.currentPort = 3;
         port.operation = CPortEditor::Add;
         d.Edit(QStringLiteral("Edit"), Aspect::Lamps | Aspect::Ports,
                [&port](CEditImgDoc& data) { return port.ApplyAt(data, 4, 1); });
     }},
    {"scan settings", Aspect::ScanSettings,
     [](CLayoutDocument& d, CPrompts&, const fs::path&) {
         d.Edit(QStringLiteral("Other Value"), Aspect::ScanSettings, [](CEditImgDoc& data) {
             data.backgroundColour = 0x123456;
             data.scanScope = {1, 2, 30, 40};
             data.lampSize = 12.0f;
             return true;
         });
     }},
    {"scene slot", Aspect::Scenes,
     [](CLayoutDocument& d, CPrompts& prompts, const fs::path&) {
         CSceneEditDlg dialog(d, prompts);
         dialog.EffectBox(2)->setCurrentIndex(5);
         dialog.SpeedEdit(2)->selectAll();
         QTest::keyClicks(dialog.SpeedEdit(2), QStringLiteral("75"));
     }},
    {"scene colour list", Aspect::Scenes,
     [](CLayoutDocument& d, CPrompts& prompts, const fs::path&) {
         CSceneEditDlg dialog(d, prompts);
         prompts.runModal = [](QDialog& shown) {
             auto& list = dynamic_cast<CColorListDlg&>(shown);
             list.List()->addItem(QStringLiteral("   9R   8G   7B"));
             list.Button(CColorListDlg::OkId)->click();
             return list.result();
         };
         dialog.ColourButton(0)->click();
     }},
    {"save/create", Aspect::Modes | Aspect::ProgramGroups | Aspect::LampPositions,
     [](CLayoutDocument& d, CPrompts& prompts, const fs::path& folder) {
         CSceneEditDlg dialog(d, prompts);
         dialog.outputFolder = folder;
         dialog.EffectBox(0)->setCurrentIndex(3);
         dialog.OnSaveCreate();
     }},
    {"program groups", Aspect::ProgramGroups,
     [](CLayoutDocument& d, CPrompts& prompts, const fs::path&) {
         CModeGrpEdt page(d, prompts);
         page.Button(CModeGrpEdt::InsertAllId)->click();
         page.Button(CModeGrpEdt::SaveId)->click();
     }},
};

class DocumentEdits : public ::testing::TestWithParam<EditKind> {
protected:
    void SetUp() override { log.Install(prompts); }
    CPrompts prompts;
    CPromptLog log;
    QTemporaryDir folder;
};

TEST_P(DocumentEdits, EditUndoRedoRestoreDataAndTheModifiedFlag)
{
    const EditKind& kind = GetParam();
    CLayoutDocument document;
    document.OpenProject(TwoLampProject());
    const std::string before = CLayoutFile::Serialize(document.Data());
    Aspects announced;
    QObject::connect(&document, &CLayoutDocument::Changed, [&](Aspects what) { announced |= what; });

    kind.edit(document, prompts, fs::path(folder.path().toStdString()));
    const std::string after = CLayoutFile::Serialize(document.Data());
    ASSERT_NE(after, before) << "the edit changed nothing";
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(announced & kind.announced, kind.announced);

    announced = {};
    document.UndoStack().undo();
    while (document.UndoStack().canUndo())
        document.UndoStack().undo(); // typing a number may be more than one field edit
    EXPECT_EQ(CLayoutFile::Serialize(document.Data()), before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(announced & kind.announced, kind.announced) << "undo announces it too";

    while (document.UndoStack().canRedo())
        document.UndoStack().redo();
    EXPECT_EQ(CLayoutFile::Serialize(document.Data()), after);
    EXPECT_TRUE(document.IsModified());
}

INSTANTIATE_TEST_SUITE_P(EachKind, DocumentEdits, ::testing::ValuesIn(kEdits),
                         [](const ::testing::TestParamInfo<EditKind>& info) {
                             std::string name = info.param.name;
                             std::erase_if(
                                 name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

// Editing a scene, then a lamp, then undoing the lamp: the scene edit is
// still there, and the document still asks to be saved.
TEST(DocumentModifiedFlag, UndoingALaterEditKeepsAnEarlierOneModified)
{
    CPrompts prompts;
    CPromptLog log;
    log.Install(prompts);
    CLayoutDocument document;
    document.OpenProject(TwoLampProject());
    {
        CSceneEditDlg dialog(document, prompts);
        dialog.EffectBox(0)->setCurrentIndex(4);
    }
    kEdits[0].edit(document, prompts, {});
    document.UndoStack().undo();
    EXPECT_EQ(document.Data().scenes[0][0].menuIndex, 4);
    EXPECT_TRUE(document.IsModified());

    // Saved, then edited and undone back to the save: unmodified.
    QTemporaryDir folder;
    ASSERT_TRUE(document.OnSaveDocument(folder.filePath(QStringLiteral("p.led"))));
    EXPECT_FALSE(document.IsModified());
    kEdits[0].edit(document, prompts, {});
    EXPECT_TRUE(document.IsModified());
    document.UndoStack().undo();
    EXPECT_FALSE(document.IsModified());
    document.UndoStack().undo(); // before the save
    EXPECT_TRUE(document.IsModified());
}

TEST(DocumentEditSteps, AbandonedOrEmptyEditsLeaveNoStepAndMergeGroupsMakeOne)
{
    CLayoutDocument document;
    document.OpenProject(TwoLampProject());
    QSignalSpy changed(&document, &CLayoutDocument::Changed);
    EXPECT_FALSE(document.Edit(QString(), Aspect::Lamps, [](CEditImgDoc& data) {
        data.lamps.clear();
        return false; // abandoned: put back
    }));
    EXPECT_EQ(document.Data().lamps.size(), 2u);
    EXPECT_FALSE(document.Edit(QString(), Aspect::Lamps, [](CEditImgDoc&) { return true; }));
    EXPECT_EQ(document.UndoStack().count(), 0);
    EXPECT_EQ(changed.count(), 0);

    const int drag = document.NewMergeGroup();
    for (int x = 10; x < 13; ++x) {
        document.Edit(
            QString(), Aspect::Lamps,
            [x](CEditImgDoc& data) {
                return CLampEditor::Insert(data, x, 0) == CLampEditor::InsertResult::Inserted;
            },
            drag);
    }
    EXPECT_EQ(document.UndoStack().count(), 1);
    document.UndoStack().undo();
    EXPECT_EQ(document.Data().lamps.size(), 2u);
}

#ifdef LUMARO_CHECK_EDITS
TEST(DocumentEditStepsDeathTest, AnEditChangingAnAspectItDidNotNameFailsLoudly)
{
    CLayoutDocument document;
    document.OpenProject(TwoLampProject());
    EXPECT_DEATH(document.Edit(QStringLiteral("Sneaky"), Aspect::Modes,
                               [](CEditImgDoc& data) {
                                   data.modes.emplace_back();
                                   data.layers.emplace_back();
                                   return true;
                               }),
                 "Sneaky.*changed aspects it did not name: 256");
}
#endif

} // namespace
} // namespace lumaro::gui::test
