#include "core/firmware/FirmwareData.h"
#include "core/firmware/ControllerLimits.h"

#include "core/app/TextUtil.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <vector>

// What "CData.h" holds, in order, each line ending in CR LF:
//
//   #include <DatTyp1.h>            (format 1; formats 2 and 3: DatTyp2.h)
//   #define TOTLMPCNT\t N           lamps on all twelve ports
//   #define PTNCNTi\t\t R           rows of program group i - 1, i = 1..32
//   code unsigned int Portp[5]={0,A,B,S,C};   p = 0..5
//   CSTn, CSTGn, CLRGRPn tables     n = table index + 1
//   code PTN ShowPtni[R]={...};     i = 1..32
//
// Port lines. Line p describes the pair of controller ports 2p+1 and 2p+2,
// which the firmware shifts out side by side:
//   0   reserved, the firmware's running step; always 0
//   A   lamps on the first port of the pair
//   B   lamps on the second port
//   S   lamps on all ports before the pair (running total), the index of the
//       first port's first lamp when the lamps are laid out port after port;
//       the second port's lamps start at S + A
//   C   pair code: 0 both chains equally long and not empty, 1 the first is
//       shorter, 2 the second is shorter, 3 both empty
// The firmware headers read the port lines by this layout.
//
// Empty lists. A mode whose area holds no lamp compiles to an empty lamp
// sequence or band list (and a mode without colours to an empty colour
// list). Only lists with values get a table, but a pattern element or band
// member still names the empty one; each empty list that is named is
// declared as a one-element table the firmware reads as empty, its count in
// the naming element being 0:
//   code unsigned int CSTn[1]={0xFFFF};   the end value alone
//   code CSTG CSTGn[1]={{0,0}};           no lamp sequence, null table
//   code RGB CLRGRPn[1]={{0,0,0}};        black
//
// Program groups. A group whose rows are all of types 253 to 255 (regroup,
// empty mode, regress) has rows but no element; it gets the element of an
// empty group, type 99, which the firmware skips, since C forbids an empty
// initialiser.

namespace lumaro {

namespace {

constexpr std::size_t kPatternCount = controller::kProgramGroups;
constexpr int kPortCount = controller::kPortCount;
constexpr std::size_t kLampSequenceArrays = controller::kLampSequenceArrays;
constexpr std::size_t kBandListArrays = controller::kBandLists;
constexpr std::size_t kColourListArrays = controller::kColourLists;
constexpr std::string_view kEmptyGroupElement = "{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}";

// Damage found while reading; caught in CFirmwareData::Text.
struct Damaged {
    std::string detail;
    const char* key = CFirmwareData::kDamagedInputKey;
};

[[noreturn]] void Fail(std::string_view file, std::size_t line, const std::string& what)
{
    throw Damaged{std::string(file) + " line " + std::to_string(line) + ": " + what};
}

// A short, printable excerpt of a damaged piece of text.
std::string Excerpt(std::string_view s)
{
    constexpr std::size_t kMax = 40;
    std::string out = Utf8Truncate(s.substr(0, 4 * kMax), kMax);
    const bool cut = out.size() < s.size();
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    if (cut)
        out += "...";
    return "\"" + out + "\"";
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsEndValue(std::string_view s)
{
    return s.size() == 6 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && EqualsNoCase(s.substr(2), "ffff");
}

// A decimal number as the writers put it: optional minus, digits.
std::int64_t ParseNumber(std::string_view token, std::string_view file, std::size_t line, std::int64_t min,
                         std::int64_t max)
{
    std::int64_t v = 0;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, v);
    if (token.empty() || ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range))
        Fail(file, line, "not a number: " + Excerpt(token));
    if (ec == std::errc::result_out_of_range || v < min || v > max)
        Fail(file, line, "number out of range: " + Excerpt(token));
    return v;
}

void CheckLineLengths(std::string_view text, std::string_view file)
{
    std::size_t line = 1, start = 0;
    for (;;) {
        const std::size_t nl = text.find('\n', start);
        const std::size_t length = (nl == std::string_view::npos ? text.size() : nl) - start;
        if (length > CFirmwareData::kMaxLineLength)
            Fail(file, line,
                 "line of " + std::to_string(length) + " bytes, longer than " +
                     std::to_string(CFirmwareData::kMaxLineLength));
        if (nl == std::string_view::npos)
            return;
        start = nl + 1;
        ++line;
    }
}

// "code unsigned int NAME[] = " (blanks free) before the "{" of an array.
std::string_view ArrayName(std::string_view header, std::string_view file, std::size_t line)
{
    std::string_view s = Trim(header);
    auto eat = [&](std::string_view word) {
        if (!s.starts_with(word))
            return false;
        s = Trim(s.substr(word.size()));
        return true;
    };
    if (eat("code") && eat("unsigned") && eat("int")) {
        std::size_t n = 0;
        while (n < s.size() && IsNameChar(s[n]))
            ++n;
        const std::string_view name = s.substr(0, n);
        s = Trim(s.substr(n));
        if (!name.empty() && eat("[") && eat("]") && eat("=") && s.empty())
            return name;
    }
    Fail(file, line, "expected an array declaration, found " + Excerpt(Trim(header)));
}

// The index n of an array named prefix + n, or nothing for another name.
std::optional<std::size_t> IndexOf(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    std::size_t v = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() ||
        std::to_string(v) != digits)
        return std::nullopt;
    return v;
}

