#pragma once

#include "core/effects/EffectSet.h"
#include "core/layout/Lamp.h"

#include <array>
#include <string_view>

namespace lumaro {

// Turns the 16 scenes of the scene editor into modes and program groups:
// every slot with an effect becomes a mode, scene s becomes program group s.
class CSceneConverter {
public:
    static constexpr int kEffectCount = 12; // menu indices 0 ("Null") to 11

    // The effect menu texts of the scene editor, by menu index.
    static std::array<std::string_view, kEffectCount> EffectNames();

    // The colour list an effect starts with; width is the lamps' extent in x.
    static UIntArray DefaultColours(int menuIndex, std::int64_t width);

    // Empties the mode list and the program groups, takes the lamps as the
    // lamp positions ("Transfer Data"), makes the modes and groups and fills
    // empty slot colour lists with their defaults.
    static void Convert(CEffectSet& effects, const std::vector<CLamp>& lamps);

    // The record one slot becomes (type, loop, step as the effect table has them).
    static CModeItem ModeFor(int menuIndex, std::int32_t speed, const UIntArray& colours, std::int64_t width);
};

} // namespace lumaro
