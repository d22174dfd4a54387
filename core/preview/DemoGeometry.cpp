#include "core/preview/DemoGeometry.h"

#include <algorithm>

namespace lumaro {

std::int32_t CDemoGeometry::FitZoom(const std::vector<CLamp>& lamps, std::int32_t clientWidth,
                                    std::int32_t clientHeight)
{
    const CRect box = LampBounds(lamps);
    const std::int64_t dx = std::int64_t{box.right} - box.left;
    const std::int64_t dy = std::int64_t{box.bottom} - box.top;
    std::int64_t zoom = kMaxZoom;
    if (dx > dy)
        zoom = clientWidth / dx;
    else if (dy > 0)
        zoom = clientHeight / dy;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(zoom, 1, kMaxZoom));
}

std::int32_t CDemoGeometry::FitWholeZoom(const std::vector<CLamp>& lamps, std::int32_t clientWidth,
                                         std::int32_t clientHeight)
{
    const CRect box = LampBounds(lamps);
    // A cell reaches half a zoom beyond its lamp on each side.
    const std::int64_t dx = std::int64_t{box.right} - box.left + 1;
    const std::int64_t dy = std::int64_t{box.bottom} - box.top + 1;
    const std::int64_t zoom = std::min(clientWidth / dx, clientHeight / dy);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(zoom, 1, kMaxZoom));
}

CDemoGeometry CDemoGeometry::Centre(const std::vector<CLamp>& lamps, std::int32_t zoom,
                                    std::int32_t clientWidth, std::int32_t clientHeight)
{
    const CRect box = LampBounds(lamps);
    CDemoGeometry g;
    g.zoom = std::clamp(zoom, 1, kMaxZoom);
    g.originX = static_cast<std::int32_t>((clientWidth - (std::int64_t{box.right} + box.left) * g.zoom) / 2);
    g.originY = static_cast<std::int32_t>((clientHeight - (std::int64_t{box.bottom} + box.top) * g.zoom) / 2);
    return g;
}

CRect CDemoGeometry::CellOf(const CLamp& lamp) const
{
    const std::int32_t cx = originX + lamp.x * zoom;
    const std::int32_t cy = originY + lamp.y * zoom;
    const std::int32_t half = zoom / 2;
    // At zoom 1 the cell would have no pixel at all; it keeps one.
    return {cx - half, cy - half, cx + std::max(half, 1), cy + std::max(half, 1)};
}

} // namespace lumaro
