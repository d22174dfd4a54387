#pragma once

#include "core/effects/ModeItem.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumaro {

// The 70 type names the mode list offers, in the order of the list.
std::span<const std::string_view> CatalogueTypes();
// The 61 names that may run inside a circular area, in the dialog's order.
std::span<const std::string_view> CircularInnerTypes();

// "ID_MSG_PAGE3_MODE_INFO" + the 1-based catalogue position; empty for a
// name that is not in the catalogue.
std::string ModeInfoKey(std::string_view type);

// The four text modes of the catalogue; only they store wordStep and
// wordColourMode in the layout file.
bool IsWordMode(std::string_view type);

inline constexpr std::string_view kCircularAreaType = "CM_CIRCULAR_AREA";
inline constexpr std::string_view kCustomModeType = "CM_CUSTOMMODE";
bool IsCircularAreaMode(std::string_view type);

// Effect class codes of the controller.
inline constexpr int kCodeRegroup = 253;
inline constexpr int kCodeEmptyMode = 254;
inline constexpr int kCodeRegress = 255;
inline constexpr int kNoClass = -1;

// How a mode's lamps are ordered into steps.
enum class OrderKind {
    None,
    ColumnLampOrder,
    RowLampOrder,
    RisingLampOrder,  // lines of constant x + y
    FallingLampOrder, // lines of constant x - y
    FrameOrder,
    KernelOrder,
    ColumnBands,
    RowBands,
    RisingBands,
    FallingBands,
    Rings,
    SideToMiddleBands,
};

// The class code a compiled record gets: from its type name (for
// "CM_CIRCULAR_AREA" from its inner type), the user's own code (its layer)
// for "CM_CUSTOMMODE", kNoClass for a name no rule knows.
int EffectClassOf(const CModeItem& record);

// The generator of a type name (for "CM_CIRCULAR_AREA" pass the inner type).
OrderKind OrderKindOf(std::string_view type);

// Codes whose records carry a band list rather than a lamp order.
bool IsBandCode(int code);
bool IsLampOrderCode(int code);

} // namespace lumaro
