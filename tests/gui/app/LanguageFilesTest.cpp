#include "GuiTestSupport.h"

#include "core/app/IniFile.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"

#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

const fs::path kFolder = fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage";
const char* const kFiles[] = {"English.ini", "Chinese.ini", "CTChinese.ini",
                              "French.ini",  "German.ini",  "Italy.ini"};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> KeysOf(const fs::path& path)
{
    std::set<std::string> keys;
    std::istringstream in(ReadAll(path));
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq != std::string::npos && line[0] != '[' && line[0] != ';') {
            EXPECT_TRUE(keys.insert(line.substr(0, eq)).second)
                << path.filename().string() << " lists " << line.substr(0, eq) << " twice";
        }
    }
    return keys;
}

// Key-shaped string literals of the program's sources: menu and dialog
// keys, and message keys named class_handler_initials (catalogue type
// names "CM_..." and XDG variables have that shape too, but are no keys).
std::set<std::string> KeysInSources()
{
    std::set<std::string> keys;
    static const QRegularExpression literal(
        QStringLiteral("\"((?:ID_|IDD\\d|FRAMEWORK_|MAINFRM_|HELP_PATH|WHATNEW_PATH)[A-Za-z0-9_]*|"
                       "(?!CM_|XDG_)[A-Z][A-Z0-9]+_[A-Z0-9]+_[A-Z0-9_]+)\""));
    for (const char* dir : {"gui", "core"}) {
        QDirIterator it(QString::fromLatin1(LUMARO_SOURCE_DIR) + QLatin1Char('/') + QLatin1String(dir),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (const auto& match : literal.globalMatch(text))
                keys.insert(match.captured(1).toStdString());
        }
    }
    return keys;
}

// Keys formed from the ids of a dialog's labelled controls (the value
// fields are filled by the program).
void AddDialogKeys(QWidget* dialog, int dialogId, std::set<std::string>& keys)
{
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(child))
            continue;
        if (auto id = ControlIdOf(child))
            keys.insert("IDD" + std::to_string(dialogId) + "_" + std::to_string(*id));
    }
}

TEST(LanguageFiles, AllSixCarryTheSameKeys)
{
    const std::set<std::string> english = KeysOf(kFolder / "English.ini");
    ASSERT_FALSE(english.empty());
    for (const char* name : kFiles) {
        std::set<std::string> keys = KeysOf(kFolder / name);
        std::vector<std::string> missing, extra;
        std::set_difference(english.begin(), english.end(), keys.begin(), keys.end(),
                            std::back_inserter(missing));
        std::set_difference(keys.begin(), keys.end(), english.begin(), english.end(),
                            std::back_inserter(extra));
        EXPECT_TRUE(missing.empty()) << name << " lacks " << (missing.empty() ? "" : missing.front());
        EXPECT_TRUE(extra.empty()) << name << " has extra " << (extra.empty() ? "" : extra.front());
    }
}

TEST(LanguageFiles, EveryValueIsFilledAndValidUtf8)
{
    for (const char* name : kFiles) {
        const QByteArray text = QByteArray::fromStdString(ReadAll(kFolder / name));
        EXPECT_EQ(QString::fromUtf8(text).toUtf8(), text) << name;
        for (const std::string& key : KeysOf(kFolder / name)) {
            auto value = CIniFile::Read(kFolder / name, "String", key);
            ASSERT_TRUE(value.has_value()) << name << " " << key;
            EXPECT_FALSE(value->empty()) << name << " " << key;
        }
    }
}

TEST(LanguageFiles, EveryKeyTheShellAsksForIsInEnglish)
{
    std::set<std::string> used = KeysInSources();
    CCommandRegistry registry;
    CCoordinatesBar bar(registry);
    AddDialogKeys(&bar, CCoordinatesBar::kDialogId, used);
    CAboutDlg about;
    AddDialogKeys(&about, CAboutDlg::kDialogId, used);
    used.insert("IDD100_Title");
    ASSERT_GT(used.size(), 100u);

    // The download dialogs speak fixed English texts; the catalogue's
    // descriptions and the demo's program groups are the prefix with a number.
    std::erase_if(used, [](const std::string& key) {
        return key.starts_with("HEXDOWNLOADDLG_") || key == "ID_MSG_PAGE3_MODE_INFO" || key == "ID_PRG_";
    });
    const std::set<std::string> english = KeysOf(kFolder / "English.ini");
    for (const std::string& key : used)
        EXPECT_TRUE(english.count(key)) << key << " is used but not in English.ini";
}

TEST(LanguageFiles, TranslationsAreNotCopiesOfEnglish)
{
    // A file that only copies English would pass the key checks.
    for (const char* name : {"Chinese.ini", "CTChinese.ini", "French.ini", "German.ini", "Italy.ini"}) {
        EXPECT_NE(CIniFile::Read(kFolder / name, "String", "ID_FILE_SAVE_AS"),
                  CIniFile::Read(kFolder / "English.ini", "String", "ID_FILE_SAVE_AS"))
            << name;
    }
}

} // namespace
} // namespace lumaro::gui::test
