#include "effects/EffectsTestSupport.h"

#include "core/app/IniFile.h"
#include "gui/app/DialogLangText.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/CirAreaDlg.h"
#include "gui/effects/ColorListDlg.h"
#include "gui/effects/ModeEditorSheet.h"
#include "gui/effects/ModeGrpEdt.h"
#include "gui/effects/Page2.h"
#include "gui/effects/Page3.h"
#include "gui/effects/Page5.h"
#include "gui/effects/SceneEditDlg.h"
#include "gui/effects/page6.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace lumaro::gui::test {
namespace {

const fs::path kEnglish = fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "English.ini";

// Every labelled control of the effect dialogs and every message they show
// has its text in the language files.
class EffectsLanguage : public EffectsDialogTest {
protected:
    void ExpectKeys(QWidget* dialog, int dialogId)
    {
        const std::string prefix = "IDD" + std::to_string(dialogId) + "_";
        EXPECT_TRUE(CIniFile::Read(kEnglish, "String", prefix + "Title").has_value()) << prefix;
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            // Edits, lists, combo boxes and the preview show data, not a label.
            if (!qobject_cast<QAbstractButton*>(child) && !qobject_cast<QLabel*>(child) &&
                !qobject_cast<QGroupBox*>(child))
                continue;
            if (auto id = ControlIdOf(child)) {
                const std::string key = prefix + std::to_string(*id);
                EXPECT_TRUE(CIniFile::Read(kEnglish, "String", key).has_value()) << key;
            }
        }
    }
};

TEST_F(EffectsLanguage, DialogControlsAndMessagesHaveTheirKeys)
{
    CLayoutDocument document;
    EditProject(document, [](CEditImgDoc& data) { data.lamps = LampRow(0, 2); });
    CSceneEditDlg scenes(document, prompts);
    ExpectKeys(&scenes, CSceneEditDlg::kDialogId);
    CColorListDlg colours({}, prompts);
    ExpectKeys(&colours, CColorListDlg::kDialogId);
    CModeGrpEdt groups(document, prompts);
    ExpectKeys(&groups, CModeGrpEdt::kDialogId);
    CCirAreaDlg circle(prompts);
    ExpectKeys(&circle, CCirAreaDlg::kDialogId);
    CModeEditorSheet sheet(document, prompts, kEnglish.parent_path().parent_path());
    ExpectKeys(sheet.ModeListPage(), CPage3::kDialogId);
    ExpectKeys(sheet.ColourListPage(), CPage2::kDialogId);
    ExpectKeys(sheet.GroupListPage(), CPage5::kDialogId);
    ExpectKeys(sheet.ParameterPage(), Cpage6::kDialogId);
    for (const char* key : {"MODEGRPEDIT_ONBTNMOK_YSIA", "MODEGRPEDIT_ONININDLG_PICIC", "CIRAREADLG_ONOK_PS",
                            "PAGE2_ONBUTTON3_PSAK", "PAGE2_ONBUTTON2_NTST", "PAGE2_ONBUTTON8_NTST",
                            "PAGE2_ONBUTTON4_PSAKO", "PAGE2_ONBUTTON4_PSTC"})
        EXPECT_FALSE(GetLangText(key).empty()) << key;
}

TEST_F(EffectsLanguage, DialogsTakeTheirTextsFromTheCurrentLanguage)
{
    CLangText::SetLanguageFilePath(kEnglish.parent_path() / "German.ini");
    CColorListDlg colours({}, prompts);
    EXPECT_EQ(colours.windowTitle().toStdString(), GetLangText("IDD1374_Title"));
    EXPECT_EQ(colours.Button(CColorListDlg::RemoveAllId)->text().toStdString(),
              GetLangTextRaw("IDD1374_1128"));
    CLayoutDocument document;
    CModeGrpEdt groups(document, prompts);
    EXPECT_EQ(groups.Button(CModeGrpEdt::SaveId)->text().toStdString(), GetLangTextRaw("IDD107_1330"));
}

} // namespace
} // namespace lumaro::gui::test
