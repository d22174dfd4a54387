#pragma once

#include "core/effects/ModeItem.h"

#include <array>
#include <vector>

namespace lumaro {

// The output of "Creat Data": the compiled mode list, the 32 compiled program
// groups and the three shared tables the preview and the firmware read. In a
// compiled record `layer` holds the effect class code, `colourGroupId` the
// index of its colours in the colour-list table, and `lampOrderIndex` or
// `bandOrderIndex` the index of its lamp order or band list.
struct CCompiledEffects {
    std::vector<CModeItem> modes;
    std::array<std::vector<CModeItem>, 32> programGroups;
    std::vector<UIntArray> colourTable;
    std::vector<UIntArray> lampSequenceTable;
    std::vector<UIntArray> bandTable;

    bool operator==(const CCompiledEffects&) const = default;
};

} // namespace lumaro