// One "{ v, v, ..., 0xFFFF }" array of the port table or the group tables.
struct ArrayText {
    std::string_view name;
    std::size_t line = 0; // of the header
    std::vector<std::uint32_t> values;
};

// Reads the arrays of a C source as the generators write them; line breaks
// inside an array carry no meaning.
class ArrayScanner {
public:
    ArrayScanner(std::string_view text, std::string_view file) : m_text(text), m_file(file) {}

    std::optional<ArrayText> Next()
    {
        SkipBlanks();
        if (m_pos == m_text.size())
            return std::nullopt;
        ArrayText a;
        a.line = m_line;
        const std::size_t brace = m_text.find_first_of("{\n", m_pos);
        if (brace == std::string_view::npos || m_text[brace] != '{')
            Fail(m_file, m_line,
                 "expected an array declaration, found " + Excerpt(Trim(m_text.substr(m_pos, 64))));
        a.name = ArrayName(m_text.substr(m_pos, brace - m_pos), m_file, m_line);
        m_pos = brace + 1;
        for (;;) {
            SkipBlanks();
            const std::size_t tokenLine = m_line;
            // A plain loop: find_first_of runs a memchr for every character.
            std::size_t end = m_pos;
            while (end < m_text.size() && m_text[end] != ',' && m_text[end] != '}')
                ++end;
            if (end == m_text.size())
                Fail(m_file, a.line, "array " + std::string(a.name) + " is not closed; the file ends first");
            const std::string_view raw = m_text.substr(m_pos, end - m_pos);
            const std::string_view token = Trim(raw);
            m_line += static_cast<std::size_t>(std::count(raw.begin(), raw.end(), '\n'));
            m_pos = end + 1;
            if (m_text[end] == '}') {
                if (!IsEndValue(token))
                    Fail(m_file, tokenLine,
                         "array " + std::string(a.name) + " does not end with 0xFFFF: " + Excerpt(token));
                break;
            }
            if (token.empty())
                Fail(m_file, tokenLine, "empty value in array " + std::string(a.name));
            a.values.push_back(static_cast<std::uint32_t>(
                ParseNumber(token, m_file, tokenLine, 0, std::numeric_limits<std::uint32_t>::max())));
        }
        SkipBlanks();
        if (m_pos == m_text.size() || m_text[m_pos] != ';')
            Fail(m_file, m_line, "expected \";\" after array " + std::string(a.name));
        ++m_pos;
        return a;
    }

private:
    void SkipBlanks()
    {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) {
            if (m_text[m_pos] == '\n')
                ++m_line;
            ++m_pos;
        }
    }

    std::string_view m_text;
    std::string_view m_file;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
};

