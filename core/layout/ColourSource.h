#pragma once

#include <cstdint>
#include <span>

namespace lumaro {

// What the scan reads: the colour shown at a point of the view's client
// area, as a Windows colour value (0x00BBGGRR).
class IColourSource {
public:
    virtual ~IColourSource() = default;
    virtual std::uint32_t ColourAt(int px, int py) const = 0;

    // The colours at (xs[i], py) into out[i]. A scan reads a whole row of
    // samples at a time, which a picture in memory serves far faster than
    // point by point down its columns.
    virtual void ColoursAtRow(int py, std::span<const int> xs, std::uint32_t* out) const
    {
        for (std::size_t i = 0; i < xs.size(); ++i)
            out[i] = ColourAt(xs[i], py);
    }
};

} // namespace lumaro
