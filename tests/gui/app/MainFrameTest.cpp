#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/SceneEditDlg.h"
#include "gui/firmware/CrtBinDlg.h"
#include "gui/firmware/FirmwareCommands.h"
#include "gui/widgets/StatusBarXP.h"

#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

std::vector<int> ToolBarIds(QToolBar* bar)
{
    std::vector<int> ids;
    for (QAction* action : bar->actions())
        ids.push_back(action->isSeparator() ? 0 : CCommandRegistry::IdOf(action));
    return ids;
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
    }
    CMainFrame& Frame() { return *s->app->MainFrame(); }
    CCommandRegistry& Registry() { return s->app->Registry(); }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
};

TEST_F(MainFrameTest, ToolBarsCarryTheirButtonsAndDock)
{
    EXPECT_EQ(ToolBarIds(Frame().MainToolBar()),
              (std::vector<int>{32862, 57601, 57603, 0, 57607, 57609, 0, 31763, 0, 31778, 0, 57664}));
    EXPECT_EQ(ToolBarIds(Frame().LampToolBar()),
              (std::vector<int>{32799, 32798, 0, 32772, 32805, 32792, 0, 32871, 32872, 0, 32873, 32874}));
    EXPECT_EQ(Frame().toolBarArea(Frame().MainToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(Frame().toolBarArea(Frame().LampToolBar()), Qt::LeftToolBarArea);
    for (QToolBar* bar : {Frame().MainToolBar(), Frame().LampToolBar()}) {
        for (QAction* action : bar->actions()) {
            if (!action->isSeparator()) {
                EXPECT_FALSE(action->icon().isNull()) << CCommandRegistry::IdOf(action);
            }
        }
    }
    EXPECT_EQ(Registry().Action(cmd::ZoomInTool)->toolTip(), QStringLiteral("Zoom In"));
    EXPECT_EQ(Registry().Action(cmd::FileSave)->toolTip(), QStringLiteral("Save"));
}

TEST_F(MainFrameTest, ToolBarToggleFollowsVisibility)
{
    EXPECT_EQ(Registry().Query(cmd::ViewToolbar).Checked(), std::optional<bool>(true));
    Registry().Dispatch(cmd::ViewToolbar);
    EXPECT_FALSE(Frame().MainToolBar()->isVisible());
    EXPECT_EQ(Registry().Query(cmd::ViewToolbar).Checked(), std::optional<bool>(false));
}

TEST_F(MainFrameTest, StatusBarHasSevenPanesWithInitialTexts)
{
    CStatusBarXP* bar = Frame().StatusBarXP();
    ASSERT_EQ(bar->PaneCount(), 7);
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("Ready"));
    EXPECT_EQ(bar->PaneText(1), QStringLiteral("Caps"));
    EXPECT_EQ(bar->PaneText(2), QStringLiteral("Num"));
    EXPECT_EQ(bar->PaneText(3), QStringLiteral("Scroll"));
    EXPECT_FALSE(bar->SetPaneText(7, QStringLiteral("x")));

    // A long message is elided and never widens the window.
    Frame().resize(900, 600);
    Frame().show();
    ProcessEvents();
    const QString status =
        QString(40, QLatin1Char('x')) + QStringLiteral(" Farbgruppen: ") + QString(300, QLatin1Char('y'));
    for (int pane : {2, 0}) {
        bar->SetPaneText(pane, status);
        ProcessEvents();
        EXPECT_EQ(bar->PaneText(pane), status);
        EXPECT_LT(Frame().minimumSizeHint().width(), 900) << "pane " << pane;
        EXPECT_LE(Frame().width(), 900);
        if (pane == 2)
            bar->SetPaneText(pane, QStringLiteral("Num"));
    }
    const QString shown = bar->findChildren<QLabel*>().at(0)->text();
    EXPECT_TRUE(shown.size() > 40 && shown.endsWith(QChar(0x2026))) << shown.toStdString();
}

TEST_F(MainFrameTest, CoordinatesBarDocksRightWithDialog103Controls)
{
    EXPECT_EQ(Frame().dockWidgetArea(Frame().CoordinatesDock()), Qt::RightDockWidgetArea);
    CCoordinatesBar* bar = Frame().CoordinatesBar();
    for (int id : {1309, 1310, 1312, 1313, 1314, 1315, 1316})
        EXPECT_NE(qobject_cast<QLineEdit*>(bar->Control(id)), nullptr) << id;
    EXPECT_EQ(ControlText(bar->Control(1118)), QStringLiteral("ID:"));
    EXPECT_EQ(ControlText(bar->Control(1119)), QStringLiteral("TOTAL:"));
    EXPECT_EQ(ControlText(bar->Control(1121)), QStringLiteral("PORT:"));
    EXPECT_EQ(ControlText(bar->Control(1122)), QStringLiteral("LAMP:"));
    EXPECT_EQ(ControlText(bar->Control(cmd::CoordPort1)), QStringLiteral("Port 1"));
    EXPECT_EQ(ControlText(bar->Control(cmd::CoordPort1 + 11)), QStringLiteral("Port12"));
    for (int id : {cmd::CoordAdd, cmd::CoordDelete, cmd::CoordInsert})
        EXPECT_NE(qobject_cast<QPushButton*>(bar->Control(id)), nullptr);
    bar->SetField(1309, QStringLiteral("%1").arg(12, 6));
    EXPECT_EQ(bar->Field(1309), QStringLiteral("    12"));
    // Status texts read the bar's labels through the same keys.
    EXPECT_EQ(GetLangText("IDD103_1118"), "ID:");
}

TEST_F(MainFrameTest, HelpDocumentsOpenFromLanguagePaths)
{
    for (const char* document :
         {"Help/English/Lumaro.htm", "Help/English/WhatsNew.htm", "Help/Chinese/Lumaro.htm"})
        install.WriteDataFile(document, "<html></html>");
    s->log.urlOpens = true;
    Registry().Dispatch(cmd::HelpContents);
    Registry().Dispatch(cmd::HelpWhatsNew);
    ASSERT_EQ(s->log.urlsOpened.size(), 2);
    EXPECT_TRUE(s->log.urlsOpened[0].isLocalFile());
    EXPECT_TRUE(s->log.urlsOpened[0].toLocalFile().endsWith(QStringLiteral("Help/English/Lumaro.htm")));
    EXPECT_TRUE(s->log.urlsOpened[1].toLocalFile().endsWith(QStringLiteral("Help/English/WhatsNew.htm")));
    EXPECT_TRUE(
        s->log.urlsOpened[0].toLocalFile().startsWith(QString::fromStdString(install.Folder().string())));
    EXPECT_TRUE(s->log.messages.isEmpty());

    // A language switch changes only the path of the next help command.
    Registry().Dispatch(cmd::ViewLanChs);
    Registry().Dispatch(cmd::HelpContents);
    EXPECT_TRUE(s->log.urlsOpened.back().toLocalFile().endsWith(QStringLiteral("Help/Chinese/Lumaro.htm")));
}

TEST_F(MainFrameTest, MissingHelpDocumentsReportTheirFailures)
{
    // The desktop would report success for a file that is not there.
    s->log.urlOpens = true;
    Registry().Dispatch(cmd::HelpContents);
    Registry().Dispatch(cmd::HelpWhatsNew);
    ASSERT_EQ(s->log.messages.size(), 2);
    EXPECT_EQ(s->log.messages[0].toStdString(), GetLangText("MAINFRM_ONHELPABOUTVC_OHFF"));
    EXPECT_EQ(s->log.messages[1].toStdString(), GetLangText("MAINFRM_ONWHATSNEW_OWNFF"));
    EXPECT_FALSE(s->log.messages[0].isEmpty());
    EXPECT_TRUE(s->log.urlsOpened.isEmpty());
}

TEST_F(MainFrameTest, WithoutAProgramForThemHelpAndWebSiteSaySoWithThePath)
{
    install.WriteDataFile("Help/English/WhatsNew.htm", "<html></html>");
    s->log.urlOpens = false;
    Registry().Dispatch(cmd::HelpWhatsNew);
    Registry().Dispatch(cmd::HelpWebSite);
    ASSERT_EQ(s->log.urlsOpened.size(), 2);
    EXPECT_EQ(s->log.urlsOpened[1], QUrl(QStringLiteral("https://www.norvale.example/")));
    const QString noProgram = QString::fromStdString(GetLangText("MAINFRM_OPENWITHDESKTOP_NPCO"));
    ASSERT_TRUE(noProgram.contains(QStringLiteral("%1")));
    const QString document = QDir::toNativeSeparators(s->log.urlsOpened[0].toLocalFile());
    EXPECT_EQ(s->log.messages, (QStringList{noProgram.arg(document),
                                            noProgram.arg(QStringLiteral("https://www.norvale.example/"))}));
}

TEST_F(MainFrameTest, WebSiteMissingFromSettingsFailsWithoutOpening)
{
    install.WriteSettings("[Setting]\nLanguage=English\n");
    s->log.urlOpens = true;
    Registry().Dispatch(cmd::HelpWebSite);
    EXPECT_TRUE(s->log.urlsOpened.isEmpty());
    EXPECT_EQ(s->log.messages.size(), 1);
}

TEST_F(MainFrameTest, UseWizardNeedsLamps)
{
    int editorRuns = 0;
    s->log.fillDialog = [&](QDialog& dialog) {
        if (qobject_cast<CSceneEditDlg*>(&dialog))
            ++editorRuns;
    };
    Registry().Dispatch(cmd::UseWizard);
    EXPECT_EQ(s->log.messages, QStringList{QStringLiteral("Please edit the lamp first!")});
    auto* doc = dynamic_cast<CLayoutDocument*>(Frame().GetActiveDocument());
    EditProject(*doc, [](CEditImgDoc& data) { data.lamps.resize(2); });
    Registry().Dispatch(cmd::UseWizard);
    EXPECT_EQ(editorRuns, 1);

    Registry().Dispatch(cmd::FileClose);
    ProcessEvents();
    s->log.messages.clear();
    Registry().Dispatch(cmd::UseWizard);
    EXPECT_TRUE(s->log.messages.isEmpty()) << "no document: nothing";
}

TEST_F(MainFrameTest, CreateBinFileIsDisabledAndTestsTheDocument)
{
    EXPECT_EQ(Registry().Query(cmd::CreateBinFile).Enabled(), std::optional<bool>(false));
    // Straight to the handler, as the mode test view's update would allow.
    int dialogRuns = 0;
    auto* firmware = s->app->FindCommandTarget<CFirmwareCommands>();
    ASSERT_NE(firmware, nullptr);
    s->log.fillDialog = [&](QDialog& dialog) {
        if (qobject_cast<CCrtBinDlg*>(&dialog))
            ++dialogRuns;
    };
    s->log.saveName.clear(); // the save asks and is cancelled
    ASSERT_TRUE(firmware->RunCommand(cmd::CreateBinFile));
    EXPECT_EQ(s->log.messages.size(), 1);
    EXPECT_EQ(s->log.messages[0].toStdString(), GetLangText("MAINFRM_ONOUTTEXT4_BIN"));
    EXPECT_EQ(dialogRuns, 0);

    s->log.saveName = install.FilePath(QStringLiteral("proj.lam"));
    ASSERT_TRUE(firmware->RunCommand(cmd::CreateBinFile));
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_FALSE(Frame().GetActiveDocument()->GetPathName().isEmpty());

    ASSERT_TRUE(s->app->OpenTemplateByName(QStringLiteral("Text")));
    ProcessEvents();
    ASSERT_TRUE(firmware->RunCommand(cmd::CreateBinFile));
    EXPECT_EQ(dialogRuns, 1) << "not a layout document: nothing";
}

TEST_F(MainFrameTest, ChildFramesStayMaximised)
{
    CChildFrame* frame = Frame().GetActiveFrame();
    ASSERT_NE(frame, nullptr);
    Registry().Dispatch(cmd::NewImageDocument);
    ProcessEvents();
    Registry().Dispatch(cmd::WindowCascade);
    ProcessEvents();
    EXPECT_GE(frame->width(), 200) << "cascaded, a frame shows more than its title bar";
    EXPECT_GE(frame->height(), 150);
    frame->ActivateFrame();
    ProcessEvents();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Lumaro 4.0 - [Edit1]"));
}

} // namespace
} // namespace lumaro::gui::test
