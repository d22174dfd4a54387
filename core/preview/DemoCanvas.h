#pragma once

#include <cstdint>

namespace lumaro {

// A lamp colour as the painters draw it: one byte per channel.
struct DemoRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const DemoRgb&) const = default;
};

// The application's demo shape setting (0 rectangle, 1 rounded square).
enum class DemoShape { Rectangle = 0, RoundedSquare = 1 };

// Where the demo painters draw. The program's implementation paints the
// lamp's cell (origin + cell × zoom ± zoom ÷ 2, filled and outlined in the
// colour, rounded with a corner of trunc(zoom × 0.9)) on the demo view; the
// tests' records every call. Painters of one playback call it from several
// threads at once, so an implementation must take each call whole.
class IDemoCanvas {
public:
    virtual ~IDemoCanvas() = default;

    // Paints lamp `lampNumber` (an index into the demo's lamp list) in
    // `colour`. Nothing clears a lamp: it keeps its colour until painted over.
    virtual void DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape shape) = 0;
};

} // namespace lumaro
