#include "GuiTestSupport.h"

#include "core/app/IniFile.h"
#include "core/app/LangText.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/MainFrame.h"
#include "gui/app/QtTranslations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

// The menu layouts as the language keys address them, written out here on
// their own so that a slip in the program's tables shows up.
struct Popup {
    std::vector<int> path; // bar position, then positions inside pop-ups
    const char* key;
};
struct Item {
    int id;
    const char* key;
};
struct Layout {
    int menuId;
    std::vector<Popup> popups;
    std::vector<Item> items;
};

const Layout kMenu128{128,
                      {{{0}, "ID_FILE"}, {{1}, "ID_VIEW"}, {{2}, "ID_HELP"}},
                      {{32831, "ID_NEW_LED"},
                       {57601, "ID_FILE_OPEN"},
                       {57606, "ID_FILE_PRINT_SETUP"},
                       {57616, "ID_FILE_MRU_FILE1"},
                       {57665, "ID_APP_EXIT"},
                       {59392, "ID_VIEW_TOOLBAR"},
                       {59393, "ID_VIEW_STATUS_BAR"},
                       {32819, "ID_HELP_ABOUT_VC"},
                       {32901, "ID_HELP_WEBSITE"},
                       {57664, "ID_APP_ABOUT"},
                       {31760, "ID_HELP_WHATSNEW"}}};

const Layout kMenu130{130,
                      {{{1}, "ID_FILE"},
                       {{2}, "ID_EDIT"},
                       {{2, 0}, "ID_EDIT_SETV"},
                       {{2, 2}, "ID_EDIT_ZOOMIO"},
                       {{3}, "ID_VIEW"},
                       {{3, 5}, "ID_VIEW_LANGUAGE"},
                       {{4}, "ID_WINDOW"},
                       {{5}, "ID_HELP"}},
                      {{32862, "ID_OPENEDIT"},         {31763, "ID_FILE_WIZARD"},
                       {57601, "ID_FILE_OPEN"},        {32771, "ID_OPEN_IMAGE"},
                       {32926, "ID_OPENEDITL"},        {57603, "ID_FILE_SAVE"},
                       {57604, "ID_FILE_SAVE_AS"},     {57602, "ID_FILE_CLOSE"},
                       {57607, "ID_FILE_PRINT"},       {57609, "ID_FILE_PRINT_PREVIEW"},
                       {57606, "ID_FILE_PRINT_SETUP"}, {57616, "ID_FILE_MRU_FILE1"},
                       {57665, "ID_APP_EXIT"},         {32774, "ID_SCAN_BACK"},
                       {32775, "ID_SCAN_SCOPE"},       {32776, "ID_SCAN_SETOTHER"},
                       {32792, "ID_EDIT_SCAN"},        {32794, "ID_EFFECT1"},
                       {32795, "ID_EFFECT2"},          {32796, "ID_EFFECT3"},
                       {32797, "ID_EFFECT4"},          {32802, "ID_EFFECT5"},
                       {32803, "ID_EFFECT6"},          {32804, "ID_EFFECT7"},
                       {32798, "ID_EDIT_INSERT"},      {32799, "ID_EDIT_DELETE"},
                       {32847, "ID_CPORT_EDIT"},       {32848, "ID_CPORT_OUT"},
                       {32828, "ID_EDIT_PLAMP"},       {31778, "ID_OUT_LIST"},
                       {59392, "ID_VIEW_TOOLBAR"},     {59393, "ID_VIEW_STATUS_BAR"},
                       {32805, "ID_EDIT_GRIDDING"},    {32877, "ID_SHOW_WIRING"},
                       {32916, "ID_VIEW_LAN_ENG"},     {32917, "ID_VIEW_LAN_CHS"},
                       {32918, "ID_VIEW_LAN_CTS"},     {32772, "ID_CHANGEWIN"},
                       {32819, "ID_HELP_ABOUT_VC"},    {32901, "ID_HELP_WEBSITE"},
                       {57664, "ID_APP_ABOUT"},        {31760, "ID_HELP_WHATSNEW"}}};

