#pragma once

#include "core/effects/EffectSet.h"
#include "core/layout/LampLayout.h"

namespace lumaro {

// The project document: the lamp layout of one installation and every
// effect of the project. Plain data: the GUI wraps it, the file reader and
// writer live in CLayoutFile, and the stored members are listed, in the
// order the layout file holds them, in VisitStoredFields. The two sides are bases rather than members,
// so that the layout and effect operations take just their side while the
// document's users keep writing doc.lamps and doc.modes.
class CEditImgDoc : public CLampLayout, public CEffectSet {
public:
    // --- not stored ---
    int specialSaveMode = 0; // 0..3, the firmware text outputs

    // "Transfer Data": the lamp positions become value copies of the lamps,
    // so later edits of the layout never leave them pointing at nothing.
    void HandLampsToEffects() { lampPositions = lamps; }

    // True when every stored member equals other's; of the lamp positions
    // only what is stored (place and number) counts.
    bool SameStoredData(const CEditImgDoc& other) const;
};

} // namespace lumaro
