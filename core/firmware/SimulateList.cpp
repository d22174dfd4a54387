#include "core/firmware/SimulateList.h"

#include "core/effects/ModeCatalogue.h"

#include <algorithm>
#include <string_view>

namespace lumaro {

namespace {

// A group stops at the second of two empty modes in a row: the controller
// reads that pair as the end of the program.
constexpr int kEmptyModesThatEndAGroup = 2;

void AppendNumber(std::string& s, std::int64_t v)
{
    s += std::to_string(v);
}

// "v, v, v" with the separator the rows use.
void AppendValues(std::string& s, std::initializer_list<std::int64_t> values)
{
    bool first = true;
    for (std::int64_t v : values) {
        if (!first)
            s += ", ";
        first = false;
        AppendNumber(s, v);
    }
}

// Values each followed by ", ", a line break after every perLine-th.
void AppendTableValues(std::string& s, const UIntArray& values, std::size_t perLine)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        AppendNumber(s, values[i]);
        s += ", ";
        if (i % perLine == perLine - 1)
            s += "\r\n";
    }
}

Status TooMany(const char* key, std::size_t count, std::size_t limit, std::string_view what)
{
    return Status::Fail(key, std::to_string(count) + ' ' + std::string(what) +
                                 ", the controller holds at most " + std::to_string(limit) +
                                 "; that table is left empty");
}

} // namespace

std::string CSimulateList::Text() const
{
    std::string out;
    AppendTo(out);
    return out;
}

void CSimulateList::AppendTo(std::string& out) const
{
    std::size_t size = out.size();
    for (const auto& p : m_pieces)
        size += p.size();
    out.reserve(size);
    for (const auto& p : m_pieces)
        out += p;
}

int CSimulateList::PatternCode(const CModeItem& record)
{
    static constexpr std::string_view kCodeThree[] = {"CM_LEFTDOWN_GC", "CM_LEFTTORIGHT_GC", "CM_UPTODOWN_GC",
                                                      "CM_LEFTUP_GC"};
    static constexpr std::string_view kCodeTwo[] = {"CM_LEFTDOWN_GOBC", "CM_LEFTTORIGHT_GOBC",
                                                    "CM_UPTODOWN_GOBC", "CM_LEFTUP_GOBC"};
    if (std::find(std::begin(kCodeThree), std::end(kCodeThree), record.type) != std::end(kCodeThree))
        return 3;
    if (std::find(std::begin(kCodeTwo), std::end(kCodeTwo), record.type) != std::end(kCodeTwo))
        return 2;
    return record.layer;
}

CSimulateList::Ramp CSimulateList::RampOf(const CModeItem& record)
{
    // A list too short for a colour ramps from black, or towards 256: a
    // value one above full brightness, which the controller clips.
    const UIntArray& c = record.colours;
    Ramp ramp{};
    std::uint32_t end[3];
    for (std::size_t i = 0; i < 3; ++i) {
        ramp.start[i] = c.size() >= 3 ? c[i] : 0u;
        end[i] = c.size() >= 6 ? c[i + 3] : 256u;
    }
    std::uint32_t widest = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        std::uint32_t difference;
        if (ramp.start[i] < end[i]) {
            ramp.code[i] = end[i] + 768u;
            difference = end[i] - ramp.start[i];
        } else {
            ramp.code[i] = end[i] + 512u;
            difference = ramp.start[i] - end[i];
        }
        widest = std::max(widest, difference);
    }
    const auto loop = static_cast<std::uint32_t>(record.loop);
    ramp.steps = loop != 0 ? widest / loop : widest;
    return ramp;
}

std::string CSimulateList::ShowPatternRow(const CModeItem& r)
{
    std::string row;
    switch (r.layer) {
    case 0: {
        const Ramp ramp = RampOf(r);
        for (std::int64_t v :
             {std::int64_t{0}, std::int64_t{ramp.steps}, std::int64_t{ramp.start[0]},
              std::int64_t{ramp.start[1]}, std::int64_t{ramp.start[2]}, std::int64_t{ramp.code[0]},
              std::int64_t{ramp.code[1]}, std::int64_t{ramp.code[2]}, std::int64_t{r.interval},
              std::int64_t{r.holdTime}, std::int64_t{r.lampOrderIndex}}) {
            AppendNumber(row, v);
            row += ", ";
        }
        break;
    }
    case 1:
    case 2:
    case 3:
    case 4:
        AppendValues(row,
                     {PatternCode(r), r.bandOrderIndex, r.colourGroupId, r.interval, r.loop, r.holdTime});
        row += ",               ";
        break;
    case 5:
    case 6:
        AppendValues(row, {r.layer, r.lampOrderIndex, r.colourGroupId, r.interval, r.loop, r.holdTime});
        row += ",                 ";
        break;
    case 7:
    case 8:
        AppendValues(row, {r.layer, r.bandOrderIndex, r.colourGroupId, r.interval, r.holdTime});
        row += ",            ";
        break;
    case 9:
    case 10:
        AppendValues(row, {r.layer, r.lampOrderIndex, r.colourGroupId, r.interval, r.holdTime});
        row += ",         ";
        break;
    case kCodeRegroup:
    case kCodeEmptyMode:
        AppendValues(row, {r.layer, r.holdTime});
        row += ",             ";
        break;
    case kCodeRegress:
        row = "255, ";
        break;
    default:
        break;
    }
    return row;
}

