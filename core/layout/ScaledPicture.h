#pragma once

#include "core/layout/ColourSource.h"

#include <cstdint>
#include <vector>

namespace lumaro {

inline constexpr std::uint32_t kColourWhite = 0x00FFFFFF;

// A picture shown at the view's top left corner, scaled by a fit factor. The
// colour shown at a view point is the picture's own pixel under it, whatever
// smoothing the screen uses, and white outside the picture, so a scan reads
// the same colours on every machine.
class CScaledPicture : public IColourSource {
public:
    CScaledPicture() = default;
    // pixels: width × height colours, row by row, 0x00BBGGRR.
    CScaledPicture(int width, int height, std::vector<std::uint32_t> pixels);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width <= 0 || m_height <= 0; }

    double Fit() const { return m_fit; }
    void SetFit(double fit) { m_fit = fit; }

    // The smaller of client width ÷ picture width and client height ÷
    // picture height; 0 when either picture side is 0.
    static double FitFactor(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight);

    std::uint32_t ColourAt(int px, int py) const override;
    void ColoursAtRow(int py, std::span<const int> xs, std::uint32_t* out) const override;
    std::uint32_t PixelAt(int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    double m_fit = 1.0;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace lumaro
