#pragma once

#include "core/effects/EffectSet.h"
#include "core/layout/Lamp.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumaro {

// Turns the 16 scenes of the scene editor into modes and program groups:
// every slot with an effect becomes a mode, scene s becomes program group s.
class CSceneConverter {
public:
    static constexpr int kEffectCount = 12; // menu indices 0 ("Null") to 11

    // The effect menu texts of the scene editor, by menu index.
    static std::array<std::string_view, kEffectCount> EffectNames();

    // The lamps' extent in x over the lamp grid, the box the compiler plays
    // them in: lamps off the grid are left out, so one corrupt lamp cannot
    // make it billions of columns wide. 0 without lamps on the grid.
    static std::int64_t LampWidth(const std::vector<CLamp>& lamps);

    // The colour list an effect starts with; width is the lamps' extent in
    // x, taken as at most the grid's.
    static UIntArray DefaultColours(int menuIndex, std::int64_t width);

    // Empties the mode list and the program groups, takes the lamps as the
    // lamp positions ("Transfer Data"), makes the modes and groups and fills
    // empty slot colour lists with their defaults.
    static void Convert(CEffectSet& effects, const std::vector<CLamp>& lamps);

    // The record one slot becomes (type, loop, step as the effect table has
    // them); width as for DefaultColours.
    static CModeItem ModeFor(int menuIndex, std::int32_t speed, const UIntArray& colours, std::int64_t width);
};

} // namespace lumaro
