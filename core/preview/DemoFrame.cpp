#include "core/preview/DemoFrame.h"

#include <algorithm>

namespace lumaro {

CDemoFrame::CDemoFrame(std::int32_t w, std::int32_t h, DemoRgb fill)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), DemoPixel(fill))
{
}

void PaintDemoCell(DemoPixels pixels, const CRect& cell, DemoRgb colour, DemoShape shape,
                   std::int32_t cornerEllipse)
{
    const std::int32_t left = std::max(cell.left, 0);
    const std::int32_t top = std::max(cell.top, 0);
    const std::int32_t right = std::min(cell.right, pixels.width);
    const std::int32_t bottom = std::min(cell.bottom, pixels.height);
    const std::uint32_t value = DemoPixel(colour);
    // Twice the corner radius, so that pixel centres stay whole numbers.
    const std::int64_t r2 =
        std::min<std::int64_t>({cornerEllipse, cell.right - cell.left, cell.bottom - cell.top});
    const bool round = shape == DemoShape::RoundedSquare && r2 > 1;
    for (std::int32_t y = top; y < bottom; ++y) {
        std::uint32_t* row = pixels.data + static_cast<std::ptrdiff_t>(y) * pixels.stride;
        if (!round) {
            std::fill(row + left, row + right, value);
            continue;
        }
        // Distances in half pixels from the nearer corner centre.
        const std::int64_t py = 2 * std::int64_t{y} + 1;
        const std::int64_t cyTop = 2 * std::int64_t{cell.top} + r2;
        const std::int64_t cyBottom = 2 * std::int64_t{cell.bottom} - r2;
        const std::int64_t dy = py < cyTop ? cyTop - py : (py > cyBottom ? py - cyBottom : 0);
        for (std::int32_t x = left; x < right; ++x) {
            const std::int64_t px = 2 * std::int64_t{x} + 1;
            const std::int64_t cxLeft = 2 * std::int64_t{cell.left} + r2;
            const std::int64_t cxRight = 2 * std::int64_t{cell.right} - r2;
            const std::int64_t dx = px < cxLeft ? cxLeft - px : (px > cxRight ? px - cxRight : 0);
            if (dx * dx + dy * dy <= r2 * r2)
                row[x] = value;
        }
    }
}

} // namespace lumaro
