#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"

#include <vector>

namespace lumaro::bench {

// The program group the export goals are measured on: 50 × 40 lamps, a band
// chase, a lamp chase, a lamp fill and a fade one after another.
struct ExportGroup {
    std::vector<CLamp> lamps;
    CCompiledEffects tables;
    std::vector<CModeItem> modes;
};

ExportGroup TwoThousandLampGroup();

// A compiled mode of effect class `code` on colour list, lamp order and band
// list 0, red then blue.
CModeItem BenchMode(int code, std::int32_t interval, std::int32_t loop, std::int32_t hold);

} // namespace lumaro::bench
