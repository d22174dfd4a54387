#include "gui/preview/ModeTestPicture.h"

#include "core/effects/PickListEdit.h"

#include <QColor>
#include <QPainter>

#include <algorithm>

namespace lumaro::gui {

namespace {

const QColor kPlainFill(58, 110, 165);
const QColor kLayerFill(0, 255, 0);
const QColor kPickedColour(0, 0, 255);

// Rounds toward minus infinity, so that a pixel left of cell 0 lies in
// cell -1, off the grid, and not in cell 0.
int FloorDiv(std::int64_t a, int b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && (a < 0))
        --q;
    return static_cast<int>(q);
}

} // namespace

int CModeTestPicture::FitZoom(const std::vector<CLamp>& lamps, QSize client)
{
    return FitZoom(LampBounds(lamps), client);
}

int CModeTestPicture::FitZoom(const CRect& bounds, QSize client)
{
    const std::int64_t dx = std::int64_t(bounds.right) - bounds.left;
    const std::int64_t dy = std::int64_t(bounds.bottom) - bounds.top;
    if (dx == 0 && dy == 0)
        return kOneCellZoom;
    const std::int64_t zoom = dx <= dy ? client.height() / dy : client.width() / dx;
    // More cells than pixels would give 0, and every later division by it.
    return static_cast<int>(std::clamp<std::int64_t>(zoom, 1, kMaxZoom));
}

void CModeTestPicture::SetLamps(const std::vector<CLamp>& lamps)
{
    m_lamps.clear();
    m_lamps.reserve(lamps.size());
    for (const CLamp& lamp : lamps)
        m_lamps.push_back({lamp.x, lamp.y, lamp.number});
    m_bounds = LampBounds(lamps);

    m_indexOfNumber.assign(m_lamps.size(), -1);
    m_lampOnCell.assign(std::size_t(kGridCells) * kGridCells, -1);
    for (std::size_t i = 0; i < m_lamps.size(); ++i) {
        const Spot& spot = m_lamps[i];
        if (spot.number >= 0 && std::size_t(spot.number) < m_indexOfNumber.size() &&
            m_indexOfNumber[std::size_t(spot.number)] < 0)
            m_indexOfNumber[std::size_t(spot.number)] = static_cast<std::int32_t>(i);
        if (spot.x >= 0 && spot.x < kGridCells && spot.y >= 0 && spot.y < kGridCells) {
            std::int32_t& slot = m_lampOnCell[std::size_t(spot.y) * kGridCells + std::size_t(spot.x)];
            if (slot < 0)
                slot = static_cast<std::int32_t>(i);
        }
    }
    m_stale = true;
}

void CModeTestPicture::Place(QSize client, int chosenZoom)
{
    const int zoom = std::clamp(chosenZoom > 0 ? chosenZoom : FitZoom(m_bounds, client), 1, kMaxZoom);
    const QPoint origin(
        static_cast<int>((client.width() - (std::int64_t(m_bounds.right) + m_bounds.left) * zoom) / 2),
        static_cast<int>((client.height() - (std::int64_t(m_bounds.bottom) + m_bounds.top) * zoom) / 2));
    if (zoom != m_zoom || origin != m_origin || client != m_client)
        m_stale = true;
    m_zoom = zoom;
    m_origin = origin;
    m_client = client;
}

QRect CModeTestPicture::CellSquare(int x, int y) const
{
    const int half = m_zoom / 2;
    const int cx = m_origin.x() + x * m_zoom, cy = m_origin.y() + y * m_zoom;
    // At least one pixel, so that a layout larger than the window still shows.
    const int side = std::max(1, 2 * half);
    return QRect(cx - half, cy - half, side, side);
}

QPoint CModeTestPicture::CellAtOffset(QPoint offset) const
{
    const int half = m_zoom / 2;
    return QPoint(FloorDiv(std::int64_t(offset.x()) + half, m_zoom),
                  FloorDiv(std::int64_t(offset.y()) + half, m_zoom));
}

QPoint CModeTestPicture::CellAt(QPoint pixel) const
{
    return CellAtOffset(pixel - m_origin);
}

std::optional<std::uint32_t> CModeTestPicture::LampAt(QPoint cell) const
{
    if (cell.x() < 0 || cell.x() >= kGridCells || cell.y() < 0 || cell.y() >= kGridCells ||
        m_lampOnCell.empty())
        return std::nullopt;
    const std::int32_t index = m_lampOnCell[std::size_t(cell.y()) * kGridCells + std::size_t(cell.x())];
    if (index < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(m_lamps[std::size_t(index)].number);
}

void CModeTestPicture::MakeSprites()
{
    if (m_spriteZoom == m_zoom)
        return;
    m_spriteZoom = m_zoom;
    const int side = std::max(1, 2 * (m_zoom / 2));
    const double radius = static_cast<int>(m_zoom * 0.9) / 2.0;
    const struct {
        QColor fill, outline;
    } looks[StyleCount] = {{kPlainFill, Qt::white}, {kLayerFill, Qt::white}, {kPickedColour, kPickedColour}};
    for (int style = 0; style < StyleCount; ++style) {
        QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
        sprite.fill(Qt::transparent);
        QPainter painter(&sprite);
        if (side <= 2) {
            painter.fillRect(sprite.rect(), looks[style].fill);
        } else {
            // The pen's line lies on the last row and column of the square.
            painter.setPen(QPen(looks[style].outline, 1));
            painter.setBrush(looks[style].fill);
            painter.drawRoundedRect(QRect(0, 0, side - 1, side - 1), radius, radius);
        }
        painter.end();
        m_sprites[std::size_t(style)] = std::move(sprite);
    }
}

void CModeTestPicture::DrawSpot(QPainter& painter, const Spot& spot, Style style) const
{
    const QRect square = CellSquare(spot.x, spot.y);
    if (!square.intersects(m_image.rect()))
        return;
    painter.drawImage(square.topLeft(), m_sprites[std::size_t(style)]);
}

void CModeTestPicture::DrawList(QPainter& painter, const UIntArray& numbers, Style style) const
{
    for (std::uint32_t number : numbers) {
        if (number >= m_indexOfNumber.size())
            continue;
        const std::int32_t index = m_indexOfNumber[number];
        if (index >= 0)
            DrawSpot(painter, m_lamps[std::size_t(index)], style);
    }
}

const QImage& CModeTestPicture::Render(const Highlights& highlights)
{
    const QSize size = m_client.expandedTo(QSize(1, 1));
    if (!m_stale && highlights == m_drawn && m_image.size() == size)
        return m_image;
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::white);
    MakeSprites();
    QPainter painter(&m_image);
    for (const Spot& spot : m_lamps)
        DrawSpot(painter, spot, Plain);
    if (highlights.layer)
        DrawList(painter, *highlights.layer, OnLayer);
    if (highlights.groupPicks)
        DrawList(painter, *highlights.groupPicks, Picked);
    if (highlights.parameterPicks && !NoParameterLamp(*highlights.parameterPicks))
        DrawList(painter, *highlights.parameterPicks, Picked);
    painter.end();
    m_drawn = highlights;
    m_stale = false;
    ++m_renderCount;
    return m_image;
}

} // namespace lumaro::gui
