#pragma once

#include "core/effects/ModeItem.h"

#include <array>
#include <cstdint>

namespace lumaro {

// One of the eight effect slots of a scene.
class CSceneSlot {
public:
    std::int32_t menuIndex = 0; // 0 = "Null" .. 11
    std::int32_t speed = 0;     // milliseconds
    UIntArray colours;          // one value per colour byte: red, green, blue

    bool operator==(const CSceneSlot&) const = default;
};

inline constexpr int kSceneCount = 16;
inline constexpr int kSlotsPerScene = 8;
using Scene = std::array<CSceneSlot, kSlotsPerScene>;
using SceneTable = std::array<Scene, kSceneCount>;

} // namespace lumaro
