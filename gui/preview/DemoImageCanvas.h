#pragma once

#include "core/layout/Lamp.h"
#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoGeometry.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <mutex>
#include <vector>

class QPainter;

namespace lumaro::gui {

// The pixels of a 32-bit RGB picture, for the painters' cells.
DemoPixels PixelsOf(QImage& image);

// The picture the demo window's painters draw into. The mode threads paint
// lamp cells into it under its lock and ask the window for a repaint (at
// most one waits at a time); the window copies it out under the same lock.
// No thread but the window's touches the window.
class CDemoImageCanvas : public IDemoCanvas {
public:
    explicit CDemoImageCanvas(QWidget* view);

    // A fresh picture to draw on (the background, the lamps where they sit).
    void Reset(QImage background, std::vector<CLamp> lamps, const CDemoGeometry& geometry);
    // The shape every later draw takes, whatever the painter was given: the
    // user may switch it while the play runs.
    void SetShape(DemoShape shape) { m_shape = shape; }

    void DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape shape) override;

    // Draws the picture at (0, 0) and lets the next draw ask for a repaint.
    void PaintOn(QPainter& painter);
    QImage Copy() const;

private:
    QWidget* m_view; // set once, read by the mode threads
    mutable std::mutex m_mutex;
    QImage m_image;
    std::vector<CLamp> m_lamps;
    CDemoGeometry m_geometry;
    std::atomic<DemoShape> m_shape{DemoShape::Rectangle};
    std::atomic<bool> m_repaintAsked{false};
};

} // namespace lumaro::gui
