#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/layout/Lamp.h"

#include <memory>
#include <vector>

namespace lumaro {

// What a play command hands to a new demo window: its own copy of the
// lamps and a share of the compiled data, never pointers into a project
// that may change or close while the demo plays.
struct CPlayHandOver {
    enum PlayMode { NoPlay = 0, Sequential = 1, Parallel = 2, Partial = 3 };

    std::vector<CLamp> lamps;
    // The layout's own lamps with their ports and chains, as "cport.h"
    // numbers them: what Controller Play builds the controller's port table from.
    std::vector<CLamp> chainedLamps;
    std::shared_ptr<const CCompiledEffects> compiled;
    int playMode = NoPlay;
    // The mode test view's selection, Partial play only: compiled mode
    // indices, inclusive; -1 without a selection.
    int firstSelected = -1;
    int lastSelected = -1;

    bool Ready() const { return compiled != nullptr && playMode != NoPlay; }
};

} // namespace lumaro
