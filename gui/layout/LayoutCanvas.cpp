#include "gui/layout/LayoutCanvas.h"

#include "gui/document/LayoutDocument.h"
#include "gui/widgets/LampColour.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace lumaro::gui {

namespace {

// The first paint's zoom: the larger extent of the layout fills the client.
int ZoomFit(const std::vector<CLamp>& lamps, int clientWidth, int clientHeight, int zoom)
{
    if (lamps.empty())
        return zoom;
    const CRect bounds = LampBounds(lamps);
    const std::int64_t dx = std::int64_t(bounds.right) - bounds.left;
    const std::int64_t dy = std::int64_t(bounds.bottom) - bounds.top;
    if (dx > dy)
        zoom = static_cast<int>(clientWidth / dx);
    else if (dy > 0)
        zoom = static_cast<int>(clientHeight / dy);
    zoom = std::min(zoom, CLayoutCanvas::kFirstPaintMaxZoom);
    // A layout wider than the client in cells would give 0 and then divide by it.
    return std::max(zoom, 1);
}

// Below this the digits are a few pixels of noise, not a number.
constexpr int kSmallestNumberPixels = 6;

constexpr Aspects kShown = Aspect::Lamps | Aspect::Ports | Aspect::ScanSettings;

} // namespace

CLayoutCanvas::CLayoutCanvas(CLayoutDocument* document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // Clicks and moves the canvas leaves unhandled reach the view; moves
    // without a button only travel on when the canvas tracks them too.
    setMouseTracking(true);

    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setRange(0, kScrollMax);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { OnScrollAction(bar, action); });
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            TakeOffsetsFromBars();
            update();
        });
    }
    m_hBar->setProperty("controlId", 102);
    m_vBar->setProperty("controlId", 105);

    if (document) {
        connect(document, &CLayoutDocument::Changed, this, [this](Aspects what) {
            if (!(what & kShown))
                return;
            if (what & (Aspect::Lamps | Aspect::Ports))
                m_chainsStale = true;
            update();
        });
    }
}

CLayoutCanvas::~CLayoutCanvas() = default;

// --- zoom ------------------------------------------------------------------

void CLayoutCanvas::SetZoom(int zoom)
{
    zoom = std::max(zoom, 1);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    update();
    Q_EMIT ZoomChanged(m_zoom);
}

void CLayoutCanvas::StepZoom(int step)
{
    if (step < 0 && m_zoom <= 5)
        return;
    SetZoom(m_zoom + step);
}

bool CLayoutCanvas::ZoomByKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers != Qt::NoModifier)
        return false;
    if (key == Qt::Key_PageUp) {
        StepZoom(5);
        return true;
    }
    if (key == Qt::Key_PageDown) {
        StepZoom(-5);
        return true;
    }
    return false;
}

// --- scrolling -------------------------------------------------------------

void CLayoutCanvas::OnScrollAction(QScrollBar* bar, int action)
{
    // The steps are uneven on purpose: one back, two forward.
    int position = bar->value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        if (position > bar->minimum())
            position -= 1;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        if (position < bar->maximum())
            position += 2;
        break;
    case QAbstractSlider::SliderPageStepSub:
        position -= 10;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        position += 10;
        break;
    case QAbstractSlider::SliderToMinimum:
        position = bar->minimum();
        break;
    case QAbstractSlider::SliderToMaximum:
        position = bar->maximum();
        break;
    default:
        return; // the thumb drag moves the position itself
    }
    bar->setSliderPosition(std::clamp(position, bar->minimum(), bar->maximum()));
}

void CLayoutCanvas::TakeOffsetsFromBars()
{
    m_scrollX = m_hBar->value();
    m_scrollY = m_vBar->value();
}

void CLayoutCanvas::Wheel(int delta)
{
    m_vBar->setValue(std::clamp(m_vBar->value() - delta, m_vBar->minimum(), m_vBar->maximum()));
}

