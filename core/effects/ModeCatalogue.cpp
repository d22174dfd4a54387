#include "core/effects/ModeCatalogue.h"

#include <array>
#include <deque>
#include <unordered_map>

namespace lumaro {

namespace {

constexpr std::array<std::string_view, 70> kCatalogue = {
    "CM_CUSTOMMODE",         "CM_EMPTYMODE",         "CM_REGROUP",           "CM_REGRESS",
    "CM_LEFTTORIGHT_GC",     "CM_LEFTTORIGHT_GOBC",  "CM_LEFTTORIGHT_GF",    "CM_LEFTTORIGHT_CC",
    "CM_LEFTTORIGHT_CF",     "CM_RIGHTTOLEFT_GC",    "CM_RIGHTTOLEFT_GOBC",  "CM_RIGHTTOLEFT_GF",
    "CM_RIGHTTOLEFT_CC",     "CM_RIGHTTOLEFT_CF",    "CM_UPTODOWN_GC",       "CM_UPTODOWN_GOBC",
    "CM_UPTODOWN_GF",        "CM_UPTODOWN_CC",       "CM_UPTODOWN_CF",       "CM_DOWNTOUP_GC",
    "CM_DOWNTOUP_GOBC",      "CM_DOWNTOUP_GF",       "CM_DOWNTOUP_CC",       "CM_DOWNTOUP_CF",
    "CM_LEFTUP_GC",          "CM_LEFTUP_GOBC",       "CM_LEFTUP_GF",         "CM_LEFTUP_CC",
    "CM_LEFTUP_CF",          "CM_RIGHTUP_GC",        "CM_RIGHTUP_GOBC",      "CM_RIGHTUP_GF",
    "CM_RIGHTUP_CC",         "CM_RIGHTUP_CF",        "CM_LEFTDOWN_GC",       "CM_LEFTDOWN_GOBC",
    "CM_LEFTDOWN_GF",        "CM_LEFTDOWN_CC",       "CM_LEFTDOWN_CF",       "CM_RIGHTDOWN_GC",
    "CM_RIGHTDOWN_GOBC",     "CM_RIGHTDOWN_GF",      "CM_RIGHTDOWN_CC",      "CM_RIGHTDOWN_CF",
    "CM_ASIDEFRAME_CC",      "CM_ASIDEFRAME_CF",     "CM_SIDEFRAME_CC",      "CM_SIDEFRAME_CF",
    "CM_BRIGHTTODARK",       "CM_SIDEFRAMEBD",       "CM_KERNELBD",          "CM_LEFTTORIGHT_SCROLL",
    "CM_RIGHTTOLEFT_SCROLL", "CM_UPTODOWN_SCROLL",   "CM_DOWNTOUP_SCROLL",   "CM_LEFTUP_SCROLL",
    "CM_LEFTDOWN_SCROLL",    "CM_RIGHTUP_SCROLL",    "CM_RIGHTDOWN_SCROLL",  "CM_SIDEFRAME_SCROLL",
    "CM_ASIDEFRAME_SCROLL",  "CM_LEFTTORIGHT_WORD",  "CM_RIGHTTOLEFT_WORD",  "CM_UPTODOWN_WORD",
    "CM_DOWNTOUP_WORD",      "CM_EXPANDCIRCULAR_GC", "CM_EXPANDCIRCULAR_GF", "CM_SHRINKCIRCULAR_GC",
    "CM_SHRINKCIRCULAR_GF",  "CM_CIRCULAR_AREA",
};

constexpr std::array<std::string_view, 61> kCircularInner = {
    "CM_LEFTTORIGHT_GC",     "CM_RIGHTTOLEFT_GC",    "CM_UPTODOWN_GC",      "CM_DOWNTOUP_GC",
    "CM_LEFTUP_GC",          "CM_RIGHTUP_GC",        "CM_LEFTDOWN_GC",      "CM_RIGHTDOWN_GC",
    "CM_EXPANDCIRCULAR_GC",  "CM_SHRINKCIRCULAR_GC", "CM_LEFTTORIGHT_GOBC", "CM_RIGHTTOLEFT_GOBC",
    "CM_UPTODOWN_GOBC",      "CM_DOWNTOUP_GOBC",     "CM_LEFTUP_GOBC",      "CM_RIGHTUP_GOBC",
    "CM_LEFTDOWN_GOBC",      "CM_RIGHTDOWN_GOBC",    "CM_LEFTTORIGHT_CC",   "CM_RIGHTTOLEFT_CC",
    "CM_UPTODOWN_CC",        "CM_DOWNTOUP_CC",       "CM_LEFTUP_CC",        "CM_RIGHTUP_CC",
    "CM_LEFTDOWN_CC",        "CM_RIGHTDOWN_CC",      "CM_ASIDEFRAME_CC",    "CM_SIDEFRAME_CC",
    "CM_LEFTTORIGHT_GF",     "CM_RIGHTTOLEFT_GF",    "CM_UPTODOWN_GF",      "CM_DOWNTOUP_GF",
    "CM_LEFTUP_GF",          "CM_RIGHTUP_GF",        "CM_LEFTDOWN_GF",      "CM_RIGHTDOWN_GF",
    "CM_EXPANDCIRCULAR_GF",  "CM_SHRINKCIRCULAR_GF", "CM_LEFTTORIGHT_CF",   "CM_RIGHTTOLEFT_CF",
    "CM_UPTODOWN_CF",        "CM_DOWNTOUP_CF",       "CM_LEFTUP_CF",        "CM_RIGHTUP_CF",
    "CM_LEFTDOWN_CF",        "CM_RIGHTDOWN_CF",      "CM_ASIDEFRAME_CF",    "CM_SIDEFRAME_CF",
    "CM_BRIGHTTODARK",       "CM_SIDEFRAMEBD",       "CM_KERNELBD",         "CM_LEFTTORIGHT_SCROLL",
    "CM_RIGHTTOLEFT_SCROLL", "CM_UPTODOWN_SCROLL",   "CM_DOWNTOUP_SCROLL",  "CM_LEFTUP_SCROLL",
    "CM_LEFTDOWN_SCROLL",    "CM_RIGHTUP_SCROLL",    "CM_RIGHTDOWN_SCROLL", "CM_SIDEFRAME_SCROLL",
    "CM_ASIDEFRAME_SCROLL",
};

struct TypeInfo {
    int code;
    OrderKind kind;
};

// Class codes and generators of every name the compiler knows. The two
// members of a direction pair share a generator and differ in their code;
// which member runs forward differs between band and lamp-order families.
const std::unordered_map<std::string_view, TypeInfo>& TypeTable()
{
    static const auto table = [] {
        std::unordered_map<std::string_view, TypeInfo> t;
        using K = OrderKind;
        struct Direction {
            const char* name;
            K lampOrder;
            K bands;
            int bandForward;  // 1 = this member takes the forward band codes
            int orderForward; // 1 = this member takes the forward lamp-order codes
        };
        static const Direction dirs[] = {
            {"LEFTTORIGHT", K::ColumnLampOrder, K::ColumnBands, 1, 1},
            {"RIGHTTOLEFT", K::ColumnLampOrder, K::ColumnBands, 0, 0},
            {"UPTODOWN", K::RowLampOrder, K::RowBands, 1, 1},
            {"DOWNTOUP", K::RowLampOrder, K::RowBands, 0, 0},
            {"LEFTUP", K::FallingLampOrder, K::RisingBands, 1, 0},
            {"RIGHTDOWN", K::FallingLampOrder, K::RisingBands, 0, 1},
            {"LEFTDOWN", K::RisingLampOrder, K::FallingBands, 1, 0},
            {"RIGHTUP", K::RisingLampOrder, K::FallingBands, 0, 1},
        };
        static std::deque<std::string> names; // owns the generated names; never moves them
        auto add = [&](std::string name, int code, K kind) {
            names.push_back(std::move(name));
            t.emplace(names.back(), TypeInfo{code, kind});
        };
        for (const auto& d : dirs) {
            const std::string base = std::string("CM_") + d.name;
            add(base + "_GC", d.bandForward ? 2 : 1, d.bands);
            add(base + "_SCROLL", d.bandForward ? 2 : 1, d.bands);
            add(base + "_GOBC", d.bandForward ? 3 : 4, d.bands);
            add(base + "_GF", d.bandForward ? 7 : 8, d.bands);
            add(base + "_CC", d.orderForward ? 6 : 5, d.lampOrder);
            add(base + "_CF", d.orderForward ? 9 : 10, d.lampOrder);
        }
        const std::pair<std::string_view, TypeInfo> fixed[] = {
            {"CM_EMPTYMODE", {kCodeEmptyMode, K::None}},
            {"CM_REGROUP", {kCodeRegroup, K::None}},
            {"CM_REGRESS", {kCodeRegress, K::None}},
            {"CM_BRIGHTTODARK", {0, K::ColumnLampOrder}},
            {"CM_SIDEFRAMEBD", {0, K::FrameOrder}},
            {"CM_KERNELBD", {0, K::KernelOrder}},
            {"CM_EXPANDCIRCULAR_GC", {2, K::Rings}},
            {"CM_SHRINKCIRCULAR_GC", {1, K::Rings}},
            {"CM_EXPANDCIRCULAR_GF", {7, K::Rings}},
            {"CM_SHRINKCIRCULAR_GF", {8, K::Rings}},
            {"CM_MIDDLETOSIDE_GC", {2, K::SideToMiddleBands}},
            {"CM_SIDETOMIDDLE_GC", {1, K::SideToMiddleBands}},
            {"CM_ASIDEFRAME_CC", {6, K::FrameOrder}},
            {"CM_ASIDEFRAME_SCROLL", {6, K::FrameOrder}},
            {"CM_SIDEFRAME_CC", {5, K::FrameOrder}},
            {"CM_SIDEFRAME_SCROLL", {5, K::FrameOrder}},
            {"CM_ASIDEFRAME_CF", {9, K::FrameOrder}},
            {"CM_SIDEFRAME_CF", {10, K::FrameOrder}},
        };
        for (const auto& [name, info] : fixed)
            t.emplace(name, info);
        return t;
    }();
    return table;
}

} // namespace

std::span<const std::string_view> CatalogueTypes()
{
    return kCatalogue;
}
std::span<const std::string_view> CircularInnerTypes()
{
    return kCircularInner;
}

std::string ModeInfoKey(std::string_view type)
{
    for (std::size_t i = 0; i < kCatalogue.size(); ++i)
        if (kCatalogue[i] == type)
            return "ID_MSG_PAGE3_MODE_INFO" + std::to_string(i + 1);
    return {};
}

bool IsWordMode(std::string_view type)
{
    return type == "CM_LEFTTORIGHT_WORD" || type == "CM_RIGHTTOLEFT_WORD" || type == "CM_UPTODOWN_WORD" ||
           type == "CM_DOWNTOUP_WORD";
}

bool IsCircularAreaMode(std::string_view type)
{
    return type == kCircularAreaType;
}

int EffectClassOf(const CModeItem& record)
{
    if (record.type == kCustomModeType)
        return record.layer;
    const std::string_view name =
        IsCircularAreaMode(record.type) ? std::string_view(record.innerType) : std::string_view(record.type);
    const auto& table = TypeTable();
    const auto it = table.find(name);
    return it == table.end() ? kNoClass : it->second.code;
}

OrderKind OrderKindOf(std::string_view type)
{
    const auto& table = TypeTable();
    const auto it = table.find(type);
    return it == table.end() ? OrderKind::None : it->second.kind;
}

bool IsBandCode(int code)
{
    return code == 1 || code == 2 || code == 3 || code == 4 || code == 7 || code == 8;
}

bool IsLampOrderCode(int code)
{
    return code == 0 || code == 5 || code == 6 || code == 9 || code == 10;
}

} // namespace lumaro