// Lamps on each port of "cport.h".
std::array<std::uint64_t, kPortCount> ReadPortCounts(std::string_view text)
{
    const std::string_view file = CFirmwareData::kPortTableFile;
    std::array<std::uint64_t, kPortCount> counts{};
    ArrayScanner scanner(text, file);
    int port = 0;
    std::size_t lastLine = 1;
    while (auto a = scanner.Next()) {
        lastLine = a->line;
        if (port == kPortCount)
            Fail(file, a->line, "more than " + std::to_string(kPortCount) + " port arrays");
        const auto index = IndexOf(a->name, "CPort");
        if (!index || *index != static_cast<std::size_t>(port + 1))
            Fail(file, a->line,
                 "found array " + std::string(a->name) + " where CPort" + std::to_string(port + 1) +
                     " belongs");
        counts[static_cast<std::size_t>(port)] = a->values.size();
        ++port;
    }
    if (port < kPortCount)
        Fail(file, lastLine, "array CPort" + std::to_string(port + 1) + " is missing");
    return counts;
}

// The three lists of "CSTGRP.h", with the header line of each band list.
struct GroupTables {
    std::vector<std::vector<std::uint32_t>> lamps, bands, colours;
    std::vector<std::size_t> bandLines;
};

GroupTables ReadGroupTables(std::string_view text)
{
    const std::string_view file = CFirmwareData::kGroupTablesFile;
    CheckLineLengths(text, file);
    GroupTables t;
    struct Kind {
        std::string_view prefix;
        std::size_t arrays;
        std::vector<std::vector<std::uint32_t>>* into;
        std::size_t lastLine = 1;
    };
    // Each table is written whole, or left out when it was over its limit.
    Kind kinds[] = {{"CstGroup", kLampSequenceArrays, &t.lamps},
                    {"Cst_GroupGroup", kBandListArrays, &t.bands},
                    {"Color_Group", kColourListArrays, &t.colours}};
    ArrayScanner scanner(text, file);
    while (auto a = scanner.Next()) {
        Kind* kind = nullptr;
        std::optional<std::size_t> index;
        for (Kind& k : kinds)
            if ((index = IndexOf(a->name, k.prefix))) {
                kind = &k;
                break;
            }
        if (!kind)
            Fail(file, a->line, "unexpected array " + Excerpt(a->name));
        const std::size_t expected = kind->into->size();
        if (expected == kind->arrays)
            Fail(file, a->line,
                 "more than " + std::to_string(kind->arrays) + ' ' + std::string(kind->prefix) + " arrays");
        if (*index != expected)
            Fail(file, a->line,
                 "found array " + std::string(a->name) + " where " + std::string(kind->prefix) +
                     std::to_string(expected) + " belongs");
        kind->into->push_back(std::move(a->values));
        kind->lastLine = a->line;
        if (kind->into == &t.bands)
            t.bandLines.push_back(a->line);
    }
    for (const Kind& k : kinds)
        if (!k.into->empty() && k.into->size() != k.arrays)
            Fail(file, k.lastLine,
                 "array " + std::string(k.prefix) + std::to_string(k.into->size()) + " is missing");
    return t;
}

struct Row {
    std::size_t line = 0;
    std::vector<std::int64_t> values; // empty: a row the controller skips
};

// Values of a row of each type, as the show-pattern text writes them.
std::optional<std::size_t> RowLength(std::int64_t type)
{
    if (type == 0)
        return 11;
    if (type >= 1 && type <= 6)
        return 6;
    if (type >= 7 && type <= 10)
        return 5;
    if (type == 253 || type == 254)
        return 2;
    if (type == 255)
        return 1;
    return std::nullopt;
}