void CLayoutCanvas::ScrollBy(QPoint travel)
{
    m_hBar->setValue(m_hBar->value() + travel.x());
    m_vBar->setValue(m_vBar->value() + travel.y());
}

void CLayoutCanvas::ResetScroll()
{
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setRange(0, kScrollMax);
        bar->setValue(0);
    }
    TakeOffsetsFromBars();
}

void CLayoutCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_hBar->setGeometry(0, height() - kBarThickness, std::max(0, width() - kBarThickness), kBarThickness);
    m_vBar->setGeometry(width() - kBarThickness, 0, kBarThickness, std::max(0, height() - kBarThickness));
}

// --- what is shown ---------------------------------------------------------

void CLayoutCanvas::SetGridding(bool on)
{
    m_gridding = on;
    update();
}

void CLayoutCanvas::SetWiringShown(bool on)
{
    m_wiring = on;
    update();
}

void CLayoutCanvas::SetCentred(bool centred)
{
    if (centred == m_centred)
        return;
    m_centred = centred;
    update();
}

void CLayoutCanvas::ShowPicture(const QImage* picture)
{
    if (picture)
        m_picture = *picture;
    else
        m_picture.reset();
    update();
}

QPoint CLayoutCanvas::CellAt(QPoint point) const
{
    return QPoint((point.x() + m_scrollX) / m_zoom, (point.y() + m_scrollY) / m_zoom);
}

QPoint CLayoutCanvas::LampOrigin(int x, int y) const
{
    if (!m_centred && m_drawCount > 0)
        return QPoint(x * m_zoom, y * m_zoom);
    if (!m_document || m_document->Data().lamps.empty())
        return QPoint(x * m_zoom, y * m_zoom);
    const CRect bounds = LampBounds(m_document->Data().lamps);
    const int ox = (width() - (bounds.right + bounds.left) * m_zoom) / 2;
    const int oy = (height() - (bounds.bottom + bounds.top) * m_zoom) / 2;
    return QPoint(x * m_zoom - m_zoom / 2 + ox, y * m_zoom - m_zoom / 2 + oy);
}

// --- painting --------------------------------------------------------------

void CLayoutCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_picture) {
        PaintPicture(painter);
        return;
    }
    if (m_document && m_document->Data().scanned && !m_document->Data().lamps.empty()) {
        painter.save();
        PaintLamps(painter, event->rect());
        painter.restore();
    }
    // The square where the two scroll bars meet.
    painter.fillRect(width() - kBarThickness, height() - kBarThickness, kBarThickness, kBarThickness,
                     palette().color(QPalette::Window));
}

