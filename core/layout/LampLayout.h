#pragma once

#include "core/layout/Lamp.h"
#include "core/layout/Rect.h"

#include <cstdint>
#include <vector>

namespace lumaro {

// The lamp side of a project: the scan parameters and the lamps they gave.
// Scanning and lamp and port editing work on this part alone, so the layout
// code needs nothing of the effects.
class CLampLayout {
public:
    // --- stored ---
    std::uint32_t backgroundColour = 0;
    CRect scanScope{10, 10, 650, 450}; // view client pixels
    float objectSize = 5000.0f;        // mm, "Object Size"
    float reservedReal = 100.0f;       // stored and loaded, used by nothing
    float lampSize = 40.0f;            // mm, "Lamp Size"
    std::int32_t backgroundTolerance = 25;
    double gridStep = 8.0;    // picture pixels per grid cell
    std::vector<CLamp> lamps; // list order = number order

    // --- not stored ---
    bool scanned = false; // a scan finished, or the layout came from a file

    std::size_t LampCount() const { return lamps.size(); }
    // Save, Save As and "Transfer Data" need at least two lamps.
    static constexpr std::size_t kMinLampsToSave = 2;
    bool HasEnoughLamps() const { return lamps.size() >= kMinLampsToSave; }
};

} // namespace lumaro
