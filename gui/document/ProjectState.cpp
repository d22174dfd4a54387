#include "gui/document/ProjectState.h"

namespace lumaro::gui {

CProjectState CProjectState::Capture(const CEditImgDoc& doc, Aspects aspects)
{
    CProjectState s;
    s.m_aspects = aspects & kAllEditable;
    if (aspects & (Aspect::Lamps | Aspect::Ports))
        s.m_lamps = doc.lamps;
    if (aspects & Aspect::ScanSettings) {
        s.m_scan =
            ScanSettings{doc.backgroundColour, doc.scanScope,           doc.objectSize, doc.reservedReal,
                         doc.lampSize,         doc.backgroundTolerance, doc.gridStep,   doc.scanned};
    }
    if (aspects & Aspect::Scenes)
        s.m_scenes = doc.scenes;
    if (aspects & Aspect::LampPositions)
        s.m_positions = Positions{doc.lampPositions, doc.lampPositions2};
    if (aspects & Aspect::Modes)
        s.m_modes = doc.modes;
    if (aspects & Aspect::ProgramGroups)
        s.m_groups = doc.programGroups;
    if (aspects & Aspect::LampGroups)
        s.m_lampGroups = LampGroupLists{doc.lampGroups, doc.groupLists};
    if (aspects & Aspect::Layers)
        s.m_layers = doc.layers;
    if (aspects & Aspect::Picks)
        s.m_picks = doc.picks;
    return s;
}

void CProjectState::ApplyTo(CEditImgDoc& doc) const
{
    if (m_lamps)
        doc.lamps = *m_lamps;
    if (m_scan) {
        doc.backgroundColour = m_scan->backgroundColour;
        doc.scanScope = m_scan->scanScope;
        doc.objectSize = m_scan->objectSize;
        doc.reservedReal = m_scan->reservedReal;
        doc.lampSize = m_scan->lampSize;
        doc.backgroundTolerance = m_scan->backgroundTolerance;
        doc.gridStep = m_scan->gridStep;
        doc.scanned = m_scan->scanned;
    }
    if (m_scenes)
        doc.scenes = *m_scenes;
    if (m_positions) {
        doc.lampPositions = m_positions->first;
        doc.lampPositions2 = m_positions->second;
    }
    if (m_modes)
        doc.modes = *m_modes;
    if (m_groups)
        doc.programGroups = *m_groups;
    if (m_lampGroups) {
        doc.lampGroups = m_lampGroups->lampGroups;
        doc.groupLists = m_lampGroups->groupLists;
    }
    if (m_layers)
        doc.layers = *m_layers;
    if (m_picks)
        doc.picks = *m_picks;
}

} // namespace lumaro::gui
