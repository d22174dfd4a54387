#pragma once

#include "core/app/Status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumaro {

namespace fs = std::filesystem;

// The language text service's process-wide state: where the settings file is,
// which language file every look-up reads, and the language name chosen at
// start-up (kept only for the Language menu's check marks). Start-up sets it;
// the language switch changes it.
class CLangText {
public:
    static constexpr std::size_t kTextBufferChars = 999;     // 1000-character buffer
    static constexpr std::size_t kLanguageBufferChars = 259; // 260-character buffer
    static constexpr const char* kSection = "String";

    static void SetSettingsPath(fs::path p);
    static const fs::path& SettingsPath();
    static void SetLanguageFilePath(fs::path p);
    static const fs::path& LanguageFilePath();
    static void SetStartupLanguageName(std::string name);
    static const std::string& StartupLanguageName();

    // The text of key in section "String" of file: empty when the file or the
    // key is missing, cut to 999 characters, backslash-n made a line feed.
    static std::string Lookup(const fs::path& file, std::string_view key);
    // The same without the line-feed conversion, as dialogs are relabelled.
    static std::string LookupRaw(const fs::path& file, std::string_view key);

    // Section "Setting", key "Language" of the settings file, default
    // "English", as start-up reads it, with ".ini" appended.
    static std::string ReadLanguageFileName(const fs::path& settingsFile);

    // install folder + "Mullanguage" + file name.
    static fs::path LanguageFileIn(const fs::path& installFolder, std::string_view fileName);
};

// Looks key up in the current language file.
std::string GetLangText(std::string_view key);
// Looks key up without line-feed conversion (dialog relabelling).
std::string GetLangTextRaw(std::string_view key);
// The message of a failure: its key's text with its arguments in place of %1, %2, ...
std::string GetLangText(const Status& failure);

} // namespace lumaro
