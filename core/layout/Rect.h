#pragma once

#include <cstdint>

namespace lumaro {

// A rectangle of 32-bit integers, stored left, top, right, bottom.
struct CRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const CRect&) const = default;
};

} // namespace lumaro
