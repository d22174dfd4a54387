#pragma once

#include "core/effects/ModeItem.h"
#include "core/effects/SceneSlot.h"
#include "core/layout/Lamp.h"
#include "core/layout/Rect.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lumaro {

using ArrayList = std::vector<UIntArray>;

inline constexpr int kProgramGroupCount = 32;
inline constexpr std::size_t kMinLayerCount = 50;

// The project document: the lamps of one installation, the scan parameters
// and every effect of the project. The stored members come in the order in
// which the layout file holds them. Plain data: the GUI wraps it, the file
// reader and writer live in CLayoutFile.
class CEditImgDoc {
public:
    CEditImgDoc();

    // --- stored ---
    std::uint32_t backgroundColour = 0;
    CRect scanScope{10, 10, 650, 450}; // view client pixels
    float objectSize = 5000.0f;        // mm, "Object Size"
    float reservedReal = 100.0f;       // stored and loaded, used by nothing
    float lampSize = 40.0f;            // mm, "Lamp Size"
    std::int32_t backgroundTolerance = 25;
    double gridStep = 8.0; // picture pixels per grid cell
    SceneTable scenes{};
    std::vector<CLamp> lamps; // list order = number order
    std::vector<CLamp> lampPositions;  // handed to the effect side
    std::vector<CLamp> lampPositions2;
    std::vector<CModeItem> modes;
    std::array<std::vector<CModeItem>, kProgramGroupCount> programGroups;
    ArrayList lampGroups;
    ArrayList groupLists;
    ArrayList layers; // layer k (1..50) is element k-1

    // --- not stored ---
    bool scanned = false;    // a scan finished, or the document came from a file
    int specialSaveMode = 0; // 0..3, the firmware text outputs

    std::size_t LampCount() const { return lamps.size(); }
    // Save, Save As and "Transfer Data" need at least two lamps.
    static constexpr std::size_t kMinLampsToSave = 2;
    bool HasEnoughLamps() const { return lamps.size() >= kMinLampsToSave; }

    // "Transfer Data": the lamp positions become value copies of the lamps,
    // so later edits of the layout never leave them pointing at nothing.
    void HandLampsToEffects() { lampPositions = lamps; }

    // Layers never drop below 50 arrays once read.
    void PadLayers();

    // True when every stored member equals other's.
    bool SameStoredData(const CEditImgDoc& other) const;
};

} // namespace lumaro
