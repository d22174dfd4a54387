#pragma once

#include <cstdint>
#include <utility>

namespace lumaro {

// A rectangle of 32-bit integers, stored left, top, right, bottom.
struct CRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    // The same rectangle with left <= right and top <= bottom, however it was drawn.
    CRect Normalized() const
    {
        CRect r = *this;
        if (r.left > r.right)
            std::swap(r.left, r.right);
        if (r.top > r.bottom)
            std::swap(r.top, r.bottom);
        return r;
    }

    bool operator==(const CRect&) const = default;
};

} // namespace lumaro
