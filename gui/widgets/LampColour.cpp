#include "gui/widgets/LampColour.h"

#include "picture/ColourRef.h"

namespace lumaro::gui {

QColor LampColour(std::int32_t colourRef)
{
    return ColourFromRef(static_cast<std::uint32_t>(colourRef));
}

QColor ContrastColour(const QColor& background)
{
    // Rec. 601 luma: green counts most, blue least.
    const int luma = (299 * background.red() + 587 * background.green() + 114 * background.blue()) / 1000;
    return luma >= 128 ? QColor(0x10, 0x10, 0x10) : QColor(Qt::white);
}

} // namespace lumaro::gui