void CLayoutCanvas::PaintPicture(QPainter& painter)
{
    if (m_picture->isNull())
        return;
    painter.drawImage(QPoint(0, 0), *m_picture);
    if (m_document) {
        // The scope as an inverting rubber band, visible on any picture.
        // A stroked QRect reaches one pixel past its right and bottom.
        const CRect scope = m_document->Data().scanScope.Normalized();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(scope.left, scope.top, scope.right - scope.left, scope.bottom - scope.top));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void CLayoutCanvas::PaintLamps(QPainter& painter, const QRect& dirty)
{
    const std::vector<CLamp>& lamps = m_document->Data().lamps;
    if (m_drawCount == 0) {
        const int fitted = ZoomFit(lamps, width(), height(), m_zoom);
        if (fitted != m_zoom) {
            m_zoom = fitted;
            Q_EMIT ZoomChanged(m_zoom);
        }
    }
    const int zoom = m_zoom;

    painter.translate(-m_scrollX, -m_scrollY);
    const QRect visible = dirty.translated(m_scrollX, m_scrollY);
    if (m_gridding) {
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.setBrush(Qt::black);
        painter.drawRect(0, 0, 10000, 10000);
        // Only the lines inside the area to repaint; the others would be clipped anyway.
        const QColor major(0x60, 0x60, 0x60), minor(0x40, 0x40, 0x40);
        const int firstX = std::max(1, visible.left() / zoom),
                  lastX = std::min(3000, visible.right() / zoom + 1);
        for (int k = firstX; k <= lastX; ++k) {
            painter.setPen((k - 1) % 5 == 0 ? major : minor);
            painter.drawLine(k * zoom, 0, k * zoom, 10000);
        }
        const int firstY = std::max(1, visible.top() / zoom),
                  lastY = std::min(3000, visible.bottom() / zoom + 1);
        for (int k = firstY; k <= lastY; ++k) {
            painter.setPen((k - 1) % 5 == 0 ? major : minor);
            painter.drawLine(0, k * zoom, 10000, k * zoom);
        }
    }

    const QPoint base = LampOrigin(0, 0);
    QFont font(QStringLiteral("Century Gothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, 2 * zoom / 3));
    // Strokes thick enough to read at the small sizes most layouts are drawn at.
    font.setWeight(QFont::DemiBold);
    // Characters a quarter of the cell wide, as the font's average width.
    if (const int average = QFontMetrics(font).averageCharWidth(); average > 0 && zoom >= 4)
        font.setStretch(std::clamp(100 * (zoom / 4) / average, 1, 4000));
    for (const CLamp& lamp : lamps) {
        const QPoint at(base.x() + lamp.x * zoom, base.y() + lamp.y * zoom);
        if (!QRect(at, QSize(zoom + 1, zoom + 1)).intersects(visible))
            continue;
        painter.drawImage(at, LampSprite(lamp, font));
    }
    if (m_wiring)
        PaintWiring(painter, visible);
    ++m_drawCount;
}

void CLayoutCanvas::PaintWiring(QPainter& painter, const QRect& visible)
{
    const std::vector<CLamp>& lamps = m_document->Data().lamps;
    if (m_chainsStale) {
        m_chains = LampChains(lamps);
        m_chainsStale = false;
    }
    const QPoint base = LampOrigin(0, 0);
    const int zoom = m_zoom;
    const double half = zoom / 2.0;
    // Smoothed wide lines cost many times as much over a large layout.
    painter.setRenderHint(QPainter::Antialiasing, false);
    gui::PaintWiring(
        painter, lamps, m_chains,
        [base, zoom, half](const CLamp& lamp) {
            return QPointF(base.x() + double(lamp.x) * zoom + half, base.y() + double(lamp.y) * zoom + half);
        },
        zoom, QRectF(visible));
}

const QImage& CLayoutCanvas::LampSprite(const CLamp& lamp, const QFont& font)
{
    const int zoom = m_zoom;
    const bool numbered = lamp.port > 0 && font.pixelSize() >= kSmallestNumberPixels;
    const quint64 key = (quint64(std::min(zoom, 0xFFFF)) << 48) |
                        (quint64(static_cast<std::uint32_t>(lamp.colour) & 0xFFFFFF) << 24) |
                        (numbered ? quint64(static_cast<std::uint32_t>(lamp.order) & 0xFFFFFF) + 1 : 0);
    auto found = m_sprites.constFind(key);
    if (found != m_sprites.constEnd())
        return *found;
    if (m_sprites.size() > 8192)
        m_sprites.clear();

    QImage sprite(zoom + 1, zoom + 1, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    const QColor colour = LampColour(lamp.colour);
    const double corner = static_cast<int>(zoom * 0.9) / 2.0;
    painter.setPen(Qt::white);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRect(0, 0, zoom, zoom), corner, corner);
    if (numbered) {
        painter.setPen(ContrastColour(colour));
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(colour);
        const QRect text(QPoint(zoom / 6, zoom / 5), QPoint(5 * zoom / 6, 5 * zoom / 6));
        painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop, QString::number(lamp.order));
    }
    painter.end();
    return *m_sprites.insert(key, std::move(sprite));
}

} // namespace lumaro::gui
