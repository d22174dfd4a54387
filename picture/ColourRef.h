#pragma once

#include <QColor>
#include <QRgb>

#include <cstdint>

namespace lumaro {

// The project keeps colours as Windows colour values (0x00BBGGRR: red in
// the low byte) and colour lists as separate red, green and blue values;
// these are the only places that turn them into Qt's colours and back.
inline QRgb RgbFromColourRef(std::uint32_t colourRef)
{
    return qRgb(static_cast<int>(colourRef & 0xFF), static_cast<int>((colourRef >> 8) & 0xFF),
                static_cast<int>((colourRef >> 16) & 0xFF));
}

inline std::uint32_t ColourRefFromRgb(QRgb rgb)
{
    return static_cast<std::uint32_t>(qRed(rgb)) | (static_cast<std::uint32_t>(qGreen(rgb)) << 8) |
           (static_cast<std::uint32_t>(qBlue(rgb)) << 16);
}

inline QColor ColourFromRef(std::uint32_t colourRef)
{
    return QColor(RgbFromColourRef(colourRef));
}

// One colour of a colour list; values above 255 keep their low byte, as the
// firmware reads them.
inline QColor ColourFromChannels(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return QColor(static_cast<int>(red & 0xFF), static_cast<int>(green & 0xFF),
                  static_cast<int>(blue & 0xFF));
}

} // namespace lumaro
