#pragma once

#include "core/project/EditImgDoc.h"

#include <QFlags>

#include <optional>

namespace lumaro::gui {

// The parts of a project an edit can change. The document announces them
// after every edit, undo and redo; views and pages redraw what they show
// of them.
enum class Aspect : unsigned {
    Lamps = 1u << 0,         // the lamp list: positions and numbers
    Ports = 1u << 1,         // port and chain order of the lamps
    ScanSettings = 1u << 2,  // background colour, scope, sizes, tolerance, grid step
    Scenes = 1u << 3,        // the 16 scenes of the scene editor
    LampPositions = 1u << 4, // the lamps "Transfer Data" handed to the effect side
    Modes = 1u << 5,         // the mode list
    ProgramGroups = 1u << 6, // the 32 program groups
    LampGroups = 1u << 7,    // lamp groups and group lists
    Layers = 1u << 8,
    Compiled = 1u << 9, // the result of "Creat Data" (not an edit: never undone)
    Picks = 1u << 10,   // the lamp lists the mode editor picks in the mode test view
};
Q_DECLARE_FLAGS(Aspects, Aspect)

} // namespace lumaro::gui

// At global scope: declared inside the namespace they would hide Qt's own
// operators (Qt::CTRL | Qt::Key_N) there.
Q_DECLARE_OPERATORS_FOR_FLAGS(lumaro::gui::Aspects)

namespace lumaro::gui {

// Every aspect an edit can change: all but the result of "Creat Data".
inline constexpr Aspects kAllEditable =
    Aspect::Lamps | Aspect::Ports | Aspect::ScanSettings | Aspect::Scenes | Aspect::LampPositions |
    Aspect::Modes | Aspect::ProgramGroups | Aspect::LampGroups | Aspect::Layers | Aspect::Picks;
// Each of them alone, for naming the ones an edit changed.
inline constexpr Aspect kEditableAspects[] = {
    Aspect::Lamps, Aspect::Ports,         Aspect::ScanSettings, Aspect::Scenes, Aspect::LampPositions,
    Aspect::Modes, Aspect::ProgramGroups, Aspect::LampGroups,   Aspect::Layers, Aspect::Picks};

// A copy of the members behind some aspects of a project, taken before or
// after an edit; applying it puts exactly those members back.
class CProjectState {
public:
    static CProjectState Capture(const CEditImgDoc& doc, Aspects aspects);
    void ApplyTo(CEditImgDoc& doc) const;
    Aspects Covered() const { return m_aspects; }

    bool operator==(const CProjectState&) const = default;

private:
    struct ScanSettings {
        std::uint32_t backgroundColour = 0;
        CRect scanScope;
        float objectSize = 0.0f;
        float reservedReal = 0.0f;
        float lampSize = 0.0f;
        std::int32_t backgroundTolerance = 0;
        double gridStep = 0.0;
        bool scanned = false;
        bool operator==(const ScanSettings&) const = default;
    };
    struct LampGroupLists {
        ArrayList lampGroups;
        ArrayList groupLists;
        bool operator==(const LampGroupLists&) const = default;
    };
    struct Positions {
        std::vector<CLamp> first;
        std::vector<CLamp> second;
        bool operator==(const Positions&) const = default;
    };

    Aspects m_aspects;
    std::optional<std::vector<CLamp>> m_lamps; // Lamps and Ports
    std::optional<ScanSettings> m_scan;
    std::optional<SceneTable> m_scenes;
    std::optional<Positions> m_positions;
    std::optional<std::vector<CModeItem>> m_modes;
    std::optional<std::array<std::vector<CModeItem>, kProgramGroupCount>> m_groups;
    std::optional<LampGroupLists> m_lampGroups;
    std::optional<ArrayList> m_layers;
    std::optional<CPickLists> m_picks;
};

} // namespace lumaro::gui
