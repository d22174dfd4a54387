#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/ModeItem.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// Colour groups: named, reusable colour lists kept in the text file
// "ColorData.sav" of the install folder and shared by every project. Line 0
// is a header; line g + 1 holds group g as a label ending in "]" followed by
// three-character decimal fields, three per colour. Groups 0 to 49 always
// exist; user-named groups follow, up to the first line past them that
// contains "Section".
class CColourData {
public:
    static constexpr int kNumberedGroups = 50;
    static constexpr const char* kCannotReadKey = "MYFUNCTION_GETCOLORDATE_CGD";
    static constexpr const char* kCannotWriteKey = "MYFUNCTION_SAVECOLORDATE_TDFM";

    enum Operation { AppendColours = 0, ClearGroup = 1, AddNamedGroup = 2 };
    enum class Curve { Sine, Cosine };

    // "%4dR%4dG%4dB"
    static std::string FormatColour(std::uint32_t r, std::uint32_t g, std::uint32_t b);
    // The colours of a display line: red from characters 2-4, green 7-9 and
    // blue 12-14 (counted from 1), as decimal numbers.
    static UIntArray ParseDisplayLine(std::string_view line);
    // The file's field text of a colour list: each value right-aligned in three characters.
    static std::string Fields(const UIntArray& values);
    // Values of a field text; a trailing fragment shorter than a field is ignored.
    static UIntArray ParseFields(std::string_view text);

    // Group g's colours; a missing line gives an empty list, a missing file
    // a failure to report.
    static Result<UIntArray> GetColorData(const fs::path& file, int group);
    // Changes one group (or adds a named one) and replaces the file whole.
    static Status SaveColorData(const fs::path& file, int group, Operation op, std::string_view fieldText,
                                std::string_view name = {});
    // Names of the user-named groups, in file order; none for a missing file.
    static std::vector<std::string> GetColorGroupNames(const fs::path& file);

    // The same over the file's text already in memory.
    static UIntArray GroupColours(std::string_view text, int group);
    static std::vector<std::string> GroupNames(std::string_view text);
    // The text SaveColorData stores for a file that holds text.
    static Result<std::string> WithColorData(std::string_view text, int group, Operation op,
                                             std::string_view fieldText, std::string_view name = {});
    // "ColorGroup:0" to "ColorGroup:49": the numbered part of the group list.
    static std::vector<std::string> NumberedGroupItems();
    // "ColorGroup:" + the number of entries whose first ten characters are "ColorGroup".
    static std::string ProposedGroupName(const std::vector<std::string>& listItems);

    // count colours from start to end along a quarter sine (fast first) or
    // one minus a quarter cosine (slow first); one colour is the start alone.
    static UIntArray MakeGradient(const std::uint32_t start[3], const std::uint32_t end[3], int count,
                                  Curve curve);
};

} // namespace lumaro