const Layout kMenu131{131,
                      {{{1}, "ID_FILE"},
                       {{2}, "ID_EDIT"},
                       {{2, 1}, "ID_EDIT_DEMOSHAPE"},
                       {{3}, "ID_VIEW"},
                       {{4}, "ID_WINDOW"},
                       {{5}, "ID_HELP"}},
                      {{57600, "ID_FILE_NEW"},
                       {57601, "ID_FILE_OPEN"},
                       {57602, "ID_FILE_CLOSE"},
                       {57603, "ID_FILE_SAVE"},
                       {57604, "ID_FILE_SAVE_AS"},
                       {57607, "ID_FILE_PRINT"},
                       {57609, "ID_FILE_PRINT_PREVIEW"},
                       {57606, "ID_FILE_PRINT_SETUP"},
                       {57616, "ID_FILE_MRU_FILE1"},
                       {57665, "ID_APP_EXIT"},
                       {32855, "ID_EDIT_SIZE"},
                       {32899, "ID_DEMO_RECT"},
                       {32898, "ID_DEMO_Circle"},
                       {32856, "ID_EDITBACKIMAGE"},
                       {32857, "ID_EDIT_WIDE"},
                       {32858, "ID_EDIT_THIN"},
                       {32851, "ID_ADDBMP"},
                       {32852, "ID_REDUCEBMP"},
                       {32853, "ID_MOVEBMP"},
                       {32859, "ID_SAVE_CODE"},
                       {32860, "ID_OPEN_CODE"},
                       {32861, "ID_EDITDO"},
                       {59392, "ID_VIEW_TOOLBAR"},
                       {59393, "ID_VIEW_STATUS_BAR"},
                       {57648, "ID_WINDOW_NEW"},
                       {57650, "ID_WINDOW_CASCADE"},
                       {57651, "ID_WINDOW_TILE_HORZ"},
                       {57649, "ID_WINDOW_ARRANGE"},
                       {32901, "ID_HELP_WEBSITE"},
                       {57664, "ID_APP_ABOUT"},
                       {31760, "ID_HELP_WHATSNEW"}}};

const Layout kMenu169{
    169,
    {{{1}, "ID_FILE"},
     {{1, 6}, "ID_FILE_EXPORT"},
     {{2}, "ID_EDIT"},
     {{3}, "ID_PLAY"},
     {{4}, "ID_VIEW"},
     {{5}, "ID_WINDOW"},
     {{6}, "ID_HELP"}},
    {{57600, "ID_FILE_NEW"},         {57601, "ID_FILE_OPEN"},      {57603, "ID_FILE_SAVE"},
     {57604, "ID_FILE_SAVE_AS"},     {57602, "ID_FILE_CLOSE"},     {32843, "ID_OUT_TEXT4"},
     {32844, "ID_OUT_TEXT5"},        {57607, "ID_FILE_PRINT"},     {57609, "ID_FILE_PRINT_PREVIEW"},
     {57606, "ID_FILE_PRINT_SETUP"}, {57616, "ID_FILE_MRU_FILE1"}, {57665, "ID_APP_EXIT"},
     {31776, "ID_LARGEN3"},          {32863, "ID_ADDLAMPIMG"},     {31771, "ID_PAGESHOW"},
     {31772, "ID_EDIT_CHANGE"},      {31783, "ID_OUT_LIST3"},      {31778, "ID_OUT_LIST"},
     {31780, "ID_OUT_LIST2"},        {59392, "ID_VIEW_TOOLBAR"},   {59393, "ID_VIEW_STATUS_BAR"},
     {57648, "ID_WINDOW_NEW"},       {57650, "ID_WINDOW_CASCADE"}, {57651, "ID_WINDOW_TILE_HORZ"},
     {57649, "ID_WINDOW_ARRANGE"},   {32819, "ID_HELP_ABOUT_VC"},  {32901, "ID_HELP_WEBSITE"},
     {57664, "ID_APP_ABOUT"},        {31760, "ID_HELP_WHATSNEW"}}};

