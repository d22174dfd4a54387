#pragma once

#include "core/effects/ModeItem.h"
#include "core/effects/PickLists.h"
#include "core/effects/SceneSlot.h"
#include "core/firmware/ControllerLimits.h"
#include "core/layout/Lamp.h"

#include <array>
#include <vector>

namespace lumaro {

using ArrayList = std::vector<UIntArray>;

inline constexpr int kProgramGroupCount = static_cast<int>(controller::kProgramGroups);
inline constexpr std::size_t kMinLayerCount = 50;

// The effect side of a project: the scenes, the lamps handed over from the
// layout, the modes, the program groups and the lists they refer to. The
// effects work on these value copies, never on the layout's own lamps.
class CEffectSet {
public:
    CEffectSet() { PadLayers(); }

    SceneTable scenes{};
    std::vector<CLamp> lampPositions; // the layout's lamps at "Transfer Data"
    std::vector<CLamp> lampPositions2;
    std::vector<CModeItem> modes;
    std::array<std::vector<CModeItem>, kProgramGroupCount> programGroups;
    ArrayList lampGroups;
    ArrayList groupLists;
    ArrayList layers; // layer k (1..50) is element k-1
    CPickLists picks; // not stored

    // Layers never drop below 50 arrays once read.
    void PadLayers()
    {
        if (layers.size() < kMinLayerCount)
            layers.resize(kMinLayerCount);
    }
};

} // namespace lumaro
