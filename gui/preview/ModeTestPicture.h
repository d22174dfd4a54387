#pragma once

#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumaro::gui {

// What the mode test view shows: the handed-over lamps fitted and centred
// in the client, the current layer's lamps over them and, while the mode
// editor picks, the picked lamps over those. Drawn once into an image that
// every paint copies, so picking and dragging never flicker or redraw
// 10,000 lamps per pointer move.
class CModeTestPicture {
public:
    static constexpr int kMaxZoom = 20;
    // Lamps on a single cell have no extent to fit: they get the largest
    // cell the view ever draws.
    static constexpr int kOneCellZoom = kMaxZoom;
    // Picks work on the effect model's grid.
    static constexpr int kGridCells = 500;

    // The lists drawn over the lamps, in this order; nullptr for none.
    struct Highlights {
        const UIntArray* layer = nullptr;
        const UIntArray* groupPicks = nullptr;
        const UIntArray* parameterPicks = nullptr;
        bool operator==(const Highlights&) const = default;
    };

    // The zoom at which the larger extent of lamps fills client, at most
    // kMaxZoom and at least 1.
    static int FitZoom(const std::vector<CLamp>& lamps, QSize client);
    static int FitZoom(const CRect& bounds, QSize client);

    void SetLamps(const std::vector<CLamp>& lamps);
    // Places the lamps in client at chosenZoom, 0 meaning the fit.
    void Place(QSize client, int chosenZoom);
    // The lists changed: the next Render draws anew.
    void Invalidate() { m_stale = true; }

    int Zoom() const { return m_zoom; }
    // Pixel position of lamp cell (0,0).
    QPoint Origin() const { return m_origin; }
    QSize Client() const { return m_client; }
    // The square the lamp of cell (x, y) is drawn in.
    QRect CellSquare(int x, int y) const;
    // The cell under a window pixel.
    QPoint CellAt(QPoint pixel) const;
    // The cell a pixel relative to the origin lies in.
    QPoint CellAtOffset(QPoint offset) const;
    // The number of the first lamp on cell; none off the grid or on an
    // empty cell.
    std::optional<std::uint32_t> LampAt(QPoint cell) const;
    int LampCount() const { return static_cast<int>(m_lamps.size()); }

    // The picture for highlights, drawn only when something changed.
    const QImage& Render(const Highlights& highlights);
    int RenderCount() const { return m_renderCount; }

private:
    struct Spot {
        std::int32_t x, y, number;
    };
    enum Style { Plain, OnLayer, Picked, StyleCount };

    void DrawSpot(QPainter& painter, const Spot& spot, Style style) const;
    void DrawList(QPainter& painter, const UIntArray& numbers, Style style) const;
    void MakeSprites();

    std::vector<Spot> m_lamps;
    std::vector<std::int32_t> m_indexOfNumber; // -1: no lamp has the number
    std::vector<std::int32_t> m_lampOnCell;    // kGridCells², -1: empty
    CRect m_bounds;
    QSize m_client;
    int m_zoom = 1;
    QPoint m_origin;
    std::array<QImage, StyleCount> m_sprites;
    int m_spriteZoom = 0;
    QImage m_image;
    Highlights m_drawn;
    bool m_stale = true;
    int m_renderCount = 0;
};

} // namespace lumaro::gui