// Each key's text in the test language file is the key in brackets.
QString Tag(const char* key)
{
    return QStringLiteral("[%1]").arg(QString::fromLatin1(key));
}

std::string TaggedLanguageFile()
{
    std::string text = "[String]\n";
    for (const Layout* layout : {&kMenu128, &kMenu130, &kMenu131, &kMenu169}) {
        for (const Popup& p : layout->popups)
            text += std::string(p.key) + "=[" + p.key + "]\n";
        for (const Item& i : layout->items)
            text += std::string(i.key) + "=[" + i.key + "]\n";
    }
    return text;
}

QAction* Follow(CMainFrame& frame, const std::vector<int>& path)
{
    QAction* entry = frame.GetMenuBarEntry(path[0]);
    for (std::size_t i = 1; entry && i < path.size(); ++i) {
        QMenu* menu = entry->menu();
        if (!menu || path[i] >= menu->actions().size())
            return nullptr;
        entry = menu->actions()[path[i]];
    }
    return entry;
}

void CollectById(QMenu* menu, int id, std::vector<QAction*>& out)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            CollectById(action->menu(), id, out);
        else if (CCommandRegistry::IdOf(action) == id && action->isVisible())
            out.push_back(action);
    }
}

std::vector<QAction*> ItemsById(CMainFrame& frame, int id)
{
    std::vector<QAction*> out;
    for (int pos = 0; pos < frame.GetMenuBarCount(); ++pos) {
        if (QMenu* menu = frame.GetMenuBarSubMenu(pos))
            CollectById(menu, id, out);
    }
    return out;
}

void ExpectLayout(CMainFrame& frame, const Layout& layout, bool tagged)
{
    ASSERT_EQ(frame.CurrentMenuId(), layout.menuId);
    int popupCount = 0;
    for (const Popup& p : layout.popups)
        popupCount += p.path.size() == 1 ? 1 : 0;
    const bool document = layout.menuId != 128;
    EXPECT_EQ(frame.GetMenuBarCount(), popupCount + (document ? 1 : 0));
    if (document) {
        ASSERT_NE(frame.GetActiveFrame(), nullptr);
        EXPECT_EQ(frame.GetMenuBarSubMenu(0), frame.GetActiveFrame()->systemMenu())
            << "position 0 is the child frame's window menu";
    }
    for (const Popup& p : layout.popups) {
        QAction* entry = Follow(frame, p.path);
        ASSERT_NE(entry, nullptr) << p.key;
        EXPECT_NE(entry->menu(), nullptr) << p.key << " keeps its submenu";
        EXPECT_EQ(entry->text(), tagged ? Tag(p.key) : QString()) << p.key;
    }
    for (const Item& i : layout.items) {
        std::vector<QAction*> found = ItemsById(frame, i.id);
        ASSERT_FALSE(found.empty()) << i.id;
        for (QAction* action : found)
            EXPECT_EQ(action->text(), tagged ? Tag(i.key) : QString()) << i.id;
    }
}

class MenuLanguage : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        // Tagged keys, or a file without any of them: every entry then goes empty.
        install.WriteLanguageFile("English.ini", GetParam() ? TaggedLanguageFile() : "[String]\n");
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
    }
    CMainFrame& Frame() { return *s->app->MainFrame(); }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
};

TEST_P(MenuLanguage, LayoutMenu130)
{
    ExpectLayout(Frame(), kMenu130, GetParam());
}

TEST_P(MenuLanguage, MainMenu128WithoutDocument)
{
    s->app->Registry().Dispatch(cmd::FileClose);
    ProcessEvents();
    ExpectLayout(Frame(), kMenu128, GetParam());
}

