#pragma once

#include <QColor>

#include <cstdint>

namespace lumaro::gui {

// A colour as the project stores it (0x00BBGGRR).
QColor LampColour(std::int32_t colourRef);

// Text or line colour that stays readable on background: near black on
// light colours (yellow, cyan, light green), white on dark ones. Chosen by
// luma, which is how bright the colour looks rather than how much light it
// has in total.
QColor ContrastColour(const QColor& background);

} // namespace lumaro::gui
