#include "core/app/IniFile.h"

#include "core/app/TextUtil.h"

#include <vector>

namespace lumaro {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Line {
    std::size_t begin; // offset of the first byte
    std::size_t end;   // offset past the last byte before the line break
    std::size_t next;  // offset of the next line
};

std::vector<Line> SplitLines(std::string_view text, std::size_t from)
{
    std::vector<Line> lines;
    std::size_t pos = from;
    while (pos < text.size()) {
        const std::size_t nl = text.find('\n', pos);
        const std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        std::size_t end = nl == std::string_view::npos ? text.size() : nl;
        if (end > pos && text[end - 1] == '\r')
            --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

std::size_t BodyStart(std::string_view text)
{
    return text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
}

// "[name]" gives name; anything else gives nothing.
std::optional<std::string_view> SectionName(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyValue{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

std::string Unquote(std::string_view v)
{
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// Where a section's lines lie: the header line index and one past the last.
struct SectionSpan {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view text,
                                       std::string_view section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (!name || !EqualsNoCase(*name, section))
            continue;
        std::size_t j = i + 1;
        while (j < lines.size() && !SectionName(text.substr(lines[j].begin, lines[j].end - lines[j].begin)))
            ++j;
        return SectionSpan{i, j};
    }
    return std::nullopt;
}

std::string_view LineText(std::string_view text, const Line& l)
{
    return text.substr(l.begin, l.end - l.begin);
}

std::optional<std::size_t> FindKeyLine(const std::vector<Line>& lines, std::string_view text,
                                       const SectionSpan& span, std::string_view key)
{
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto kv = SplitKeyValue(LineText(text, lines[i]));
        if (kv && EqualsNoCase(kv->key, key))
            return i;
    }
    return std::nullopt;
}

std::string_view LineBreakOf(std::string_view text)
{
    const std::size_t nl = text.find('\n');
    if (nl != std::string_view::npos)
        return nl > 0 && text[nl - 1] == '\r' ? "\r\n" : "\n";
#ifdef _WIN32
    return "\r\n";
#else
    return "\n";
#endif
}

} // namespace

std::optional<std::string> CIniFile::Find(std::string_view text, std::string_view section,
                                          std::string_view key)
{
    const auto lines = SplitLines(text, BodyStart(text));
    const auto span = FindSection(lines, text, section);
    if (!span)
        return std::nullopt;
    const auto at = FindKeyLine(lines, text, *span, key);
    if (!at)
        return std::nullopt;
    return Unquote(SplitKeyValue(LineText(text, lines[*at]))->value);
}

std::optional<std::string> CIniFile::Read(const fs::path& file, std::string_view section,
                                          std::string_view key)
{
    auto bytes = ReadFileBytes(file);
    if (!bytes)
        return std::nullopt;
    return Find(bytes.value(), section, key);
}

std::string CIniFile::ReadString(const fs::path& file, std::string_view section, std::string_view key,
                                 std::string_view defaultValue)
{
    auto v = Read(file, section, key);
    return v ? std::move(*v) : std::string(defaultValue);
}

std::string CIniFile::WithValue(std::string_view text, std::string_view section, std::string_view key,
                                std::string_view value)
{
    const auto lines = SplitLines(text, BodyStart(text));
    const std::string_view br = LineBreakOf(text);
    const std::string entry = std::string(key) + "=" + std::string(value);

    const auto span = FindSection(lines, text, section);
    if (!span) {
        std::string out(text);
        if (!out.empty() && out.back() != '\n')
            out += br;
        out += "[" + std::string(section) + "]";
        out += br;
        out += entry;
        out += br;
        return out;
    }

    if (const auto at = FindKeyLine(lines, text, *span, key)) {
        // Keep the file's spelling of the key and everything around the line.
        const Line& l = lines[*at];
        const std::string_view old = LineText(text, l);
        const std::size_t eq = old.find('=');
        std::string out(text.substr(0, l.begin));
        out += old.substr(0, eq + 1);
        out += value;
        out += text.substr(l.end);
        return out;
    }

    // After the section's last non-blank line, so blank separators stay last.
    std::size_t last = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i)
        if (!TrimBlanks(LineText(text, lines[i])).empty())
            last = i;
    const Line& l = lines[last];
    std::string out(text.substr(0, l.next));
    // The file's last line may end without a line feed, or in a carriage
    // return alone, which does not end a line either.
    if (text[l.next - 1] != '\n')
        out += br;
    out += entry;
    out += br;
    out += text.substr(l.next);
    return out;
}

Status CIniFile::Write(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view value)
{
    std::string text;
    std::error_code ec;
    if (fs::exists(file, ec)) {
        auto bytes = ReadFileBytes(file);
        if (!bytes)
            return bytes.status();
        text = std::move(bytes.value());
    }
    return WriteFileAtomic(file, WithValue(text, section, key, value));
}

} // namespace lumaro