TEST_P(MenuLanguage, DemoMenu131)
{
    ASSERT_TRUE(s->app->OpenTemplateByName(QStringLiteral("Text")));
    ProcessEvents();
    ExpectLayout(Frame(), kMenu131, GetParam());
}

TEST_P(MenuLanguage, ModeTestMenu169)
{
    CDocument* layout = Frame().GetActiveDocument();
    CDocTemplate* modeTest = s->app->ModeTestTemplate();
    CChildFrame* frame = modeTest->CreateNewFrame(layout);
    ASSERT_NE(frame, nullptr);
    modeTest->InitialUpdateFrame(frame);
    ProcessEvents();
    ExpectLayout(Frame(), kMenu169, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Keys, MenuLanguage, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Present" : "Missing"; });

TEST(MenuLanguageLayout, FrenchGermanItalyKeepResourceTexts)
{
    CTestInstall install("French");
    CStartedApp s(install);
    CCommandRegistry& r = s.app->Registry();
    EXPECT_EQ(r.Action(cmd::ViewLanFrench)->text(), QStringLiteral("French"));
    EXPECT_EQ(r.Action(cmd::ViewLanGerman)->text(), QStringLiteral("German"));
    EXPECT_EQ(r.Action(cmd::ViewLanItaly)->text(), QStringLiteral("Italy"));
}

TEST(MenuLanguageLayout, ClosingChildFrameRelabelsForNextDocument)
{
    CTestInstall install("English");
    CStartedApp s(install);
    CMainFrame& frame = *s.app->MainFrame();
    ASSERT_TRUE(s.app->OpenTemplateByName(QStringLiteral("Text")));
    ProcessEvents();
    EXPECT_EQ(frame.CurrentMenuId(), 131);
    frame.GetActiveFrame()->close();
    ProcessEvents();
    EXPECT_EQ(frame.CurrentMenuId(), 130);
    EXPECT_EQ(frame.GetMenuBarEntry(4)->text(), QStringLiteral("Window(&W)"));
    frame.GetActiveFrame()->close();
    ProcessEvents();
    EXPECT_EQ(frame.CurrentMenuId(), 128);
    EXPECT_EQ(frame.GetMenuBarEntry(2)->text(), QStringLiteral("Help(&H)"));
}

// --- language commands --------------------------------------------------

TEST(LanguageCommands, UpdateHandlersFollowFilesAndStartupLanguage)
{
    CTestInstall install("English");
    install.RemoveLanguageFile("German.ini");
    CStartedApp s(install);
    CCommandRegistry& r = s.app->Registry();
    EXPECT_EQ(r.Query(cmd::ViewLanEng).Checked(), std::optional<bool>(true));
    EXPECT_EQ(r.Query(cmd::ViewLanEng).Enabled(), std::optional<bool>(true));
    EXPECT_EQ(r.Query(cmd::ViewLanChs).Checked(), std::optional<bool>(false));
    EXPECT_EQ(r.Query(cmd::ViewLanGerman).Enabled(), std::optional<bool>(false));

    // A file that appears after start-up does not enable its language.
    install.WriteLanguageFile("German.ini", "[String]\nID_FILE=Datei(&F)\n");
    EXPECT_EQ(r.Query(cmd::ViewLanGerman).Enabled(), std::optional<bool>(false));
    EXPECT_FALSE(r.Dispatch(cmd::ViewLanGerman)) << "a disabled command does not run";
}

TEST(LanguageCommands, SwitchWritesSettingsRelabelsAndMovesCheck)
{
    CTestInstall install("English");
    CStartedApp s(install);
    CMainFrame& frame = *s.app->MainFrame();
    CCommandRegistry& r = s.app->Registry();
    ASSERT_TRUE(r.Dispatch(cmd::ViewLanFrench));

    EXPECT_EQ(CIniFile::ReadString(install.SettingsFile(), "Setting", "Language", ""), "French");
    EXPECT_EQ(CIniFile::ReadString(install.SettingsFile(), "Setting", "WebSite", ""),
              "https://www.norvale.example/");
    EXPECT_EQ(CLangText::LanguageFilePath().filename(), "French.ini");
    EXPECT_EQ(CLangText::StartupLanguageName(), "");
    EXPECT_EQ(frame.GetMenuBarEntry(1)->text(), QStringLiteral("Fichier(&F)"));
    EXPECT_EQ(ControlText(frame.CoordinatesBar()->Control(CCoordinatesBar::kLabelTotal)),
              QStringLiteral("TOTAL :"));
    EXPECT_EQ(ControlText(frame.CoordinatesBar()->Control(CCoordinatesBar::kGroupCoordinates)),
              QStringLiteral("COORDONNÉES"));

    EXPECT_TRUE(frame.LanguageChecked(CMainFrame::CheckFrench));
    for (int id : {cmd::ViewLanEng, cmd::ViewLanChs, cmd::ViewLanCts, cmd::ViewLanGerman, cmd::ViewLanItaly})
        EXPECT_EQ(r.Query(id).Checked(), std::optional<bool>(false)) << id;
    EXPECT_EQ(r.Query(cmd::ViewLanFrench).Checked(), std::optional<bool>(true));

    ASSERT_TRUE(r.Dispatch(cmd::ViewLanChs));
    EXPECT_EQ(frame.GetMenuBarEntry(1)->text(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(r.Query(cmd::ViewLanFrench).Checked(), std::optional<bool>(false));
    EXPECT_EQ(r.Query(cmd::ViewLanChs).Checked(), std::optional<bool>(true));
}

TEST(LanguageCommands, LanguageDeletedAfterStartLeavesEmptyMenuTexts)
{
    CTestInstall install("English");
    CStartedApp s(install);
    install.RemoveLanguageFile("Italy.ini");
    ASSERT_TRUE(s.app->Registry().Dispatch(cmd::ViewLanItaly));
    EXPECT_EQ(s.app->MainFrame()->GetMenuBarEntry(1)->text(), QString());
    // The coordinates bar keeps its texts when keys are missing.
    EXPECT_EQ(ControlText(s.app->MainFrame()->CoordinatesBar()->Control(CCoordinatesBar::kLabelId)),
              QStringLiteral("ID:"));
}

// Qt's own buttons as a message box and a file dialog show them now.
QStringList QtButtonTexts()
{
    QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    return {box.button(QMessageBox::Cancel)->text(), buttons->button(QDialogButtonBox::Open)->text(),
            buttons->button(QDialogButtonBox::Cancel)->text()};
}

TEST(LanguageCommands, QtDialogsFollowTheLanguageAtStartAndOnSwitch)
{
    {
        CTestInstall install("German");
        CStartedApp s(install);
        EXPECT_EQ(QtButtonTexts(), QStringList({QStringLiteral("Abbrechen"), QStringLiteral("&\u00d6ffnen"),
                                                QStringLiteral("Abbrechen")}));
        ASSERT_TRUE(s.app->Registry().Dispatch(cmd::ViewLanFrench));
        EXPECT_EQ(QtButtonTexts(), QStringList({QStringLiteral("Annuler"), QStringLiteral("&Ouvrir"),
                                                QStringLiteral("Annuler")}));
        ASSERT_TRUE(s.app->Registry().Dispatch(cmd::ViewLanEng));
        EXPECT_EQ(QtButtonTexts(),
                  QStringList({QStringLiteral("Cancel"), QStringLiteral("&Open"), QStringLiteral("Cancel")}));
    }
    // Without Qt's file for a language its texts stay English.
    CQtTranslations missing(QStringLiteral("/nonexistent"));
    EXPECT_FALSE(missing.Use("German.ini"));
    EXPECT_EQ(QtButtonTexts().front(), QStringLiteral("Cancel"));
}

} // namespace
} // namespace lumaro::gui::test
