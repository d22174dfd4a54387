#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "core/project/LayoutFile.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/MainFrame.h"
#include "gui/app/RecentFileList.h"
#include "gui/document/LayoutDocument.h"
#include "gui/layout/EditImgView.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/DemoView.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

int FrameCount(CEditorApp& app)
{
    int count = 0;
    for (QMdiSubWindow* window : app.MainFrame()->MdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame && !frame->IsClosing())
            ++count;
    }
    return count;
}

QString MenuTitle(CEditorApp& app, int position)
{
    QAction* entry = app.MainFrame()->GetMenuBarEntry(position);
    return entry ? entry->text() : QStringLiteral("<none>");
}

void SaveLayoutFile(const QString& path, int lampCount)
{
    lumaro::CEditImgDoc doc;
    for (int i = 0; i < lampCount; ++i) {
        lumaro::CLamp lamp;
        lamp.number = i;
        doc.lamps.push_back(lamp);
    }
    ASSERT_TRUE(CLayoutFile::Save(doc, path.toStdString()).ok());
}

// --- start-up ------------------------------------------------------------

TEST(EditorAppStartup, EnglishShowsMaximisedFrameWithOneEmptyLayout)
{
    CTestInstall install("English");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    CEditorApp& app = *s.app;
    EXPECT_TRUE(app.Started());
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(FrameCount(app), 1);
    auto* frame = app.MainFrame()->GetActiveFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_NE(dynamic_cast<CEditImgView*>(frame->View()), nullptr);
    EXPECT_EQ(frame->GetActiveDocument()->GetTitle(), QStringLiteral("Edit1"));
    EXPECT_TRUE(s.log.messages.isEmpty());
    EXPECT_TRUE(s.log.typesOffered.isEmpty()) << "one template: no question";

    EXPECT_EQ(app.MainFrame()->CurrentMenuId(), 130);
    EXPECT_EQ(MenuTitle(app, 1), QStringLiteral("File(&F)"));
    EXPECT_EQ(MenuTitle(app, 5), QStringLiteral("Help(&H)"));
    EXPECT_EQ(CLangText::StartupLanguageName(), "English.ini");
}

TEST(EditorAppStartup, FrenchRelabelsMenusFromFrenchFile)
{
    CTestInstall install("French");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    EXPECT_EQ(MenuTitle(*s.app, 1), QStringLiteral("Fichier(&F)"));
    EXPECT_EQ(s.app->Registry().Action(cmd::FileOpen)->text(), QStringLiteral("Ouvrir(&O)...\tCtrl+O"));
    EXPECT_EQ(CLangText::LanguageFilePath().filename(), "French.ini");
}

TEST(EditorAppStartup, MissingLanguageFileEndsBeforeAnyWindow)
{
    CTestInstall install("Klingon");
    CStartedApp s(install);
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.log.messages, QStringList{QStringLiteral("Can not find language file!")});
    EXPECT_EQ(s.app->MainFrame(), nullptr);
}

TEST(EditorAppStartup, SettingsWithoutLanguageKeyUseEnglish)
{
    CTestInstall install("");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    EXPECT_EQ(CLangText::StartupLanguageName(), "English.ini");
    EXPECT_EQ(MenuTitle(*s.app, 1), QStringLiteral("File(&F)"));
}

TEST(EditorAppStartup, LowerCaseLanguageFindsFileButChecksNoItem)
{
    CTestInstall install("german");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    EXPECT_EQ(MenuTitle(*s.app, 1), QStringLiteral("Datei(&F)"));
    CCommandRegistry& registry = s.app->Registry();
    for (int id : {cmd::ViewLanEng, cmd::ViewLanChs, cmd::ViewLanCts, cmd::ViewLanFrench, cmd::ViewLanGerman,
                   cmd::ViewLanItaly}) {
        CCmdUI ui = registry.Query(id);
        EXPECT_EQ(ui.Checked(), std::optional<bool>(false)) << id;
    }
}

TEST(EditorAppStartup, RecordsWhichLanguageFilesExistInTableOrder)
{
    CTestInstall install("English");
    install.RemoveLanguageFile("CTChinese.ini");
    install.RemoveLanguageFile("Italy.ini");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    std::array<bool, 6> expected{true, false, true, true, true, false};
    EXPECT_EQ(s.app->LanguageFilePresent(), expected);
}

