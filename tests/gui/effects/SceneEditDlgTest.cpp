#include "effects/EffectsTestSupport.h"
#include "link/LinkTestSupport.h"

#include "core/effects/ColourData.h"
#include "core/effects/SceneConverter.h"
#include "core/layout/PortTable.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/ColorListDlg.h"
#include "gui/effects/SceneEditDlg.h"
#include "gui/link/DownloadRunner.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace lumaro::gui::test {
namespace {

class SceneEditDlgTest : public EffectsDialogTest {
protected:
    void SetUp() override
    {
        EffectsDialogTest::SetUp();
        CEditImgDoc project;
        project.lamps = LampRow(10, 20); // x = 10..29: width 20
        document.OpenProject(project);
        dialog = std::make_unique<CSceneEditDlg>(document, prompts);
        dialog->outputFolder = fs::path(folder.path().toStdString());
    }
    const lumaro::CSceneSlot& Slot(int scene, int row) { return document.Data().scenes[scene][row]; }
    void SetSlot(int scene, int row, const lumaro::CSceneSlot& slot)
    {
        EditProject(document, [&](CEditImgDoc& data) { data.scenes[scene][row] = slot; });
    }

    QTemporaryDir folder;
    CLayoutDocument document;
    std::unique_ptr<CSceneEditDlg> dialog;
};

TEST_F(SceneEditDlgTest, SixteenScenesOfEightRowsWithTheTwelveEffects)
{
    ASSERT_EQ(dialog->Tabs()->count(), 16);
    EXPECT_EQ(dialog->Tabs()->tabText(0), QStringLiteral("Scene1"));
    EXPECT_EQ(dialog->Tabs()->tabText(15), QStringLiteral("Scene16"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Scene"));
    for (int row = 0; row < CSceneEditDlg::kRows; ++row) {
        QComboBox* box = dialog->EffectBox(row);
        ASSERT_EQ(box->count(), 12);
        EXPECT_EQ(box->itemText(0), QStringLiteral("Null"));
        EXPECT_EQ(box->itemText(3), QStringLiteral("Shifting"));
        EXPECT_EQ(box->itemText(11), QStringLiteral("MiddleToSide"));
    }
    EXPECT_EQ(dialog->Note()->text(), QStringLiteral("Only 8 modes for every scene."));
    EXPECT_FALSE(dialog->Note()->isHidden());
    dialog->ShowScene(1);
    EXPECT_TRUE(dialog->Note()->isHidden()) << "the note belongs to the first tab";
}

TEST_F(SceneEditDlgTest, SwitchingTabsShowsThatScenesSlotsWithoutChangingThem)
{
    SetSlot(4, 2, {7, 120, {1, 2, 3}});
    dialog->ShowScene(4);
    EXPECT_EQ(dialog->EffectBox(2)->currentIndex(), 7);
    EXPECT_EQ(dialog->SpeedEdit(2)->text(), QStringLiteral("120"));
    EXPECT_EQ(Slot(4, 2).colours, (UIntArray{1, 2, 3})) << "showing a slot is no effect change";
    EXPECT_FALSE(dialog->ColourButton(2)->icon().isNull()) << "a slot with colours shows them";
    dialog->ShowScene(0);
    EXPECT_EQ(dialog->EffectBox(2)->currentIndex(), 0);
    EXPECT_TRUE(dialog->ColourButton(2)->icon().isNull());
    // Showing the scene that is already shown reloads it too.
    EditProject(document, [](CEditImgDoc& data) { data.scenes[0][2].speed = 77; });
    document.SetModifiedFlag(false);
    dialog->ShowScene(0);
    EXPECT_EQ(dialog->SpeedEdit(2)->text(), QStringLiteral("77"));
    EXPECT_FALSE(document.IsModified());
}

TEST_F(SceneEditDlgTest, ChangingTheEffectReplacesTheColoursByItsDefaults)
{
    dialog->ShowScene(2);
    EditProject(document, [](CEditImgDoc& data) { data.scenes[2][5].colours = {9, 9, 9}; });
    dialog->EffectBox(5)->setCurrentIndex(4); // ToLeftChasing
    EXPECT_EQ(Slot(2, 5).menuIndex, 4);
    EXPECT_EQ(Slot(2, 5).colours, CSceneConverter::DefaultColours(4, 20));
    EXPECT_EQ(Slot(2, 5).colours.size(), 8u * 20 * 3) << "width 20 taken over the lamps";
    dialog->EffectBox(5)->setCurrentIndex(0);
    EXPECT_TRUE(Slot(2, 5).colours.empty());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(Slot(0, 5).menuIndex, 0) << "only the scene shown";
}

TEST_F(SceneEditDlgTest, SpeedEditsGoToTheSlot)
{
    dialog->ShowScene(3);
    QLineEdit* speed = dialog->SpeedEdit(1);
    speed->selectAll();
    QTest::keyClicks(speed, QStringLiteral("250"));
    EXPECT_EQ(Slot(3, 1).speed, 250);
}

TEST_F(SceneEditDlgTest, ColourButtonEditsTheSlotOfTheSceneShown)
{
    EditProject(document, [](CEditImgDoc& data) { data.scenes[6][3].colours = {255, 0, 0}; });
    dialog->ShowScene(6);
    QStringList shown;
    log.fillDialog = [&](QDialog& colours) {
        auto& list = dynamic_cast<CColorListDlg&>(colours);
        for (int row = 0; row < list.List()->count(); ++row)
            shown << list.List()->item(row)->text();
        list.Button(CColorListDlg::RemoveAllId)->click();
        list.List()->addItem(QStringLiteral("   1R   2G   3B"));
        list.Button(CColorListDlg::OkId)->click();
    };
    dialog->ColourButton(3)->click();
    EXPECT_EQ(shown, QStringList{QStringLiteral(" 255R   0G   0B")});
    EXPECT_EQ(Slot(6, 3).colours, (UIntArray{1, 2, 3}));

    log.fillDialog = [](QDialog& colours) {
        auto& list = dynamic_cast<CColorListDlg&>(colours);
        list.Button(CColorListDlg::RemoveAllId)->click();
        list.Button(CColorListDlg::CancelId)->click();
    };
    dialog->ColourButton(3)->click();
    EXPECT_EQ(Slot(6, 3).colours, (UIntArray{1, 2, 3})) << "Cancel leaves the slot";
}

TEST_F(SceneEditDlgTest, SaveCreateConvertsWritesThePortTableAndBuilds)
{
    EditProject(document, [](CEditImgDoc& data) {
        data.lamps[0].port = 1;
        data.lamps[0].order = 1;
        data.modes = {Mode("CM_KERNELBD", "old")};
    });
    SetSlot(0, 0, {3, 50, {}}); // Shifting
    SetSlot(2, 1, {9, 30, {}});
    int builds = 0;
    dialog->buildFirmware = [&](CLayoutDocument& built, QWidget*, auto) {
        ++builds;
        EXPECT_EQ(&built, &document);
        EXPECT_TRUE(QFileInfo::exists(folder.filePath(QString::fromLatin1(CPortTable::kFileName))))
            << "the port table comes first";
    };
    dialog->Button(CSceneEditDlg::SaveCreateId)->click();

    const auto& data = document.Data();
    ASSERT_EQ(data.modes.size(), 2u);
    const CModeItem& shifting = data.modes[0];
    EXPECT_EQ(shifting.type, "CM_RIGHTTOLEFT_GC");
    EXPECT_EQ(shifting.step, 20);
    EXPECT_EQ(shifting.loop, 100);
    EXPECT_EQ(shifting.interval, 50);
    EXPECT_EQ(shifting.holdTime, 10 * 50);
    EXPECT_EQ(shifting.sceneEffect, 3);
    EXPECT_EQ(Slot(0, 0).colours, CSceneConverter::DefaultColours(3, 20)) << "empty list filled and kept";
    ASSERT_EQ(data.programGroups[0].size(), 1u);
    ASSERT_EQ(data.programGroups[2].size(), 1u);
    EXPECT_EQ(data.programGroups[2][0].layer, 1);
    EXPECT_TRUE(data.programGroups[1].empty());
    EXPECT_EQ(builds, 1);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(log.messages.isEmpty());
}

TEST_F(SceneEditDlgTest, PortTableFailureIsShownAndStopsBeforeTheBuild)
{
    dialog->outputFolder = fs::path(folder.path().toStdString()) / "missing" / "deeper";
    SetSlot(0, 0, {1, 10, {}});
    int builds = 0;
    dialog->buildFirmware = [&](CLayoutDocument&, QWidget*, auto) { ++builds; };
    dialog->OnSaveCreate();
    EXPECT_EQ(log.messages, QStringList{Text(CPortTable::kCannotCreateKey)});
    EXPECT_EQ(builds, 0);
    EXPECT_EQ(document.Data().modes.size(), 1u) << "the conversion itself stands";
    EXPECT_TRUE(document.IsModified());
}

TEST_F(SceneEditDlgTest, SaveRunsSaveAs)
{
    int saves = 0;
    dialog->saveAs = [&] { ++saves; };
    dialog->Button(CSceneEditDlg::SaveId)->click();
    EXPECT_EQ(saves, 1);
    dialog->Button(CSceneEditDlg::CancelId)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(SceneEditDlgTest, DownloadChecksTheFileThenLinksAndWritesWithoutTheClock)
{
    EXPECT_EQ(dialog->PortList()->itemText(1), QStringLiteral("COM 1"));
    EXPECT_EQ(dialog->PortList()->count(), 30);
    dialog->Button(CSceneEditDlg::DownloadId)->click();
    dialog->PortList()->setCurrentText(QStringLiteral("/dev/lumaro-no-such-port"));
    log.openName = folder.filePath(QStringLiteral("scene.hex"));
    {
        QFile file(log.openName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(SampleHexFile(3).c_str());
    }
    dialog->Button(CSceneEditDlg::OpenFileId)->click();
    EXPECT_EQ(dialog->DownloadFile(), log.openName);
    dialog->Button(CSceneEditDlg::DownloadId)->click();
    ProcessEvents();
    EXPECT_EQ(log.messages, (QStringList{QStringLiteral("Please Select a file for Downloading!"),
                                         QStringLiteral("Link Failed!")}));
    if (!CBootsim::Available())
        return;

    CBootsim loader({QStringLiteral("--sent"), folder.filePath(QStringLiteral("sent.txt"))});
    log.messages.clear();
    dialog->PortList()->setCurrentText(loader.Device());
    dialog->show();
    dialog->Button(CSceneEditDlg::DownloadId)->click();
    ASSERT_TRUE(dialog->Runner().Running());
    // Cancel asks while the download runs; "No" lets it go on.
    log.answer = QMessageBox::No;
    dialog->Button(CSceneEditDlg::CancelId)->click();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !dialog->Runner().Running(); }));
    EXPECT_TRUE(WaitUntil([&] { return log.messages.contains(QStringLiteral("Download Success!")); }));
    EXPECT_EQ(log.messages.front(), Text(CDownloadRunner::kAskStopKey));
    EXPECT_TRUE(log.messages.contains(QStringLiteral("Link ok!")));
    EXPECT_FALSE(log.messages.contains(QStringLiteral("Set Bit Success!")));
    ASSERT_EQ(loader.Stop(), 0);
    QFile sent(folder.filePath(QStringLiteral("sent.txt")));
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    const QByteArray bytes = sent.readAll();
    EXPECT_TRUE(bytes.contains(CHexDownload::kSecurityRecords[2].data()));
    EXPECT_FALSE(bytes.contains(CHexDownload::kClockRecord.data())) << "never the clock";
}

// Through the shell: Use Wizard on a document with lamps opens the editor,
// whose Save is the document's Save As.
TEST(SceneEditorFromTheShell, UseWizardOpensTheEditorAndSaveSavesTheDocument)
{
    CTestInstall install;
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    CMainFrame& frame = *s.app->MainFrame();
    auto* document = dynamic_cast<CLayoutDocument*>(frame.GetActiveDocument());
    ASSERT_NE(document, nullptr);
    EditProject(*document, [](CEditImgDoc& data) { data.lamps = LampRow(0, 4); });
    s.log.saveName = install.FilePath(QStringLiteral("wizard.led"));

    bool opened = false;
    s.log.fillDialog = [&](QDialog& dialog) {
        auto* editor = qobject_cast<CSceneEditDlg*>(&dialog);
        if (!editor)
            return;
        opened = true;
        editor->Button(CSceneEditDlg::SaveId)->click();
        editor->Button(CSceneEditDlg::CancelId)->click();
    };
    s.app->Registry().Dispatch(cmd::UseWizard);
    EXPECT_TRUE(opened);
    // Save As may normalise the name it was given; the folder and name stand.
    EXPECT_EQ(document->GetPathName().compare(s.log.saveName, Qt::CaseInsensitive), 0);
    EXPECT_TRUE(QFileInfo::exists(document->GetPathName()));
}

TEST_F(SceneEditDlgTest, ScreenshotShowsTheSlotsAndTheirColours)
{
    const UIntArray colours = CSceneConverter::DefaultColours(3, 20);
    const QColor first{int(colours[0]), int(colours[1]), int(colours[2])};
    SetSlot(0, 0, {3, 50, colours});
    SetSlot(0, 1, {6, 20, CSceneConverter::DefaultColours(6, 20)});
    dialog->ShowScene(0);
    const QImage grab = Screenshot(dialog.get(), QStringLiteral("scene-editor"));
    ExpectPainted(grab, *dialog);
    EXPECT_EQ(dialog->EffectBox(0)->currentText(), QStringLiteral("Shifting"));
    EXPECT_EQ(dialog->SpeedEdit(1)->text(), QStringLiteral("20"));
    auto buttonArea = [&](int row) {
        QPushButton* button = dialog->ColourButton(row);
        return QRect(button->mapTo(dialog.get(), QPoint(0, 0)), button->size());
    };
    EXPECT_TRUE(ShowsColour(grab, buttonArea(0), first)) << "the colour strip of a slot with colours";
    EXPECT_FALSE(ShowsColour(grab, buttonArea(2), first)) << "an empty slot has no strip";

    const UIntArray listed = CSceneConverter::DefaultColours(6, 20);
    CColorListDlg list(listed, prompts);
    const QImage listGrab = Screenshot(&list, QStringLiteral("colour-list"));
    ExpectPainted(listGrab, list);
    // The third line, as the first is current and may carry the style's focus.
    ASSERT_GT(list.List()->count(), 2);
    QListWidgetItem* third = list.List()->item(2);
    EXPECT_EQ(third->text(),
              QString::fromStdString(CColourData::FormatColour(listed[6], listed[7], listed[8])));
    const QRect line =
        list.List()->visualItemRect(third).translated(list.List()->viewport()->mapTo(&list, QPoint(0, 0)));
    EXPECT_TRUE(ShowsColour(listGrab, line, QColor(int(listed[6]), int(listed[7]), int(listed[8]))))
        << "each line on its own colour";
}

} // namespace
} // namespace lumaro::gui::test
