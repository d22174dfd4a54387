#pragma once

#include "gui/layout/LampWiring.h"

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class QScrollBar;

namespace lumaro::gui {

class CLayoutDocument;

// What the lamp layout view shows: the picture being scanned, or the lamps
// on their grid, with the scroll bars, the zoom and the wiring. Redraws
// when the document announces a change it shows. Mouse, wheel and keys go
// to the view, which hands them on here.
class CLayoutCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kScrollMax = 3000;
    static constexpr int kBarThickness = 15;
    static constexpr int kInitialZoom = 16;
    static constexpr int kFirstPaintMaxZoom = 20;

    CLayoutCanvas(CLayoutDocument* document, QWidget* parent);
    ~CLayoutCanvas() override;

    int Zoom() const { return m_zoom; }
    void SetZoom(int zoom);
    // One zoom step in or out; zooming out stops at 5.
    void StepZoom(int step);
    // Page Up and Page Down zoom by five; false for any other key.
    bool ZoomByKey(int key, Qt::KeyboardModifiers modifiers);

    // The wheel scrolls up and down.
    void Wheel(int delta);
    // Moves the view by travel pixels (the pan tool).
    void ScrollBy(QPoint travel);
    void ResetScroll();
    QScrollBar* HorizontalBar() const { return m_hBar; }
    QScrollBar* VerticalBar() const { return m_vBar; }

    bool Gridding() const { return m_gridding; }
    void SetGridding(bool on);
    bool WiringShown() const { return m_wiring; }
    void SetWiringShown(bool on);
    // While no tool has been chosen the layout sits in the middle.
    void SetCentred(bool centred);
    // Shows picture instead of the lamps; nullptr shows the lamps again.
    void ShowPicture(const QImage* picture);

    int DrawCount() const { return m_drawCount; }
    // The cell under a point, as clicks see it.
    QPoint CellAt(QPoint point) const;
    // Where the lamp of cell (x, y) is drawn (top left of its square).
    QPoint LampOrigin(int x, int y) const;

Q_SIGNALS:
    void ZoomChanged(int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnScrollAction(QScrollBar* bar, int action);
    void TakeOffsetsFromBars();
    void PaintPicture(QPainter& painter);
    void PaintLamps(QPainter& painter, const QRect& dirty);
    void PaintWiring(QPainter& painter, const QRect& visible);
    const QImage& LampSprite(const CLamp& lamp, const QFont& font);

    QPointer<CLayoutDocument> m_document;
    int m_zoom = kInitialZoom;
    int m_drawCount = 0;
    int m_scrollX = 0;
    int m_scrollY = 0;
    bool m_gridding = true;
    bool m_wiring = false;
    bool m_centred = true;
    std::optional<QImage> m_picture;
    // Lamps drawn once per zoom, colour and order number, then copied.
    QHash<quint64, QImage> m_sprites;
    std::vector<LampChain> m_chains; // of the lamps as last drawn
    bool m_chainsStale = true;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
};

} // namespace lumaro::gui
