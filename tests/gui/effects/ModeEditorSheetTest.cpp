#include "effects/EffectsTestSupport.h"

#include "gui/app/DialogLangText.h"
#include "gui/effects/ModeGrpEdt.h"
#include "gui/effects/Page2.h"
#include "gui/effects/Page3.h"
#include "gui/effects/Page4.h"
#include "gui/effects/Page5.h"
#include "gui/effects/page6.h"
#include "gui/preview/ModeTestState.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace lumaro::gui::test {
namespace {

using ModeEditorSheetTest = ModeEditorTest;

TEST_F(ModeEditorSheetTest, FiveTabsInOrderCaptionedFromTheLanguageFile)
{
    QTabWidget* tabs = sheet->Tabs();
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->widget(CModeTestState::ModeListPage), sheet->ModeListPage());
    EXPECT_EQ(tabs->widget(CModeTestState::ColourListPage), sheet->ColourListPage());
    EXPECT_EQ(tabs->widget(CModeTestState::GroupListPage), sheet->GroupListPage());
    EXPECT_EQ(tabs->widget(CModeTestState::ParameterPage), sheet->ParameterPage());
    EXPECT_EQ(tabs->widget(CModeTestState::ProgramGroupPage), sheet->ProgramGroupPage());
    EXPECT_EQ(tabs->indexOf(sheet->Page4()), -1) << "page 110 is made but never shown";
    EXPECT_EQ(sheet->Page4()->parent(), sheet.get());

    const char* keys[] = {"IDD109_Title", "IDD108_Title", "IDD111_Title", "IDD112_Title", "IDD107_Title"};
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_EQ(tabs->tabText(tab), Text(keys[tab])) << tab;
    EXPECT_EQ(sheet->windowTitle(), Text("IDD_LED_MODE"));

    // A language switch shows at the next Edit Mode.
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "English.ini");
    sheet->Open();
    EXPECT_EQ(tabs->tabText(CModeTestState::ProgramGroupPage), QStringLiteral("Define Program Group"));

    // No text of its own: a key missing from the language file stays empty.
    install.WriteLanguageFile("Bare.ini", "[String]\nIDD109_Title=Liste\n");
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "Bare.ini");
    sheet->Open();
    EXPECT_EQ(tabs->tabText(CModeTestState::ModeListPage), QStringLiteral("Liste"));
    EXPECT_EQ(tabs->tabText(CModeTestState::ProgramGroupPage), QString());
    EXPECT_EQ(sheet->windowTitle(), QString());
}

TEST_F(ModeEditorSheetTest, ALanguageSwitchReachesTheOpenSheetsPagesTreesAndTips)
{
    sheet->Open();
    CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "German.ini");
    RetranslateAllWindows();
    EXPECT_EQ(sheet->Tabs()->tabText(CModeTestState::ModeListPage), Text("IDD109_Title"));
    EXPECT_EQ(sheet->ModeListPage()->Button(CPage3::AddId)->text(), Text("IDD109_1089"));
    EXPECT_EQ(sheet->ProgramGroupPage()->GroupTree()->topLevelItem(0)->text(0),
              Text("ID_MSG_MODEGRPEDIT_PROGRAMGROUP"));
    EXPECT_EQ(sheet->ParameterPage()->Button(Cpage6::StartId)->toolTip(), Text("IDD112_m_p6tip1"));
    EXPECT_EQ(Text("IDD109_1089"), QStringLiteral("&Hinzufügen"));
}

TEST_F(ModeEditorSheetTest, OpenShowsTheModeListPageEveryTime)
{
    sheet->Open();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(sheet->isModal());
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::ModeListPage);
    sheet->ShowPage(CModeTestState::GroupListPage);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::GroupListPage);
    sheet->ShowPage(7);
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::GroupListPage) << "no such page";
    sheet->Open();
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::ModeListPage);
}

TEST_F(ModeEditorSheetTest, StepsAsideForAPickAndReturnsOnThePageTheViewNames)
{
    sheet->Open();
    Q_EMIT sheet->GroupListPage()->PickRequested();
    EXPECT_FALSE(sheet->isVisible());
    Q_EMIT CModeTestState::Of(document).ReturnToPage(CModeTestState::ParameterPage);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->Tabs()->currentIndex(), CModeTestState::ParameterPage);
}

TEST_F(ModeEditorSheetTest, EndClosesTheSheetAsWithOk)
{
    sheet->Open();
    sheet->End();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
}

TEST_F(ModeEditorSheetTest, ProgramGroupPageWorksInsideTheSheet)
{
    EditProject(document, [](CEditImgDoc& data) { data.modes = {Mode("CM_KERNELBD", "kernel")}; });
    CModeGrpEdt* page = sheet->ProgramGroupPage();
    page->OnInsertAll();
    page->OnSave();
    EXPECT_EQ(document.Data().programGroups[0].size(), 1u);
    EXPECT_EQ(sheet->Tabs()->currentWidget(), sheet->ModeListPage()) << "saving does not leave the sheet";
}

} // namespace
} // namespace lumaro::gui::test
