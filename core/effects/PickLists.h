#pragma once

#include "core/effects/ModeItem.h"

#include <cstddef>
#include <cstdint>

namespace lumaro {

// The lamp lists the mode editor builds by clicking lamps in the mode test
// view. They belong to the project while it is edited, so that every pick
// can be undone, but not to its file.
struct CPickLists {
    // The parameter list's entry for "no lamp chosen".
    static constexpr std::uint32_t kNoLamp = 10000;

    UIntArray lamps;                   // group list page: the lamp list being built
    UIntArray bands;                   // group list page: the band list being built
    std::size_t lampCursor = 0;        // where the next inserted lamp goes
    UIntArray parameterLamps{kNoLamp}; // mode parameter page: supplementary lamps

    bool operator==(const CPickLists&) const = default;
};

} // namespace lumaro
