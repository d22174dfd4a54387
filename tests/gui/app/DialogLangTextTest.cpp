#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Languages.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/CirAreaDlg.h"
#include "gui/effects/ColorListDlg.h"
#include "gui/effects/ModeGrpEdt.h"
#include "gui/effects/SceneEditDlg.h"
#include "gui/layout/LayoutDialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

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

// --- every dialog in every language ------------------------------------------

void AddTreeItem(const QTreeWidgetItem* item, QStringList& texts)
{
    for (int c = 0; c < item->columnCount(); ++c)
        texts << item->text(c);
    for (int i = 0; i < item->childCount(); ++i)
        AddTreeItem(item->child(i), texts);
}

// What a dialog shows, in a fixed order: the caption, then every label,
// button, group box, combo item, tab and tree or table text. Edit fields
// and lists hold values, not texts of the program.
QStringList VisibleTexts(const QWidget* dialog)
{
    QStringList texts{dialog->windowTitle()};
    for (const QWidget* child : dialog->findChildren<QWidget*>()) {
        if (auto* box = qobject_cast<const QGroupBox*>(child)) {
            texts << box->title();
        } else if (auto* button = qobject_cast<const QAbstractButton*>(child)) {
            texts << button->text();
        } else if (auto* label = qobject_cast<const QLabel*>(child)) {
            texts << label->text();
        } else if (auto* combo = qobject_cast<const QComboBox*>(child)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto* tabs = qobject_cast<const QTabBar*>(child)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        } else if (auto* tree = qobject_cast<const QTreeWidget*>(child)) {
            AddTreeItem(tree->headerItem(), texts);
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                AddTreeItem(tree->topLevelItem(i), texts);
        } else if (auto* table = qobject_cast<const QTableWidget*>(child)) {
            for (int c = 0; c < table->columnCount(); ++c)
                texts << (table->horizontalHeaderItem(c) ? table->horizontalHeaderItem(c)->text()
                                                         : QString());
        }
    }
    return texts;
}

// A text that may read as in English: numbers, port and COM names,
// catalogue type names, axis names, and the few words a language shares.
bool MayEqualEnglish(QString text)
{
    text.remove(QLatin1Char('&'));
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    if (!text.contains(letter))
        return true;
    static const QRegularExpression named(
        QStringLiteral("^(COM ?\\d+|CM_[A-Z0-9_]+|Port ?\\d+|[XY]\\d?:-?\\d*)$"));
    if (named.match(text).hasMatch())
        return true;
    // Keep this list short: each entry is a word the language really uses.
    static const QStringList sameWords{
        QStringLiteral("OK"),                         // French, German, Italian
        QStringLiteral("ZOOM"),                       // French, German, Italian
        QStringLiteral("PORT:"),                      // German
        QStringLiteral("(mm)"),                       // the unit's symbol
        QStringLiteral("Copyright (C) 2004 Norvale"), // the maker's notice
    };
    return sameWords.contains(text);
}

class DialogTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        log.Install(prompts);
        CEditImgDoc project;
        for (int x = 0; x < 3; ++x)
            project.lamps.emplace_back(x, 0, x, 0, 1, 1);
        CModeItem mode;
        mode.type = "CM_LEFTTORIGHT_GC";
        mode.name = "7"; // the user's name, shown as entered
        project.modes = {mode};
        project.programGroups[0] = {mode};
        document.OpenProject(project);
    }

    // Each dialog built anew in the current language, with its texts.
    std::vector<std::pair<std::string, std::function<QStringList()>>> Dialogs()
    {
        auto texts = [](const QWidget& dialog) { return VisibleTexts(&dialog); };
        return {
            {"About 100", [=] { return texts(CAboutDlg()); }},
            {"coordinates bar 103",
             [=] {
                 CCommandRegistry registry;
                 return texts(CCoordinatesBar(registry));
             }},
            {"Other Value 132", [=] { return texts(COtherValueDlg(nullptr, 40, 5000, 40)); }},
            {"Port Edit 176", [=] { return texts(CPortEditDlg(nullptr, 0)); }},
            {"Insert Position 209", [=] { return texts(CInsertPositionDlg(nullptr, 0)); }},
            {"Circular Area 1332", [=, this] { return texts(CCirAreaDlg(prompts)); }},
            {"Program Group 107",
             [=, this] {
                 CModeGrpDlg dialog(document, prompts);
                 QStringList shown = texts(dialog);
                 const std::unique_ptr<QMenu> menu = dialog.Page()->MakeContextMenu();
                 for (const QAction* action : menu->actions())
                     shown << action->text();
                 return shown;
             }},
            {"Scene editor 1373", [=, this] { return texts(CSceneEditDlg(document, prompts)); }},
            {"Color List 1374",
             [=, this] {
                 return texts(CColorListDlg({255, 0, 0}, prompts));
             }},
            {"File New type list",
             [=] {
                 return texts(*MakeTypeChooser(nullptr, {QStringLiteral("Edit"), QStringLiteral("Text")}));
             }},
        };
    }

    CPrompts prompts;
    CPromptLog log;
    CLayoutDocument document;
};

TEST_F(DialogTexts, EveryDialogShowsEveryTextInEachLanguage)
{
    const fs::path folder = fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage";
    auto dialogs = Dialogs();
    std::vector<QStringList> english;
    CLangText::SetLanguageFilePath(folder / "English.ini");
    for (auto& [name, build] : dialogs)
        english.push_back(build());

    for (const LanguageInfo& language : kLanguages) {
        if (std::string(language.fileName) == "English.ini")
            continue;
        CLangText::SetLanguageFilePath(folder / language.fileName);
        for (std::size_t d = 0; d < dialogs.size(); ++d) {
            const QStringList shown = dialogs[d].second();
            const QStringList& base = english[d];
            ASSERT_EQ(shown.size(), base.size()) << dialogs[d].first << " in " << language.fileName;
            for (qsizetype i = 0; i < base.size(); ++i) {
                if (base[i].isEmpty())
                    continue; // an icon or an untitled frame
                const std::string where =
                    dialogs[d].first + " in " + language.fileName + ": \"" + base[i].toStdString() + "\"";
                EXPECT_FALSE(shown[i].isEmpty()) << where << " is empty";
                if (shown[i] == base[i]) {
                    EXPECT_TRUE(MayEqualEnglish(base[i])) << where << " is still English";
                }
            }
        }
    }
}

// The test above must see what a dialog shows, or it proves nothing.
TEST_F(DialogTexts, SeesEveryKindOfText)
{
    CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "English.ini");
    const QStringList scene = VisibleTexts(std::make_unique<CSceneEditDlg>(document, prompts).get());
    for (const char* text :
         {"Edit Scene", "Scene16", "Effect", "MiddleToSide", "COM 29", "Download", "Color..."})
        EXPECT_TRUE(scene.contains(QString::fromLatin1(text))) << text;
    CModeGrpEdt groups(document, prompts);
    const QStringList tree = VisibleTexts(&groups);
    for (const char* line : {"^Program Group31$", "^Exist Mode$", "^Interval:\\d+$", "^X1:\\d+$"})
        EXPECT_FALSE(tree.filter(QRegularExpression(QString::fromLatin1(line))).isEmpty()) << line;
    EXPECT_TRUE(
        VisibleTexts(std::make_unique<CPortEditDlg>(nullptr, 0).get()).contains(QStringLiteral("Cancel")));

    EXPECT_TRUE(MayEqualEnglish(QStringLiteral("Port10")));
    EXPECT_TRUE(MayEqualEnglish(QStringLiteral("19200")));
    EXPECT_TRUE(MayEqualEnglish(QStringLiteral("CM_KERNELBD")));
    EXPECT_FALSE(MayEqualEnglish(QStringLiteral("Cancel")));
    EXPECT_FALSE(MayEqualEnglish(QStringLiteral("Scene1")));
}

} // namespace
} // namespace lumaro::gui::test
