#pragma once

#include "core/layout/Lamp.h"
#include "core/layout/Rect.h"

#include <cstdint>
#include <vector>

namespace lumaro {

// Where the demo window draws the lamps: pixels per grid cell and the
// window position of cell (0, 0). The lamps' bounding box is centred in the
// window; the fitted zoom fills it by the longer side and never passes 20.
struct CDemoGeometry {
    static constexpr std::int32_t kMaxZoom = 20;

    std::int32_t zoom = 1;
    std::int32_t originX = 0;
    std::int32_t originY = 0;

    // The zoom that fits the lamps into the client, 1 to kMaxZoom. A layout
    // of one row or one column, or of one lamp, fits by its other side or at
    // kMaxZoom instead of dividing by nothing.
    static std::int32_t FitZoom(const std::vector<CLamp>& lamps, std::int32_t clientWidth,
                                std::int32_t clientHeight);
    // The largest zoom, 1 to kMaxZoom, at which the whole box of the lamps
    // lies inside the client both ways: a picture of a chosen size (an
    // exported video) cuts no lamp off, whatever its shape.
    static std::int32_t FitWholeZoom(const std::vector<CLamp>& lamps, std::int32_t clientWidth,
                                     std::int32_t clientHeight);
    // The lamps at `zoom` (limited to 1..kMaxZoom), centred in the client.
    static CDemoGeometry Centre(const std::vector<CLamp>& lamps, std::int32_t zoom, std::int32_t clientWidth,
                                std::int32_t clientHeight);

    // origin + cell × zoom ± zoom ÷ 2, right and bottom edges excluded.
    CRect CellOf(const CLamp& lamp) const;
    // The corner ellipse of the rounded square, trunc(zoom × 0.9).
    std::int32_t CornerEllipse() const { return zoom * 9 / 10; }

    bool operator==(const CDemoGeometry&) const = default;
};

} // namespace lumaro