TEST(EditorAppStartup, HelpFileIsLookedForInCurrentDirectory)
{
    CTestInstall install("English");
    {
        CStartedApp s(install);
        EXPECT_TRUE(s.app->HelpFilePath().isEmpty());
    }
    QFile help(install.FilePath(QString::fromLatin1(CEditorApp::kHelpFileName)));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    CStartedApp s(install);
    EXPECT_EQ(s.app->HelpFilePath(), help.fileName());
}

TEST(EditorAppStartup, ModeTestTemplateIsKeptButNotRegistered)
{
    CTestInstall install("English");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    ASSERT_NE(s.app->ModeTestTemplate(), nullptr);
    EXPECT_EQ(s.app->ModeTestTemplate()->ResourceId(), 169);
    ASSERT_EQ(s.app->Templates().size(), 2u);
    EXPECT_EQ(s.app->Templates()[0]->ResourceId(), 130);
    EXPECT_EQ(s.app->Templates()[1]->ResourceId(), 131);
    EXPECT_EQ(s.app->Templates()[0]->GetDocString(CDocTemplate::filterExt), QStringLiteral(".lam"));
}

TEST(EditorAppStartup, ChineseSettingUsesChineseTemplateStrings)
{
    CTestInstall install("Chinese");
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    EXPECT_EQ(s.app->Templates()[0]->GetDocString(CDocTemplate::filterExt), QStringLiteral(".led"));
    EXPECT_EQ(s.app->ModeTestTemplate()->GetDocString(CDocTemplate::regFileTypeId),
              QStringLiteral("Edit.Document"));
}

TEST(EditorAppStartup, CommandLineFileOpensAsLayout)
{
    CTestInstall install("English");
    QString path = install.FilePath(QStringLiteral("site.lam"));
    SaveLayoutFile(path, 3);
    CStartedApp s(install, {path});
    ASSERT_TRUE(s.started);
    auto* doc = dynamic_cast<CLayoutDocument*>(s.app->MainFrame()->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Data().lamps.size(), 3u);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("site.lam"));
}

TEST(EditorAppStartup, UnreadableCommandLineFileFailsStartup)
{
    CTestInstall install("English");
    CStartedApp s(install, {install.FilePath(QStringLiteral("missing.lam"))});
    EXPECT_FALSE(s.started);
    EXPECT_EQ(s.log.messages.size(), 1);
}

// --- File New and Open --------------------------------------------------

TEST(EditorAppFiles, FileNewWithTwoTemplatesOffersEditAndText)
{
    CTestInstall install("English");
    CStartedApp s(install);
    s.log.typeChoice = 1;
    s.app->Registry().Dispatch(cmd::FileNew);
    ProcessEvents();
    EXPECT_EQ(s.log.typesOffered, (QStringList{QStringLiteral("Edit"), QStringLiteral("Text")}));
    EXPECT_NE(dynamic_cast<CDemoDoc*>(s.app->MainFrame()->GetActiveDocument()), nullptr);

    s.log.typeChoice = -1;
    s.app->Registry().Dispatch(cmd::FileNew);
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 2) << "cancel creates nothing";
}

TEST(EditorAppFiles, OpenTemplateByNameIsCaseSensitive)
{
    CTestInstall install("English");
    CStartedApp s(install);
    EXPECT_FALSE(s.app->OpenTemplateByName(QStringLiteral("text")));
    EXPECT_FALSE(s.app->OpenTemplateByName(QStringLiteral("LED")));
    EXPECT_EQ(FrameCount(*s.app), 1);
    EXPECT_TRUE(s.app->OpenTemplateByName(QStringLiteral("Text")));
    ProcessEvents();
    EXPECT_NE(dynamic_cast<CDemoView*>(s.app->MainFrame()->GetActiveView()), nullptr);
    EXPECT_EQ(s.app->MainFrame()->GetActiveDocument()->GetTitle(), QStringLiteral("Text1"));
}

