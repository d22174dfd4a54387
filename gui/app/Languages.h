#pragma once

#include <array>

namespace lumaro::gui {

// The six languages, in the order in which start-up records which language
// files exist. check is the index of the language's check flag in the main
// frame (English first there). qtLocale names Qt's own translation of the
// language; English, Qt's own language, has none.
struct LanguageInfo {
    int commandId;
    const char* settingsValue;
    const char* fileName;
    int check;
    const char* qtLocale;
};

inline constexpr std::array<LanguageInfo, 6> kLanguages{{
    {32917, "Chinese", "Chinese.ini", 1, "zh_CN"},
    {32918, "CTChinese", "CTChinese.ini", 2, "zh_TW"},
    {32916, "English", "English.ini", 0, ""},
    {31759, "French", "French.ini", 3, "fr"},
    {31761, "German", "German.ini", 4, "de"},
    {31762, "Italy", "Italy.ini", 5, "it"},
}};

// Index into kLanguages of the language of commandId, or -1.
constexpr int LanguageIndexOf(int commandId)
{
    for (int i = 0; i < static_cast<int>(kLanguages.size()); ++i) {
        if (kLanguages[i].commandId == commandId)
            return i;
    }
    return -1;
}

} // namespace lumaro::gui