void CSimulateList::MakeShowPatternText(const ProgramGroupLists& groups)
{
    Clear();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::string text = "code unsigned int ShowPattern" + std::to_string(g) + "[] = {\r\n  ";
        int emptyInARow = 0;
        for (const CModeItem& r : groups[g]) {
            emptyInARow = r.layer == kCodeEmptyMode ? emptyInARow + 1 : 0;
            if (emptyInARow == kEmptyModesThatEndAGroup)
                break;
            text += ShowPatternRow(r);
            text += "\r\n  ";
        }
        text += "0xFD,  0x0001, \r\n 0XFF, };\r\n ";
        Append(std::move(text));
    }
}

Status CSimulateList::MakeLampSequenceText(const std::vector<UIntArray>& lampSequences)
{
    Clear();
    if (lampSequences.size() > kMaxLampSequences)
        return TooMany(kTooManyLampSequencesKey, lampSequences.size(), kMaxLampSequences, "lamp sequences");
    for (std::size_t n = 0; n < kLampSequenceArrays; ++n) {
        std::string text = "code unsigned int CstGroup" + std::to_string(n) + "[] = {\r\n";
        if (n < lampSequences.size())
            AppendTableValues(text, lampSequences[n], 10);
        text += " 0xffff };          \r\n ";
        Append(std::move(text));
    }
    return Status::Ok();
}

Status CSimulateList::MakeBandListText(const std::vector<UIntArray>& bandLists)
{
    Clear();
    if (bandLists.size() > kMaxBandLists)
        return TooMany(kTooManyBandListsKey, bandLists.size(), kMaxBandLists, "band lists");
    for (std::size_t n = 0; n < kBandListArrays; ++n) {
        std::string text = "code unsigned int Cst_GroupGroup" + std::to_string(n) + "[] = {\r\n";
        if (n < bandLists.size())
            AppendTableValues(text, bandLists[n], 10);
        text += " 0xffff };         \r\n  ";
        Append(std::move(text));
    }
    return Status::Ok();
}

Status CSimulateList::MakeColourListText(const std::vector<UIntArray>& colourLists)
{
    Clear();
    if (colourLists.size() > kMaxColourLists)
        return TooMany(kTooManyColourListsKey, colourLists.size(), kMaxColourLists, "colour lists");
    for (std::size_t n = 0; n < kColourListArrays; ++n) {
        std::string text = "code unsigned int Color_Group" + std::to_string(n) + "[] = {\r\n";
        if (n < colourLists.size()) {
            AppendTableValues(text, colourLists[n], 3);
            text += " 0xffff };         \r\n  ";
        } else {
            // An unused list still holds one black colour for the firmware to read.
            text += "0,0,0, 0xffff };         \r\n  ";
        }
        Append(std::move(text));
    }
    return Status::Ok();
}

void CSimulateList::MakeGetterSourceText(std::size_t lampSequenceCount, std::size_t bandListCount,
                                         std::size_t colourListCount)
{
    Clear();
    Append("#include \"CstGrp1.H\"   \r\n#include \"DspPtn1.H\"  \r\n");
    Append(
        "int GetClusterData(int CstGrpNum, int CstGrpCount){  \r\n  unsigned int data GetCstDataTemp; \r\n  "
        "switch(CstGrpNum){   \r\n    ");
    for (std::size_t i = 0; i < lampSequenceCount; ++i)
        Append("case   " + std::to_string(i) + ":  \r\n      GetCstDataTemp = CstGroup" + std::to_string(i) +
               "[CstGrpCount];   \r\n      break; \r\n    ");
    Append("default:  \r\n      GetCstDataTemp = 0xFFFF;\r\n     break; }   \r\n  return(GetCstDataTemp);    "
           "   \r\n "
           "}            \r\n       ");
    Append("\r\nint GetClusterDataGroup(int CstGrpNum, int CstGrpCount){ \r\n  unsigned int data "
           "GetCstDataTemp;    "
           "\r\n   switch(CstGrpNum){      \r\n    ");
    for (std::size_t i = 0; i < bandListCount; ++i)
        Append("case   " + std::to_string(i) + ": \r\n      GetCstDataTemp = Cst_GroupGroup" +
               std::to_string(i) + "[CstGrpCount];  \r\n      break;                      \r\n    ");
    Append("default:  \r\n      GetCstDataTemp = 0xFFFF;  \r\n      break; }  \r\n  return(GetCstDataTemp);  "
           "         "
           "\r\n }                   ");
    Append(" \r\nint GetColorData(int CstGrpNum, int CstGrpCount){  \r\n  unsigned int data GetCstDataTemp;  "
           "\r\n  "
           "switch(CstGrpNum){  \r\n    ");
    for (std::size_t i = 0; i < colourListCount; ++i)
        Append("case   " + std::to_string(i) + ": \r\n      GetCstDataTemp = Color_Group" +
               std::to_string(i) + "[CstGrpCount];   \r\n      break;                      \r\n    ");
    Append("default:\r\n      GetCstDataTemp = 0xFFFF;   \r\n      break; }  \r\n  return(GetCstDataTemp);   "
           "         "
           "\r\n}                  \r\n");
    Append("\r\nint GetShowPattern(int SPpoint){    return(ShowPattern[SPpoint]);            }    \r\n");
    for (std::size_t p = 1; p <= kPortCount; ++p)
        Append("\r\nint GetCPort" + std::to_string(p) + "(int i){       return(CPort" + std::to_string(p) +
               "[i]);             }               \r\n ");
}

} // namespace lumaro