TEST(EditorAppFiles, NewCommandsOpenTheirTypes)
{
    CTestInstall install("English");
    CStartedApp s(install);
    s.app->Registry().Dispatch(cmd::NewText);
    ProcessEvents();
    EXPECT_EQ(s.app->MainFrame()->CurrentMenuId(), 131);
    s.app->Registry().Dispatch(cmd::NewImageDocument);
    ProcessEvents();
    EXPECT_EQ(s.app->MainFrame()->CurrentMenuId(), 130);
    EXPECT_EQ(s.app->MainFrame()->GetActiveDocument()->GetTitle(), QStringLiteral("Edit2"));
}

TEST(EditorAppFiles, FileOpenChoosesTemplateByExtension)
{
    CTestInstall install("English");
    CStartedApp s(install);
    const QString lam = install.FilePath(QStringLiteral("a.lam"));
    const QString led = install.FilePath(QStringLiteral("b.LED"));
    const QString header = install.FilePath(QStringLiteral("bmp.h"));
    SaveLayoutFile(lam, 2);
    SaveLayoutFile(led, 4);
    QFile h(header);
    ASSERT_TRUE(h.open(QIODevice::WriteOnly));
    h.write("int x;\n");
    h.close();

    s.log.openName = lam;
    s.app->Registry().Dispatch(cmd::FileOpen);
    ProcessEvents();
    auto* layout = dynamic_cast<CLayoutDocument*>(s.app->MainFrame()->GetActiveDocument());
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->Data().lamps.size(), 2u);
    EXPECT_EQ(layout->GetDocTemplate()->ResourceId(), 130);

    s.log.openName = led;
    s.app->Registry().Dispatch(cmd::FileOpen);
    ProcessEvents();
    layout = dynamic_cast<CLayoutDocument*>(s.app->MainFrame()->GetActiveDocument());
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->Data().lamps.size(), 4u);

    s.log.openName = header;
    s.app->Registry().Dispatch(cmd::FileOpen);
    ProcessEvents();
    auto* demo = dynamic_cast<CDemoDoc*>(s.app->MainFrame()->GetActiveDocument());
    ASSERT_NE(demo, nullptr);
    EXPECT_EQ(demo->GetDocTemplate()->ResourceId(), 131);
    EXPECT_EQ(FrameCount(*s.app), 4);

    // Opening an open file again shows its frame instead of a second copy.
    s.log.openName = lam;
    s.app->Registry().Dispatch(cmd::FileOpen);
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 4);
    EXPECT_EQ(s.app->MainFrame()->GetActiveDocument()->GetPathName(), QFileInfo(lam).absoluteFilePath());
}

TEST(EditorAppFiles, OpenFilterShowsTheLayoutsSaveAsWrites)
{
    CTestInstall install("English");
    CStartedApp s(install);
    auto* layout = dynamic_cast<CLayoutDocument*>(s.app->MainFrame()->GetActiveDocument());
    ASSERT_NE(layout, nullptr);
    EditProject(*layout, [](CEditImgDoc& data) { data.lamps.resize(2); });
    s.log.saveName = install.FilePath(QStringLiteral("site"));
    s.app->Registry().Dispatch(cmd::FileSaveAs);
    const QString saved = QFileInfo(layout->GetPathName()).fileName();
    ASSERT_FALSE(saved.isEmpty());

    s.log.openName.clear();
    s.app->Registry().Dispatch(cmd::FileOpen);
    const QStringList filters = s.log.openFilters.split(QStringLiteral(";;"));
    ASSERT_GE(filters.size(), 2);
    EXPECT_EQ(filters[0], QStringLiteral("Lam Files (*.lam *.led *.LED)"));
    EXPECT_EQ(filters[1], QStringLiteral("Text(*.h)"));
    // Matched as a desktop's dialog may match: letter case counts.
    const QString inside = filters[0].section(QLatin1Char('('), 1).chopped(1);
    auto shown = [&inside](const QString& name) {
        for (const QString& pattern : inside.split(QLatin1Char(' ')))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                    .match(name)
                    .hasMatch())
                return true;
        return false;
    };
    EXPECT_TRUE(shown(saved)) << saved.toStdString();
    EXPECT_TRUE(shown(QStringLiteral("old.lam")));
    EXPECT_FALSE(shown(QStringLiteral("bmp.h")));
}

