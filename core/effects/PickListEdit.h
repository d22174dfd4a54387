#pragma once

#include "core/effects/ModeItem.h"

#include <cstddef>
#include <cstdint>

namespace lumaro {

// What one picked lamp does to the lamp lists the mode editor builds in the
// mode test view and to a layer. Each returns whether the list changed.

// The group list page's lamp order may name a lamp more than once.
bool AppendPickedLamp(UIntArray& list, std::uint32_t lamp);
// Inserts at cursor (at the end when the cursor lies beyond it) and moves
// the cursor behind the new entry, so lamps picked one after another keep
// their order.
bool InsertPickedLamp(UIntArray& list, std::size_t& cursor, std::uint32_t lamp);
// Removes every entry of lamp; the cursor stays behind the entries it was
// behind.
bool RemovePickedLamp(UIntArray& list, std::size_t& cursor, std::uint32_t lamp);

// The mode parameter page's supplementary lamps: a set, or the single entry
// CPickLists::kNoLamp while no lamp is chosen.
bool AddParameterLamp(UIntArray& list, std::uint32_t lamp);
bool RemoveParameterLamp(UIntArray& list, std::uint32_t lamp);
// True for the list that stands for "no lamp chosen".
bool NoParameterLamp(const UIntArray& list);

// A layer is a set of lamps.
bool AddLayerLamp(UIntArray& layer, std::uint32_t lamp);
bool RemoveLayerLamp(UIntArray& layer, std::uint32_t lamp);

} // namespace lumaro