Row ReadRow(std::string_view line, std::size_t lineNo)
{
    const std::string_view file = CFirmwareData::kShowPatternFile;
    Row row{lineNo, {}};
    std::vector<std::string_view> tokens;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        tokens.push_back(
            Trim(line.substr(start, comma == std::string_view::npos ? line.size() - start : comma - start)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    // Every value is followed by a comma, so the text after the last is blank.
    if (tokens.back().empty())
        tokens.pop_back();
    for (std::string_view token : tokens) {
        if (token.empty())
            Fail(file, lineNo, "empty value in a row");
        row.values.push_back(ParseNumber(token, file, lineNo, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::uint32_t>::max()));
    }
    if (row.values.empty())
        return row;
    const auto length = RowLength(row.values[0]);
    if (!length)
        Fail(file, lineNo, "unknown row type " + std::to_string(row.values[0]));
    if (row.values.size() != *length)
        Fail(file, lineNo,
             "row of type " + std::to_string(row.values[0]) + " holds " + std::to_string(row.values.size()) +
                 " values, not " + std::to_string(*length));
    return row;
}

// The rows of the 32 show patterns. A line holding "{" starts an array, one
// holding "0xFD" is its end marker, one holding "};" closes it; any other
// line of an array is a row.
std::vector<std::vector<Row>> ReadShowPatterns(std::string_view text)
{
    const std::string_view file = CFirmwareData::kShowPatternFile;
    CheckLineLengths(text, file);
    std::vector<std::vector<Row>> patterns;
    bool inside = false;
    std::size_t lineNo = 0, openedAt = 0, start = 0;
    // Only the 32 program groups are read; what follows them is not.
    while (start <= text.size() && !(patterns.size() == kPatternCount && !inside)) {
        const std::size_t nl = text.find('\n', start);
        std::string_view line =
            text.substr(start, nl == std::string_view::npos ? text.size() - start : nl - start);
        start = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        ++lineNo;
        if (line.find('{') != std::string_view::npos) {
            if (inside)
                Fail(file, lineNo,
                     "array ShowPattern" + std::to_string(patterns.size() - 1) + " is not closed");
            const std::size_t brace = line.find('{');
            if (!Trim(line.substr(brace + 1)).empty())
                Fail(file, lineNo, "unexpected text after \"{\": " + Excerpt(Trim(line.substr(brace + 1))));
            const std::string_view name = ArrayName(line.substr(0, brace), file, lineNo);
            const auto index = IndexOf(name, "ShowPattern");
            if (!index || *index != patterns.size())
                Fail(file, lineNo,
                     "found array " + std::string(name) + " where ShowPattern" +
                         std::to_string(patterns.size()) + " belongs");
            patterns.emplace_back();
            inside = true;
            openedAt = lineNo;
        } else if (line.find("0xFD") != std::string_view::npos) {
            if (!inside)
                Fail(file, lineNo, "end marker outside an array");
        } else if (line.find("};") != std::string_view::npos) {
            if (!inside)
                Fail(file, lineNo, "\"};\" outside an array");
            inside = false;
        } else if (inside) {
            patterns.back().push_back(ReadRow(line, lineNo));
        } else if (!Trim(line).empty()) {
            Fail(file, lineNo, "unexpected text " + Excerpt(Trim(line)));
        }
    }
    if (inside)
        Fail(file, openedAt,
             "array ShowPattern" + std::to_string(patterns.size() - 1) +
                 " is not closed; the file ends first");
    if (patterns.size() < kPatternCount)
        Fail(file, lineNo, "array ShowPattern" + std::to_string(patterns.size()) + " is missing");
    return patterns;
}

void AppendNumber(std::string& out, std::uint64_t v)
{
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, end);
}

std::string N(std::int64_t v)
{
    return std::to_string(v);
}

// "CData.h" from what was read; the references of every element are checked
// against the tables before a line is written.
class DataWriter {
public:
    DataWriter(const std::array<std::uint64_t, kPortCount>& ports,
               const std::vector<std::vector<Row>>& patterns, const GroupTables& tables)
        : m_ports(ports), m_patterns(patterns), m_t(tables), m_lampNamed(tables.lamps.size()),
          m_bandNamed(tables.bands.size()), m_colourNamed(tables.colours.size())
    {
    }

    std::string Text(int fileFormat, std::size_t sizeHint)
    {
        m_out.reserve(sizeHint);
        std::vector<std::vector<std::string>> elements;
        for (const auto& rows : m_patterns) {
            elements.emplace_back();
            for (const Row& r : rows)
                if (auto e = Element(r))
                    elements.back().push_back(std::move(*e));
        }
        for (std::size_t k = 0; k < m_t.bands.size(); ++k)
            for (std::uint32_t m : m_t.bands[k])
                if (m >= m_t.lamps.size())
                    // Not damage as a rule: a group list of a custom mode that names a lamp
                    // group which is gone. Creating the data again would not help.
                    throw Damaged{std::string(CFirmwareData::kGroupTablesFile) + " line " +
                                      std::to_string(m_t.bandLines[k]) + ": band list Cst_GroupGroup" +
                                      std::to_string(k) + " names lamp sequence " + N(m) +
                                      ", the table holds " + std::to_string(m_t.lamps.size()),
                                  CFirmwareData::kUnknownLampSequenceKey};
                else
                    m_lampNamed[m] = true;

        Line(fileFormat == 1 ? "#include <DatTyp1.h>" : "#include <DatTyp2.h>");
        std::uint64_t total = 0;
        for (std::uint64_t n : m_ports)
            total += n;
        Line("#define TOTLMPCNT\t " + std::to_string(total));
        for (std::size_t g = 0; g < m_patterns.size(); ++g)
            Line("#define PTNCNT" + std::to_string(g + 1) + "\t\t " + std::to_string(m_patterns[g].size()));
        PortLines();
        LampSequences();
        BandLists();
        ColourLists();
        for (std::size_t g = 0; g < m_patterns.size(); ++g)
            ShowPattern(g, elements[g]);
        return std::move(m_out);
    }

private:
    void Line(std::string_view s)
    {
        m_out += s;
        m_out += "\r\n";
    }

    void PortLines()
    {
        std::uint64_t before = 0;
        for (int p = 0; p < kPortCount / 2; ++p) {
            const std::uint64_t a = m_ports[static_cast<std::size_t>(2 * p)];
            const std::uint64_t b = m_ports[static_cast<std::size_t>(2 * p + 1)];
            const int code = a == 0 && b == 0 ? 3 : a == b ? 0 : a < b ? 1 : 2;
            Line("code unsigned int Port" + std::to_string(p) + "[5]={0," + std::to_string(a) + ',' +
                 std::to_string(b) + ',' + std::to_string(before) + ',' + std::to_string(code) + "};");
            before += a + b;
        }
    }

    void LampSequences()
    {
        for (std::size_t k = 0; k < m_t.lamps.size(); ++k) {
            const auto& values = m_t.lamps[k];
            const std::string name = "CST" + std::to_string(k + 1);
            if (values.empty()) {
                if (m_lampNamed[k])
                    Line("code unsigned int " + name + "[1]={0xFFFF};");
                continue;
            }
            Line("code unsigned int " + name + "[]={");
            for (std::size_t i = 0; i < values.size(); ++i) {
                AppendNumber(m_out, values[i]);
                m_out += i + 1 < values.size() ? ",\r\n" : "};\r\n";
            }
        }
    }

    void BandLists()
    {
        for (std::size_t k = 0; k < m_t.bands.size(); ++k) {
            const auto& members = m_t.bands[k];
            const std::string name = "CSTG" + std::to_string(k + 1);
            if (members.empty()) {
                if (m_bandNamed[k])
                    Line("code CSTG " + name + "[1]={{0,0}};");
                continue;
            }
            Line("code CSTG " + name + "[]={");
            for (std::size_t i = 0; i < members.size(); ++i) {
                const std::uint32_t m = members[i];
                m_out += '{';
                AppendNumber(m_out, m_t.lamps[m].size());
                m_out += ",CST";
                AppendNumber(m_out, std::uint64_t{m} + 1);
                m_out += i + 1 < members.size() ? "},\r\n" : "}};\r\n";
            }
        }
    }

    void ColourLists()
    {
        for (std::size_t k = 0; k < m_t.colours.size(); ++k) {
            const auto& values = m_t.colours[k];
            const std::string name = "CLRGRP" + std::to_string(k + 1);
            // Only whole red, green, blue triples are colours.
            const std::size_t count = values.size() / 3;
            if (count == 0) {
                if (m_colourNamed[k])
                    Line("code RGB " + name + "[1]={{0,0,0}};");
                continue;
            }
            Line("code RGB " + name + "[]={");
            for (std::size_t c = 0; c < count; ++c) {
                m_out += '{';
                for (std::size_t i = 0; i < 3; ++i) {
                    AppendNumber(m_out, values[3 * c + i]);
                    m_out += i < 2 ? "," : c + 1 < count ? "},\r\n" : "}};\r\n";
                }
            }
        }
        for (std::size_t k = 0; k < m_ramps.size(); ++k)
            Line("code RGB CLRGRP" + std::to_string(m_t.colours.size() + k + 1) + "[]={\r\n" + m_ramps[k]);
    }

    void ShowPattern(std::size_t g, const std::vector<std::string>& elements)
    {
        const std::string head = "code PTN ShowPtn" + std::to_string(g + 1);
        const std::size_t rows = m_patterns[g].size();
        if (rows == 0) {
            Line(head + "[1]={" + std::string(kEmptyGroupElement) + "};");
            return;
        }
        Line(head + "[" + std::to_string(rows) + "]={");
        if (elements.empty()) {
            Line(std::string(kEmptyGroupElement) + "};");
            return;
        }
        for (std::size_t i = 0; i < elements.size(); ++i)
            Line(elements[i] + (i + 1 < elements.size() ? "," : "};"));
    }

    std::size_t Index(std::int64_t v, std::size_t size, std::vector<bool>& named, const Row& r,
                      const char* what)
    {
        if (v < 0 || static_cast<std::uint64_t>(v) >= size)
            Fail(CFirmwareData::kShowPatternFile, r.line,
                 "row names " + std::string(what) + ' ' + N(v) + ", " + CFirmwareData::kGroupTablesFile +
                     " holds " + N(static_cast<std::int64_t>(size)));
        named[static_cast<std::size_t>(v)] = true;
        return static_cast<std::size_t>(v);
    }
    std::size_t Lamps(std::int64_t v, const Row& r)
    {
        return Index(v, m_t.lamps.size(), m_lampNamed, r, "lamp sequence");
    }
    std::size_t Bands(std::int64_t v, const Row& r)
    {
        return Index(v, m_t.bands.size(), m_bandNamed, r, "band list");
    }
    std::size_t Colours(std::int64_t v, const Row& r)
    {
        return Index(v, m_t.colours.size(), m_colourNamed, r, "colour list");
    }

    // The colour codes of a ramp carry its direction above the colour; the
    // ramp's end colour keeps the codes below 2048 whole.
    static std::int64_t EndColour(std::int64_t code)
    {
        return code >= 3072 ? code - 3072 : code >= 2048 ? code - 2048 : code;
    }

    // The PTN element of a row; none for the rows of types 253 to 255 and
    // for empty rows.
    std::optional<std::string> Element(const Row& r)
    {
        if (r.values.empty())
            return std::nullopt;
        const auto& t = r.values;
        const std::int64_t type = t[0];
        if (type > 10)
            return std::nullopt;
        if (type == 0) {
            for (std::size_t i = 2; i <= 7; ++i)
                if (t[i] < 0)
                    Fail(CFirmwareData::kShowPatternFile, r.line, "negative colour value " + N(t[i]));
            const std::size_t lamp = Lamps(t[10], r);
            m_ramps.push_back("{" + N(t[2]) + ',' + N(t[3]) + ',' + N(t[4]) + "},\r\n{" + N(EndColour(t[5])) +
                              ',' + N(EndColour(t[6])) + ',' + N(EndColour(t[7])) + "}};");
            const std::size_t n = m_t.colours.size() + m_ramps.size();
            return "{3," + N(t[8]) + ',' + N(t[1]) + ",0,0,0,2,CLRGRP" + std::to_string(n) + ",{0,0,0},0," +
                   std::to_string(m_t.lamps[lamp].size()) + ",CST" + std::to_string(lamp + 1) + "}";
        }
        // The fourth member tells the controller which way to run the list.
        const char* direction =
            (type == 2 || type == 3 || type == 4 || type == 6 || type == 8 || type == 10) ? "1" : "0";
        const std::size_t colour = Colours(t[2], r);
        const std::string colours = std::to_string(m_t.colours[colour].size() / 3) + ",CLRGRP" +
                                    std::to_string(colour + 1) + ",{0,0,0},0,";
        const std::string head = N(t[3]) + ',' + N(t[4]) + ',' + direction + ',';
        if (type <= 4 || type == 7 || type == 8) {
            const std::size_t band = Bands(t[1], r);
            return std::string(type <= 4 ? "{0," : "{4,") + head + std::to_string(m_t.bands[band].size()) +
                   ",CSTG" + std::to_string(band + 1) + ',' + colours + "0,0}";
        }
        const std::size_t lamp = Lamps(t[1], r);
        return std::string(type <= 6 ? "{5," : "{9,") + head + "0,0," + colours +
               std::to_string(m_t.lamps[lamp].size()) + ",CST" + std::to_string(lamp + 1) + "}";
    }

    const std::array<std::uint64_t, kPortCount>& m_ports;
    const std::vector<std::vector<Row>>& m_patterns;
    const GroupTables& m_t;
    std::vector<bool> m_lampNamed, m_bandNamed, m_colourNamed;
    std::vector<std::string> m_ramps; // the two colours of each type-0 element
    std::string m_out;
};

} // namespace