TEST(EditorAppFiles, PrintSetupRunsOnTheApplicationsPrinterInEveryMenu)
{
    CTestInstall install("English");
    CStartedApp s(install);
    CCommandRegistry& registry = s.app->Registry();
    auto printSetup = [&](int menu) {
        EXPECT_EQ(s.app->MainFrame()->CurrentMenuId(), menu);
        EXPECT_NE(registry.Query(cmd::FilePrintSetup).Enabled(), std::optional<bool>(false)) << menu;
        const qsizetype before = s.log.pageSetups.size();
        EXPECT_TRUE(registry.Dispatch(cmd::FilePrintSetup)) << menu;
        ASSERT_EQ(s.log.pageSetups.size(), before + 1) << menu;
        EXPECT_EQ(s.log.pageSetups.back(), &s.app->Printer()) << menu;
    };
    printSetup(130);
    registry.Dispatch(cmd::NewText);
    ProcessEvents();
    printSetup(131);
    registry.Dispatch(cmd::FileClose);
    ProcessEvents();
    registry.Dispatch(cmd::FileClose);
    ProcessEvents();
    printSetup(128);
}

TEST(EditorAppFiles, BadLayoutFileShowsReadErrorAndOpensNothing)
{
    CTestInstall install("English");
    CStartedApp s(install);
    const QString bad = install.FilePath(QStringLiteral("bad.lam"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a layout");
    f.close();
    s.log.openName = bad;
    s.app->Registry().Dispatch(cmd::FileOpen);
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 1);
    ASSERT_EQ(s.log.messages.size(), 1);
    EXPECT_EQ(s.log.messages[0], QStringLiteral("Unexpected file format."));
}

TEST(EditorAppFiles, RecentFilesKeepFourNewestFirst)
{
    CTestInstall install("English");
    CStartedApp s(install);
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths << install.FilePath(QStringLiteral("f%1.lam").arg(i));
        SaveLayoutFile(paths.back(), 2);
    }
    s.log.openName = paths[0];
    s.app->Registry().Dispatch(cmd::FileOpen); // opening enters the list
    for (int i = 1; i < 5; ++i)
        s.app->AddToRecentFileList(paths[i]);
    const QStringList& recent = s.app->RecentFiles().Paths();
    ASSERT_EQ(recent.size(), 4);
    EXPECT_EQ(recent.front(), paths[4]);
    EXPECT_EQ(recent.back(), paths[1]);

    s.app->AddToRecentFileList(paths[2]); // again: moves to the front
    EXPECT_EQ(recent.front(), paths[2]);
    EXPECT_EQ(recent.size(), 4);

    // An entry whose file has gone is dropped when chosen.
    QFile::remove(paths[3]);
    ASSERT_EQ(recent[2], paths[3]);
    s.app->Registry().Dispatch(cmd::FileMruFile1 + 2);
    ProcessEvents();
    EXPECT_EQ(recent.size(), 3);
    EXPECT_FALSE(recent.contains(paths[3]));
    EXPECT_EQ(s.log.messages.size(), 1) << "the failed open says why";

    s.app->Registry().Dispatch(cmd::FileMruFile1);
    ProcessEvents();
    auto* doc = s.app->MainFrame()->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetPathName(), paths[2]);
}

TEST(EditorAppFiles, RecentEntriesAreRebuiltWhenFileMenuOpens)
{
    CTestInstall install("English");
    CStartedApp s(install);
    CMainFrame& frame = *s.app->MainFrame();
    QMenu* file = frame.GetMenuBarSubMenu(1);
    ASSERT_NE(file, nullptr);
    QAction* placeholder = s.app->Registry().Action(cmd::FileMruFile1);

    s.app->RecentFiles().UpdateMenu(file);
    EXPECT_TRUE(placeholder->isVisible()) << "empty list shows the placeholder";

    QString path = install.FilePath(QStringLiteral("x.lam"));
    SaveLayoutFile(path, 2);
    s.app->AddToRecentFileList(path);
    frame.ChangeMenuLanguage(); // a relabel must not rename an entry
    s.app->RecentFiles().UpdateMenu(file);
    EXPECT_FALSE(placeholder->isVisible());
    int entries = 0;
    for (QAction* action : file->actions()) {
        if (action != placeholder && CCommandRegistry::IdOf(action) == cmd::FileMruFile1) {
            ++entries;
            EXPECT_TRUE(action->text().endsWith(QStringLiteral("x.lam"))) << action->text().toStdString();
        }
    }
    EXPECT_EQ(entries, 1);
}

