#pragma once

#include "core/app/Status.h"
#include "core/effects/EffectSet.h"

#include <cstdint>

namespace lumaro {

// The values of the mode parameter page's edits as the page shows them:
// the start point and the area in pixels of the mode test view (lamp cells
// times the zoom), everything else as the record holds it.
struct CParameterValues {
    std::int32_t interval = 0;
    std::int32_t loop = 0;
    std::int32_t holdTime = 0;
    std::int32_t step = 0;
    std::int32_t layer = 0; // the class code for "CM_CUSTOMMODE"
    std::int32_t wordStep = 0;
    std::int32_t wordColourMode = 0;
    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t areaLeft = 0;
    std::int32_t areaTop = 0;
    std::int32_t areaRight = 0;
    std::int32_t areaBottom = 0;

    bool operator==(const CParameterValues&) const = default;
};

// Which fields of the page a mode reads (the others are read-only and keep
// the record's values), and the language keys of the seven headings.
struct CParameterFields {
    bool interval = false;
    bool loop = false;
    bool holdTime = false;
    bool step = false;
    bool layer = false;
    bool wordStep = false;
    bool wordColourMode = false;
    bool startPoint = false;
    bool area = false;
    bool extraLamps = false; // "Supplementary Scope"

    const char* intervalHeading = "IDD112_1132_EDIT13";
    const char* loopHeading = "IDD112_5133_EDIT14A";
    const char* holdTimeHeading = "IDD112_5309_EDIT15";
    const char* stepHeading = "IDD112_5310_EDIT16A";
    const char* layerHeading = "IDD112_1311_EDIT17A";
    const char* wordStepHeading = "IDD112_1028_EDIT19";
    const char* wordColourModeHeading = "IDD112_1029_EDIT20";
};

// The mode parameter page without its window: what it offers for a mode,
// and the checks of its OK.
class CModeParameters {
public:
    // The controller keeps timing values in 16 bits.
    static constexpr std::int32_t kMaxTiming = 65535;
    static constexpr std::int32_t kMaxLayer = 50;
    static constexpr std::int32_t kMaxCustomCode = 10;
    // A diagonal band or lamp order over the grid spans at most 999 lines.
    static constexpr std::int32_t kMaxStep = 999;
    static constexpr std::int32_t kMaxWordStep = 500;

    static constexpr const char* kIntervalKey = "PAGE6_ONOK_TIMB";
    static constexpr const char* kLoopKey = "PAGE6_ONOK_TLMB";
    static constexpr const char* kHoldTimeKey = "PAGE6_ONOK_THTMB";
    static constexpr const char* kStepKey = "PAGE6_ONOK_TSMB";
    static constexpr const char* kLayerKey = "PAGE6_ONOK_TILMB";
    static constexpr const char* kCustomCodeKey = "PAGE6_ONOK_TCCMB";
    static constexpr const char* kWordStepKey = "PAGE6_ONOK_TTSMB";
    static constexpr const char* kStartPointKey = "PAGE6_ONOK_TSPML";
    static constexpr const char* kAreaKey = "PAGE6_ONOK_TAML";
    static constexpr const char* kEmptyAreaKey = "PAGE6_ONOK_TAHNL";

    // Heading keys: the loop as a fade's number of steps (class 0); the step
    // counted in rows (row bands) or in lines or rings (diagonals, rings);
    // the layer as a custom mode's class code, or as not read at all.
    static constexpr const char* kLoopFadeHeading = "IDD112_5133_EDIT14B";
    static constexpr const char* kStepRowsHeading = "IDD112_5310_EDIT16B";
    static constexpr const char* kStepLinesHeading = "IDD112_5310_EDIT16C";
    static constexpr const char* kLayerCodeHeading = "IDD112_1311_EDIT17B";
    static constexpr const char* kLayerUnusedHeading = "IDD112_1311_EDIT17C";

    // What the page offers for record (a circular area by its inner type; a
    // text mode by its colour mode, which the page's combo box changes).
    static CParameterFields FieldsFor(const CModeItem& record);

    // The record's values as the page shows them at zoom.
    static CParameterValues ValuesOf(const CModeItem& record, int zoom);
    // The cell under a pixel of the mode test view at zoom, relative to
    // cell (0,0), whose square runs from -zoom/2 to +zoom/2.
    static std::int64_t CellOf(std::int32_t pixel, int zoom);
    // The start point and area shown at one zoom as shown at another, cell for cell.
    static CParameterValues Rezoomed(CParameterValues values, int fromZoom, int toZoom);

    // OK: checks the enabled values and stores them into record, with the
    // picked parameter lamps as its supplementary scope; positions are
    // taken back to lamp cells as the mode test view finds the cell under
    // a point. An area must hold a lamp of the mode's layer or a
    // supplementary lamp. record is unchanged on failure.
    static Status Store(const CParameterValues& values, const UIntArray& parameterLamps, int zoom,
                        const CEffectSet& effects, CModeItem& record);

    // The parameter lamp list for a supplementary scope and back: an empty
    // scope is the list holding only CPickLists::kNoLamp.
    static UIntArray ParameterLampList(const UIntArray& extraLamps);
    static UIntArray ChosenLamps(const UIntArray& parameterLamps);
};

} // namespace lumaro