Result<std::string> CFirmwareData::Text(std::string_view portTable, std::string_view showPattern,
                                        std::string_view groupTables, int fileFormat)
{
    try {
        const auto ports = ReadPortCounts(portTable);
        const auto patterns = ReadShowPatterns(showPattern);
        const GroupTables tables = ReadGroupTables(groupTables);
        return DataWriter(ports, patterns, tables).Text(fileFormat, showPattern.size() + groupTables.size());
    } catch (const Damaged& d) {
        return Status::Fail(d.key, d.detail);
    }
}

Status CFirmwareData::Write(const fs::path& tablesFolder, const fs::path& buildFolder, int fileFormat)
{
    std::string texts[3];
    const fs::path files[3] = {buildFolder / kPortTableFile, tablesFolder / kShowPatternFile,
                               tablesFolder / kGroupTablesFile};
    for (int i = 0; i < 3; ++i) {
        const fs::path file = FindPathNoCase(files[i]);
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            return Status::Fail(kMissingInputKey, "cannot find " + files[i].string());
        if (const auto size = fs::file_size(file, ec); !ec && size > kMaxFileSize)
            return Status::Fail(kDamagedInputKey, file.string() + ": " + std::to_string(size) +
                                                      " bytes, more than " + std::to_string(kMaxFileSize));
        auto bytes = ReadFileBytes(file);
        if (!bytes)
            return Status::Fail(kMissingInputKey, bytes.status().detail);
        texts[i] = std::move(bytes.value());
    }
    auto text = Text(texts[0], texts[1], texts[2], fileFormat);
    if (!text)
        return text.status();
    if (const Status s = WriteFileAtomic(buildFolder / kFileName, text.value()); !s)
        return Status::Fail(kCannotCreateKey, s.detail);
    return Status::Ok();
}

} // namespace lumaro
