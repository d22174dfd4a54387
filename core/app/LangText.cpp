#include "core/app/LangText.h"

#include "core/app/FileSystem.h"
#include "core/app/IniFile.h"
#include "core/app/TextUtil.h"

namespace lumaro {

namespace {

struct LanguageState {
    fs::path settingsPath;
    fs::path languageFilePath;
    std::string startupLanguageName;
};

LanguageState& State()
{
    static LanguageState state;
    return state;
}

} // namespace

void CLangText::SetSettingsPath(fs::path p)
{
    State().settingsPath = std::move(p);
}
const fs::path& CLangText::SettingsPath()
{
    return State().settingsPath;
}
void CLangText::SetLanguageFilePath(fs::path p)
{
    State().languageFilePath = std::move(p);
}
const fs::path& CLangText::LanguageFilePath()
{
    return State().languageFilePath;
}
void CLangText::SetStartupLanguageName(std::string name)
{
    State().startupLanguageName = std::move(name);
}
const std::string& CLangText::StartupLanguageName()
{
    return State().startupLanguageName;
}

std::string CLangText::LookupRaw(const fs::path& file, std::string_view key)
{
    if (file.empty())
        return {};
    const auto value = CIniFile::Read(FindPathNoCase(file), kSection, key);
    return value ? Utf8Truncate(*value, kTextBufferChars) : std::string();
}

std::string CLangText::Lookup(const fs::path& file, std::string_view key)
{
    return ExpandNewlineEscapes(LookupRaw(file, key));
}

std::string CLangText::ReadLanguageFileName(const fs::path& settingsFile)
{
    const std::string name =
        CIniFile::ReadString(FindPathNoCase(settingsFile), "Setting", "Language", "English");
    return Utf8Truncate(name, kLanguageBufferChars) + ".ini";
}

fs::path CLangText::LanguageFileIn(const fs::path& installFolder, std::string_view fileName)
{
    return installFolder / "Mullanguage" / fs::path(std::string(fileName));
}

std::string GetLangText(std::string_view key)
{
    return CLangText::Lookup(CLangText::LanguageFilePath(), key);
}

std::string GetLangTextRaw(std::string_view key)
{
    return CLangText::LookupRaw(CLangText::LanguageFilePath(), key);
}

std::string GetLangText(const Status& failure)
{
    return FillPlaceholders(GetLangText(failure.key), failure.args);
}

} // namespace lumaro
