#include "core/effects/ColourData.h"

#include <cmath>
#include <cstdio>

namespace lumaro {

namespace {

// Each line keeps its own ending, so a change to one group leaves every
// other line byte for byte, whatever mixture of line breaks the file has.
struct Lines {
    std::vector<std::string> lines;
    std::vector<std::string> ends;  // "\r\n", "\n", or what ends a last line without a line feed
    std::string lineBreak = "\r\n"; // the file's first, for lines added
};

Lines SplitLines(std::string_view text)
{
    Lines out;
    if (const std::size_t first = text.find('\n'); first != std::string_view::npos)
        out.lineBreak = first > 0 && text[first - 1] == '\r' ? "\r\n" : "\n";
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t nl = text.find('\n', pos);
        const std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        std::size_t stop = nl == std::string_view::npos ? text.size() : nl;
        if (stop > pos && text[stop - 1] == '\r')
            --stop;
        out.lines.emplace_back(text.substr(pos, stop - pos));
        out.ends.emplace_back(text.substr(stop, next - stop));
        pos = next;
    }
    return out;
}

std::string JoinLines(const Lines& l)
{
    std::string text;
    for (std::size_t i = 0; i < l.lines.size(); ++i)
        text += l.lines[i] + l.ends[i];
    return text;
}

// Decimal value of a field, skipping leading blanks, as the C library reads it.
std::uint32_t FieldValue(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+'))
        negative = field[i++] == '-';
    std::uint32_t v = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        v = v * 10 + static_cast<std::uint32_t>(field[i] - '0');
    return negative ? 0u - v : v;
}

} // namespace

std::string CColourData::FormatColour(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%4dR%4dG%4dB", static_cast<int>(r), static_cast<int>(g),
                  static_cast<int>(b));
    return buf;
}

UIntArray CColourData::ParseDisplayLine(std::string_view line)
{
    auto field = [&](std::size_t from) { return from < line.size() ? FieldValue(line.substr(from, 3)) : 0u; };
    return {field(1), field(6), field(11)};
}

std::string CColourData::Fields(const UIntArray& values)
{
    std::string text;
    char buf[16];
    for (std::uint32_t v : values) {
        std::snprintf(buf, sizeof buf, "%3u", v);
        text += buf;
    }
    return text;
}

UIntArray CColourData::ParseFields(std::string_view text)
{
    UIntArray values;
    for (std::size_t i = 0; i + 3 <= text.size(); i += 3)
        values.push_back(FieldValue(text.substr(i, 3)));
    return values;
}

UIntArray CColourData::GroupColours(std::string_view text, int group)
{
    const Lines l = SplitLines(text);
    const std::size_t at = static_cast<std::size_t>(group) + 1;
    if (group < 0 || at >= l.lines.size())
        return {};
    const std::string& line = l.lines[at];
    const std::size_t close = line.find(']');
    if (close == std::string::npos)
        return {};
    return ParseFields(std::string_view(line).substr(close + 1));
}

std::vector<std::string> CColourData::GroupNames(std::string_view text)
{
    std::vector<std::string> names;
    const Lines l = SplitLines(text);
    for (std::size_t i = kNumberedGroups + 1; i < l.lines.size(); ++i) {
        const std::string& line = l.lines[i];
        if (line.find("Section") != std::string::npos)
            break;
        const std::size_t open = line.find('['), close = line.find(']');
        if (open != std::string::npos && close != std::string::npos && open < close)
            names.push_back(line.substr(open + 1, close - open - 1));
        else
            names.emplace_back();
    }
    return names;
}

