#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/DialogLangText.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

class DialogLangText : public ::testing::Test {
protected:
    void UseLanguageFile(const std::string& text)
    {
        install.WriteLanguageFile("Test.ini", text);
        CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "Test.ini");
    }
    CTestInstall install;
};

TEST_F(DialogLangText, RelabelsCaptionAndControlsInsideGroupBox)
{
    UseLanguageFile("[String]\nIDD176_Title=Édition des ports\nIDD176_1005=ajouter\n"
                    "IDD176_2000=Opération\nIDD176_1=OK\n");
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Port Edit"));
    auto* group = new QGroupBox(QStringLiteral("Operation"), &dialog);
    SetControlId(group, 2000);
    auto* add = new QPushButton(QStringLiteral("add"), group);
    SetControlId(add, 1005);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    SetControlId(ok, 1);
    auto* keeps = new QPushButton(QStringLiteral("delete"), group);
    SetControlId(keeps, 1312);

    SetDialogLangText(&dialog, 176);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Édition des ports"));
    EXPECT_EQ(group->title(), QStringLiteral("Opération"));
    EXPECT_EQ(add->text(), QStringLiteral("ajouter"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(keeps->text(), QStringLiteral("delete")) << "a missing key leaves the text";
}

TEST_F(DialogLangText, SetsBackslashNAsItStands)
{
    UseLanguageFile("[String]\nIDD100_1027=two\\nlines\n");
    QDialog dialog;
    auto* label = new QLabel(QStringLiteral("x"), &dialog);
    SetControlId(label, 1027);
    SetDialogLangText(&dialog, 100);
    EXPECT_EQ(label->text(), QStringLiteral("two\\nlines"));
    EXPECT_EQ(GetLangText("IDD100_1027"), "two\nlines");
}

TEST_F(DialogLangText, UnnamedStaticsShareOneKeyAndChildDialogIsLeftAlone)
{
    UseLanguageFile("[String]\nIDD107_-1=same\nIDD107_1200=outer\nIDD108_1200=inner\n");
    QDialog dialog;
    auto* a = new QLabel(QStringLiteral("a"), &dialog);
    auto* b = new QLabel(QStringLiteral("b"), &dialog);
    SetControlId(a, kStaticId);
    SetControlId(b, kStaticId);
    auto* edit = new QLineEdit(&dialog);
    SetControlId(edit, 1200);
    auto* page = new QWidget(&dialog);
    MarkAsDialog(page);
    auto* pageLabel = new QLabel(QStringLiteral("page"), page);
    SetControlId(pageLabel, 1200);
    auto* untracked = new QLabel(QStringLiteral("plain"), &dialog);

    SetDialogLangText(&dialog, 107);
    EXPECT_EQ(a->text(), QStringLiteral("same"));
    EXPECT_EQ(b->text(), QStringLiteral("same"));
    EXPECT_EQ(edit->text(), QStringLiteral("outer"));
    EXPECT_EQ(pageLabel->text(), QStringLiteral("page"));
    EXPECT_EQ(untracked->text(), QStringLiteral("plain"));
}

TEST_F(DialogLangText, EmptyValueKeepsCaption)
{
    UseLanguageFile("[String]\nIDD100_Title=\n");
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Resource"));
    SetDialogLangText(&dialog, 100);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Resource"));
}

TEST_F(DialogLangText, AboutDialogTakesItsKeys)
{
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "German.ini");
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Über Lumaro 4.0"));
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "missing.ini");
    CAboutDlg english;
    EXPECT_EQ(english.windowTitle(), QStringLiteral("Abuot Lumaro 4.0"));
}

} // namespace
} // namespace lumaro::gui::test
