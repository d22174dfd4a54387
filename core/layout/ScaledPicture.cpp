#include "core/layout/ScaledPicture.h"

#include <algorithm>
#include <cmath>

namespace lumaro {

CScaledPicture::CScaledPicture(int width, int height, std::vector<std::uint32_t> pixels)
    : m_width(width), m_height(height), m_pixels(std::move(pixels))
{
    if (m_width < 0 || m_height < 0 ||
        m_pixels.size() != static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height)) {
        m_width = m_height = 0;
        m_pixels.clear();
    }
}

double CScaledPicture::FitFactor(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return 0.0;
    return std::min(static_cast<double>(clientWidth) / pictureWidth,
                    static_cast<double>(clientHeight) / pictureHeight);
}

std::uint32_t CScaledPicture::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kColourWhite;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

std::uint32_t CScaledPicture::ColourAt(int px, int py) const
{
    if (!(m_fit > 0.0) || px < 0 || py < 0)
        return kColourWhite;
    const double x = std::floor(px / m_fit);
    const double y = std::floor(py / m_fit);
    if (x >= m_width || y >= m_height)
        return kColourWhite;
    return PixelAt(static_cast<int>(x), static_cast<int>(y));
}

void CScaledPicture::ColoursAtRow(int py, std::span<const int> xs, std::uint32_t* out) const
{
    const double y = py >= 0 && m_fit > 0.0 ? std::floor(py / m_fit) : -1.0;
    if (y < 0.0 || y >= m_height) {
        std::fill(out, out + xs.size(), kColourWhite);
        return;
    }
    const std::uint32_t* row =
        m_pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i] >= 0 ? std::floor(xs[i] / m_fit) : -1.0;
        out[i] = x >= 0.0 && x < m_width ? row[static_cast<std::size_t>(x)] : kColourWhite;
    }
}

} // namespace lumaro