TEST(EditorAppFiles, FilesDroppedOnMainWindowOpenByExtension)
{
    CTestInstall install("English");
    CStartedApp s(install);
    ASSERT_TRUE(s.app->MainFrame()->acceptDrops());
    const QString lam = install.FilePath(QStringLiteral("drop.lam"));
    const QString header = install.FilePath(QStringLiteral("drop.h"));
    SaveLayoutFile(lam, 2);
    QFile h(header);
    ASSERT_TRUE(h.open(QIODevice::WriteOnly));
    h.close();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(lam), QUrl::fromLocalFile(header)});
    // A drop reaches the window that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(s.app->MainFrame(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(s.app->MainFrame(), &drop);
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 3);
    EXPECT_EQ(s.app->Templates()[0]->Documents().size(), 2u);
    EXPECT_EQ(s.app->Templates()[1]->Documents().size(), 1u);
    EXPECT_EQ(s.app->RecentFiles().Paths().front(), header);
}

// --- closing ------------------------------------------------------------

TEST(EditorAppClose, ModifiedDocumentAsksAndCancelKeepsIt)
{
    CTestInstall install("English");
    CStartedApp s(install);
    CChildFrame* frame = s.app->MainFrame()->GetActiveFrame();
    auto* doc = dynamic_cast<CLayoutDocument*>(frame->GetActiveDocument());
    EditProject(*doc, [](CEditImgDoc& data) { data.lampSize = 41.0f; });

    s.log.answer = QMessageBox::Cancel;
    EXPECT_FALSE(frame->close());
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 1);
    EXPECT_EQ(s.log.messages, QStringList{QStringLiteral("Save changes to Edit1?")});
}

TEST(EditorAppClose, SavingFromPromptWritesFileWithTemplateExtension)
{
    CTestInstall install("English");
    CStartedApp s(install);
    CChildFrame* frame = s.app->MainFrame()->GetActiveFrame();
    auto* doc = dynamic_cast<CLayoutDocument*>(frame->GetActiveDocument());
    EditProject(*doc, [](CEditImgDoc& data) { data.lamps.resize(1); });

    s.log.answer = QMessageBox::Yes;
    s.log.saveName = install.FilePath(QStringLiteral("saved"));
    EXPECT_TRUE(frame->close());
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 0);
    auto reopened = CLayoutFile::Load(install.FilePath(QStringLiteral("saved.lam")).toStdString());
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ(reopened->lamps.size(), 1u);
    EXPECT_EQ(s.app->MainFrame()->CurrentMenuId(), 128);
    EXPECT_EQ(MenuTitle(*s.app, 0), QStringLiteral("File(&F)"));
}

TEST(EditorAppClose, MainFrameAsksForEveryModifiedDocument)
{
    CTestInstall install("English");
    CStartedApp s(install);
    s.app->OpenTemplateByName(QStringLiteral("Edit"));
    ProcessEvents();
    for (CDocument* doc : s.app->Templates()[0]->Documents())
        EditProject(*dynamic_cast<CLayoutDocument*>(doc), [](CEditImgDoc& data) { data.lampSize = 41.0f; });
    s.log.answer = QMessageBox::No;
    EXPECT_TRUE(s.app->MainFrame()->close());
    EXPECT_EQ(s.log.messages.size(), 2);

    s.log.messages.clear();
    s.app->MainFrame()->show();
    s.log.answer = QMessageBox::Cancel;
    EXPECT_FALSE(s.app->MainFrame()->close());
    EXPECT_EQ(s.log.messages.size(), 1) << "the first cancel stops the close";
}

TEST(EditorAppClose, FileCloseOnDocumentClosesItsFrames)
{
    CTestInstall install("English");
    CStartedApp s(install);
    s.app->Registry().Dispatch(cmd::WindowNew);
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 2);
    s.app->Registry().Dispatch(cmd::FileClose);
    ProcessEvents();
    EXPECT_EQ(FrameCount(*s.app), 0);
    EXPECT_TRUE(s.app->Templates()[0]->Documents().empty());
}

} // namespace
} // namespace lumaro::gui::test