Result<std::string> CColourData::WithColorData(std::string_view text, int group, Operation op,
                                               std::string_view fieldText, std::string_view name)
{
    Lines l = SplitLines(text);
    const std::size_t at = static_cast<std::size_t>(group) + 1;
    switch (op) {
    case AppendColours:
    case ClearGroup: {
        if (group < 0 || at >= l.lines.size())
            return Status::Fail(kCannotWriteKey, "no line for colour group " + std::to_string(group));
        std::string& line = l.lines[at];
        if (op == AppendColours) {
            line += fieldText;
        } else if (const std::size_t close = line.find(']'); close != std::string::npos) {
            line.erase(close + 1);
        }
        break;
    }
    case AddNamedGroup: {
        // After the last named group: before the closing "Section" line, or at the end.
        std::size_t insertAt = l.lines.size();
        for (std::size_t i = kNumberedGroups + 1; i < l.lines.size(); ++i)
            if (l.lines[i].find("Section") != std::string::npos) {
                insertAt = i;
                break;
            }
        // A last line that ended without a line feed gets one before the new line.
        if (insertAt == l.lines.size() && insertAt > 0 && !l.ends.back().ends_with('\n'))
            l.ends.back() = l.lineBreak;
        l.lines.insert(l.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                       "     [" + std::string(name) + "]" + std::string(fieldText));
        l.ends.insert(l.ends.begin() + static_cast<std::ptrdiff_t>(insertAt), l.lineBreak);
        break;
    }
    }
    return JoinLines(l);
}

Result<UIntArray> CColourData::GetColorData(const fs::path& file, int group)
{
    auto bytes = ReadFileBytes(FindPathNoCase(file));
    if (!bytes)
        return Status::Fail(kCannotReadKey, bytes.status().detail);
    return GroupColours(bytes.value(), group);
}

Status CColourData::SaveColorData(const fs::path& file, int group, Operation op, std::string_view fieldText,
                                  std::string_view name)
{
    const fs::path path = FindPathNoCase(file);
    auto bytes = ReadFileBytes(path);
    if (!bytes)
        return Status::Fail(kCannotWriteKey, bytes.status().detail);
    auto text = WithColorData(bytes.value(), group, op, fieldText, name);
    if (!text)
        return Status::Fail(kCannotWriteKey, path.string() + ": " + text.status().detail);
    const Status s = WriteFileAtomic(path, text.value());
    return s ? s : Status::Fail(kCannotWriteKey, s.detail);
}

std::vector<std::string> CColourData::GetColorGroupNames(const fs::path& file)
{
    auto bytes = ReadFileBytes(FindPathNoCase(file));
    return bytes ? GroupNames(bytes.value()) : std::vector<std::string>{};
}

std::vector<std::string> CColourData::NumberedGroupItems()
{
    std::vector<std::string> items;
    for (int g = 0; g < kNumberedGroups; ++g)
        items.push_back("ColorGroup:" + std::to_string(g));
    return items;
}

std::string CColourData::ProposedGroupName(const std::vector<std::string>& listItems)
{
    int n = 0;
    for (const auto& item : listItems)
        if (item.compare(0, 10, "ColorGroup") == 0)
            ++n;
    return "ColorGroup:" + std::to_string(n);
}

UIntArray CColourData::MakeGradient(const std::uint32_t start[3], const std::uint32_t end[3], int count,
                                    Curve curve)
{
    UIntArray values;
    if (count <= 0)
        return values;
    if (count == 1)
        return {start[0], start[1], start[2]};
    values.reserve(static_cast<std::size_t>(count) * 3);
    for (int i = 0; i < count; ++i) {
        const double a = i * 1.5707963 / (count - 1);
        // The curve ends on the end colour: at the last step f is exactly 1,
        // which the rounded quarter turn above just misses.
        const double f = i == count - 1 ? 1.0 : curve == Curve::Sine ? std::sin(a) : 1.0 - std::cos(a);
        for (int c = 0; c < 3; ++c) {
            const double v = static_cast<double>(start[c]) + (static_cast<double>(end[c]) - start[c]) * f;
            values.push_back(static_cast<std::uint32_t>(static_cast<std::int64_t>(v)));
        }
    }
    return values;
}

} // namespace lumaro
