#include "gui/widgets/ToolBarIcons.h"

#include "gui/app/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lumaro::gui {

namespace {

// Every image is drawn on a 26 x 22 grid and scaled to the button size.
constexpr qreal kGridW = 26.0;
constexpr qreal kGridH = 22.0;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kLampOn(255, 196, 0);
const QColor kLampRim(150, 100, 0);
const QColor kBlue(40, 90, 170);
const QColor kGreen(30, 140, 60);
const QColor kRed(190, 30, 30);

void Page(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right() - 4, r.top() + 4));
    p.drawLine(QPointF(r.right() - 4, r.top() + 4), QPointF(r.right(), r.top() + 4));
}

void Lamp(QPainter& p, QPointF c, qreal radius, const QColor& fill = kLampOn)
{
    p.setPen(QPen(kLampRim, 1.0));
    p.setBrush(fill);
    p.drawEllipse(c, radius, radius);
}

void Plus(QPainter& p, QPointF c, qreal s, const QColor& colour)
{
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - s), QPointF(c.x(), c.y() + s));
}

void Minus(QPainter& p, QPointF c, qreal s, const QColor& colour)
{
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
}

void Magnifier(QPainter& p, QPointF c, qreal radius)
{
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(kInk, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(radius * 0.75, radius * 0.75), c + QPointF(radius * 1.7, radius * 1.7));
}

void Draw(QPainter& p, int id)
{
    switch (id) {
    case cmd::NewEmptyLayout: // new layout: a page with a lamp on it
        Page(p, QRectF(7, 2, 12, 17));
        Lamp(p, QPointF(13, 12), 2.5);
        break;
    case cmd::FileOpen: {
        p.setPen(QPen(kLampRim, 1.0));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(3, 6, 16, 12));
        p.drawRect(QRectF(3, 4, 6, 2));
        QPolygonF flap{QPointF(6, 10), QPointF(23, 10), QPointF(19, 18), QPointF(3, 18)};
        p.setBrush(QColor(255, 225, 130));
        p.drawPolygon(flap);
        break;
    }
    case cmd::FileSave:
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kBlue);
        p.drawRect(QRectF(5, 2, 16, 17));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 3, 10, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(9, 13, 8, 6));
        break;
    case cmd::FilePrint:
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 2, 10, 7));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(4, 9, 18, 8));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 14, 10, 6));
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(19, 11.5), 1, 1);
        break;
    case cmd::FilePrintPreview:
        Page(p, QRectF(4, 2, 12, 17));
        Magnifier(p, QPointF(14, 11), 4.5);
        break;
    case cmd::UseWizard: // a wand with sparks
        p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 19), QPointF(16, 8));
        p.setPen(QPen(kPaper, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 9.5), QPointF(16, 8));
        Lamp(p, QPointF(19, 5), 2.2);
        Lamp(p, QPointF(22, 11), 1.5);
        Lamp(p, QPointF(12, 3), 1.5);
        break;
    case cmd::ParallelPlay: { // play the effects over lamps
        for (int i = 0; i < 3; ++i)
            Lamp(p, QPointF(5, 5 + i * 6), 2.2, i == 1 ? kLampOn : QColor(120, 120, 120));
        QPolygonF play{QPointF(11, 4), QPointF(23, 11), QPointF(11, 18)};
        p.setPen(QPen(kGreen.darker(), 1.0));
        p.setBrush(kGreen);
        p.drawPolygon(play);
        break;
    }
    case cmd::AppAbout:
        p.setPen(QPen(kBlue.darker(), 1.0));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(13, 11), 8, 8);
        p.setPen(QPen(kPaper, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 10), QPointF(13, 15.5));
        p.drawPoint(QPointF(13, 6.5));
        break;
    case cmd::DeleteLamp:
        Lamp(p, QPointF(11, 11), 6, QColor(180, 180, 180));
        Minus(p, QPointF(19, 17), 4, kRed);
        break;
    case cmd::InsertLamp:
        Lamp(p, QPointF(11, 11), 6);
        Plus(p, QPointF(19, 17), 4, kGreen);
        break;
    case cmd::SwitchWindow: // picture and lamps, swapped
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(2, 2, 12, 10));
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(12, 10, 12, 10));
        Lamp(p, QPointF(16, 15), 1.6);
        Lamp(p, QPointF(20, 15), 1.6);
        p.setPen(QPen(kInk, 1.3));
        p.drawLine(QPointF(4, 15), QPointF(4, 19));
        p.drawLine(QPointF(4, 19), QPointF(9, 19));
        break;
    case cmd::ShowGrid:
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3, 2, 20, 18));
        for (int x = 8; x < 23; x += 5)
            p.drawLine(QPointF(x, 2), QPointF(x, 20));
        for (int y = 6; y < 20; y += 4)
            p.drawLine(QPointF(3, y), QPointF(23, y));
        break;
    case cmd::Scan: // a picture with a scan line picking lamps out
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(3, 3, 20, 16));
        Lamp(p, QPointF(8, 8), 1.8);
        Lamp(p, QPointF(13, 8), 1.8);
        Lamp(p, QPointF(18, 8), 1.8);
        p.setPen(QPen(kRed, 1.6));
        p.drawLine(QPointF(3, 13), QPointF(23, 13));
        break;
    case cmd::ZoomInTool:
        Magnifier(p, QPointF(10, 9), 6);
        Plus(p, QPointF(10, 9), 3, kInk);
        break;
    case cmd::ZoomOutTool:
        Magnifier(p, QPointF(10, 9), 6);
        Minus(p, QPointF(10, 9), 3, kInk);
        break;
    case cmd::PanTool: { // four arrows
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(13, 3), QPointF(13, 19));
        p.drawLine(QPointF(4, 11), QPointF(22, 11));
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF{QPointF(13, 1), QPointF(10, 5), QPointF(16, 5)});
        p.drawPolygon(QPolygonF{QPointF(13, 21), QPointF(10, 17), QPointF(16, 17)});
        p.drawPolygon(QPolygonF{QPointF(2, 11), QPointF(6, 8), QPointF(6, 14)});
        p.drawPolygon(QPolygonF{QPointF(24, 11), QPointF(20, 8), QPointF(20, 14)});
        break;
    }
    case cmd::PointerTool: {
        QPolygonF arrow{QPointF(8, 2),   QPointF(8, 18),  QPointF(12, 14), QPointF(15, 20),
                        QPointF(17, 19), QPointF(14, 13), QPointF(19, 13)};
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawPolygon(arrow);
        break;
    }
    default:
        break;
    }
}

QPixmap Render(int id, QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / kGridW, size.height() / kGridH);
    Draw(p, id);
    return pixmap;
}

QPixmap RenderApplicationIcon(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(35, 45, 70));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            bool lit = (row + col) % 2 == 0;
            p.setBrush(lit ? kLampOn : QColor(90, 100, 120));
            p.drawEllipse(QPointF(8 + col * 8, 8 + row * 8), lit ? 3.2 : 2.4, lit ? 3.2 : 2.4);
        }
    }
    return pixmap;
}

} // namespace

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addPixmap(RenderApplicationIcon(side));
    return icon;
}

QIcon ToolBarIcon(int commandId, QSize size)
{
    QIcon icon;
    icon.addPixmap(Render(commandId, size, 1.0));
    icon.addPixmap(Render(commandId, size, 2.0));
    return icon;
}

} // namespace lumaro::gui
