#pragma once

#include <QPoint>

#include <optional>

namespace lumaro::gui {

// What the lamp layout view tells about the cell under the pointer.
struct HoveredCell {
    std::optional<QPoint> cell; // none while the pointer has not been over the view
    int number = -1;            // the lamp on the cell, -1 for none
    int port = -1;
    int order = -1;
    int total = 0; // lamps in the layout
};

} // namespace lumaro::gui
