#pragma once

#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoGeometry.h"

#include <cstdint>
#include <vector>

namespace lumaro {

// 0xFFRRGGBB, the layout of a 32-bit RGB picture row.
inline constexpr std::uint32_t DemoPixel(DemoRgb c)
{
    return 0xFF000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}

// A view on 32-bit pixels owned by someone else (a frame below, or the
// demo window's picture), `stride` pixels apart from row to row.
struct DemoPixels {
    std::uint32_t* data = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;
};

// Paints one lamp cell in `colour`, clipped to the pixels: the whole cell,
// or a square rounded with a corner ellipse of `cornerEllipse` pixels.
void PaintDemoCell(DemoPixels pixels, const CRect& cell, DemoRgb colour, DemoShape shape,
                   std::int32_t cornerEllipse);

// A picture of the demo window as the export renders it.
struct CDemoFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels; // row by row, DemoPixel values

    CDemoFrame() = default;
    CDemoFrame(std::int32_t w, std::int32_t h, DemoRgb fill = {});

    DemoPixels View() { return {pixels.data(), width, height, width}; }
    std::uint32_t At(std::int32_t x, std::int32_t y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool operator==(const CDemoFrame&) const = default;
};

} // namespace lumaro
