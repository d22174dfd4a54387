#pragma once

#include "core/layout/Lamp.h"

#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <functional>
#include <vector>

class QPainter;

namespace lumaro::gui {

// One port's cable: the lamps on the port in the order the data runs
// through them.
struct LampChain {
    int port = 0;
    std::vector<std::size_t> lamps; // indices into the lamp list, lowest order first
};

// The chains of every port that has lamps, by port number.
std::vector<LampChain> LampChains(const std::vector<CLamp>& lamps);

// Draws each chain as a line in its port's colour from lamp to lamp, and
// rings the chain's first lamp. The line has an edge in the
// contrasting colour so that it shows over lamps of its own colour. cell
// is the size of one cell in painter units; only segments that reach into
// visible are drawn.
void PaintWiring(QPainter& painter, const std::vector<CLamp>& lamps, const std::vector<LampChain>& chains,
                 const std::function<QPointF(const CLamp&)>& centre, double cell, const QRectF& visible);

} // namespace lumaro::gui
