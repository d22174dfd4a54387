#include "gui/layout/LampWiring.h"

#include "core/layout/PortEditor.h"
#include "gui/widgets/LampColour.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <map>

namespace lumaro::gui {

std::vector<LampChain> LampChains(const std::vector<CLamp>& lamps)
{
    std::map<int, std::vector<std::size_t>> byPort;
    for (std::size_t i = 0; i < lamps.size(); ++i) {
        if (lamps[i].port > 0)
            byPort[lamps[i].port].push_back(i);
    }
    std::vector<LampChain> chains;
    chains.reserve(byPort.size());
    for (auto& [port, indices] : byPort) {
        std::stable_sort(indices.begin(), indices.end(),
                         [&lamps](std::size_t a, std::size_t b) { return lamps[a].order < lamps[b].order; });
        chains.push_back(LampChain{port, std::move(indices)});
    }
    return chains;
}

void PaintWiring(QPainter& painter, const std::vector<CLamp>& lamps, const std::vector<LampChain>& chains,
                 const std::function<QPointF(const CLamp&)>& centre, double cell, const QRectF& visible)
{
    const double width = std::max(1.0, cell / 8.0);
    const double edgeWidth = width + 2.0;
    const double ring = 0.6 * cell;
    const double inset = 0.35 * cell;
    std::vector<QLineF> segments;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const LampChain& chain : chains) {
        if (chain.lamps.empty())
            continue;
        segments.clear();
        const QPointF first = centre(lamps[chain.lamps.front()]);
        QPointF previous = first;
        for (std::size_t i = 1; i < chain.lamps.size(); ++i) {
            const QPointF next = centre(lamps[chain.lamps[i]]);
            const QRectF reach =
                QRectF(previous, next).normalized().adjusted(-edgeWidth, -edgeWidth, edgeWidth, edgeWidth);
            // From lamp edge to lamp edge, so the order numbers stay clear.
            const QLineF line(previous, next);
            const double length = line.length();
            if (length > 2 * inset && reach.intersects(visible)) {
                const QPointF step = (next - previous) * (inset / length);
                segments.emplace_back(previous + step, next - step);
            }
            previous = next;
        }
        const QColor colour = LampColour(static_cast<std::int32_t>(CPortEditor::PortColour(chain.port)));
        const QColor edge = ContrastColour(colour);
        const bool ringShown = QRectF(first.x() - ring - edgeWidth, first.y() - ring - edgeWidth,
                                      2 * (ring + edgeWidth), 2 * (ring + edgeWidth))
                                   .intersects(visible);
        // Square ends: round ones are curves, and over thousands of segments
        // they cost more than all the lamps.
        for (const auto& [pen, penWidth] : {std::pair{edge, edgeWidth}, std::pair{colour, width}}) {
            painter.setPen(QPen(pen, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            if (!segments.empty())
                painter.drawLines(segments.data(), static_cast<int>(segments.size()));
            if (ringShown)
                painter.drawEllipse(first, ring, ring);
        }
    }
    painter.restore();
}

} // namespace lumaro::gui
