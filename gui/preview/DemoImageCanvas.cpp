#include "gui/preview/DemoImageCanvas.h"

#include <QMetaObject>
#include <QPainter>

namespace lumaro::gui {

DemoPixels PixelsOf(QImage& image)
{
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<std::int32_t>(image.bytesPerLine() / 4)};
}

CDemoImageCanvas::CDemoImageCanvas(QWidget* view) : m_view(view) {}

void CDemoImageCanvas::Reset(QImage background, std::vector<CLamp> lamps, const CDemoGeometry& geometry)
{
    std::scoped_lock lock(m_mutex);
    m_image = background.convertToFormat(QImage::Format_RGB32);
    m_lamps = std::move(lamps);
    m_geometry = geometry;
}

void CDemoImageCanvas::DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape)
{
    {
        std::scoped_lock lock(m_mutex);
        if (lampNumber < 0 || static_cast<std::size_t>(lampNumber) >= m_lamps.size() || m_image.isNull())
            return;
        PaintDemoCell(PixelsOf(m_image), m_geometry.CellOf(m_lamps[static_cast<std::size_t>(lampNumber)]),
                      colour, m_shape, m_geometry.CornerEllipse());
    }
    // The window was alive when the play began and ends every play before
    // it goes, so the pointer is good; the queued call runs on its thread.
    if (!m_repaintAsked.exchange(true))
        QMetaObject::invokeMethod(m_view, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void CDemoImageCanvas::PaintOn(QPainter& painter)
{
    m_repaintAsked = false;
    std::scoped_lock lock(m_mutex);
    painter.drawImage(0, 0, m_image);
}

QImage CDemoImageCanvas::Copy() const
{
    std::scoped_lock lock(m_mutex);
    return m_image.copy();
}

} // namespace lumaro::gui
