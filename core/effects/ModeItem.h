#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumaro {

using UIntArray = std::vector<std::uint32_t>;

// One effect instance. Copied field by field, never shared between lists.
// Strings are byte strings as the layout file holds them (the program writes
// UTF-8). In the mode list `layer` is the image layer (0 = all lamps); in a
// program-group entry the number of the mode it was copied from; in a
// compiled record the effect class code.
class CModeItem {
public:
    std::string type; // catalogue name, "CM_..."
    std::string name;
    std::int32_t layer = 0;
    UIntArray colours;         // three values (red, green, blue) per colour
    std::int32_t interval = 0; // 0.01 s per step
    std::int32_t areaLeft = 0;
    std::int32_t areaTop = 0;
    std::int32_t areaRight = 0;
    std::int32_t areaBottom = 0;
    std::int32_t loop = 0;
    std::int32_t holdTime = 0; // 0.1 s
    std::int32_t sceneEffect = 0;
    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t step = 0;
    std::int32_t colourGroupId = 0;
    std::int32_t lampOrderIndex = 0;
    std::int32_t bandOrderIndex = 0;
    std::int32_t wordStep = 0;       // WORD types only
    std::int32_t wordColourMode = 0; // WORD types only
    UIntArray extraLamps;
    std::int32_t area2Left = 0;
    std::int32_t area2Top = 0;
    std::int32_t area2Right = 0;
    std::int32_t area2Bottom = 0;
    std::int32_t circleX = 0;      // "CM_CIRCULAR_AREA" only
    std::int32_t circleY = 0;      // "CM_CIRCULAR_AREA" only
    std::int32_t circleRadius = 0; // "CM_CIRCULAR_AREA" only
    std::string innerType;         // "CM_CIRCULAR_AREA" only

    bool operator==(const CModeItem&) const = default;
};

} // namespace lumaro
