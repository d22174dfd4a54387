#pragma once

#include "core/layout/Rect.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lumaro {

// Display colours as Windows colour values (0x00BBGGRR).
inline constexpr std::uint32_t kColourRed = 0x0000FF;
inline constexpr std::uint32_t kColourGreen = 0x00FF00;

// One lamp of the installation. Every field is stored as a 32-bit signed
// integer, in this order, in the layout file.
class CLamp {
public:
    std::int32_t x = 0;      // grid column, 0-based
    std::int32_t y = 0;      // grid row, 0-based
    std::int32_t number = 0; // 0-based, contiguous in list order
    std::int32_t colour = static_cast<std::int32_t>(kColourRed);
    std::int32_t size = 0; // whole part of the grid step when created
    std::int32_t shown = 1;
    std::int32_t port = 0;  // 1..12, 0 = not on a port
    std::int32_t order = 0; // 1-based position in the port's chain, 0 = none

    CLamp() = default;
    CLamp(std::int32_t x_, std::int32_t y_, std::int32_t number_, std::int32_t colour_, std::int32_t size_,
          std::int32_t shown_)
        : x(x_), y(y_), number(number_), colour(colour_), size(size_), shown(shown_)
    {
    }

    bool operator==(const CLamp&) const = default;
};

// Smallest and largest grid column and row of the lamps (left, top, right,
// bottom, inclusive); all zero for no lamps, which callers test first.
inline CRect LampBounds(const std::vector<CLamp>& lamps)
{
    if (lamps.empty())
        return {};
    CRect r{lamps.front().x, lamps.front().y, lamps.front().x, lamps.front().y};
    for (const CLamp& l : lamps) {
        r.left = std::min(r.left, l.x);
        r.top = std::min(r.top, l.y);
        r.right = std::max(r.right, l.x);
        r.bottom = std::max(r.bottom, l.y);
    }
    return r;
}

} // namespace lumaro
