#pragma once

#include "core/effects/ModeItem.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace lumaro {

class CEditImgDoc;

// Turns the 16 scenes of the scene editor into modes and program groups:
// every slot with an effect becomes a mode, scene s becomes program group s.
class CSceneConverter {
public:
    static constexpr int kEffectCount = 12; // menu indices 0 ("Null") to 11
    // Effects play on the lamp grid's 500 columns: a wider extent lights no
    // more lamps, and one read from a file could ask for gigabytes of colours.
    static constexpr std::int64_t kMaxWidth = 500;

    // The effect menu texts of the scene editor, by menu index.
    static std::array<std::string_view, kEffectCount> EffectNames();

    // The colour list an effect starts with; width is the lamps' extent in x,
    // taken as at most kMaxWidth here and in ModeFor.
    static UIntArray DefaultColours(int menuIndex, std::int64_t width);

    // Empties the mode list and the program groups, hands the lamps to the
    // effect side, makes the modes and groups, fills empty slot colour lists
    // with their defaults and marks the document modified.
    static void Convert(CEditImgDoc& doc);

    // The record one slot becomes (type, loop, step as the effect table has them).
    static CModeItem ModeFor(int menuIndex, std::int32_t speed, const UIntArray& colours, std::int64_t width);
};

} // namespace lumaro
