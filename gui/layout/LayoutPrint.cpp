#include "gui/layout/LayoutPrint.h"

#include "gui/layout/LampWiring.h"
#include "gui/widgets/LampColour.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <climits>

namespace lumaro::gui {

std::vector<LampPrintPage> LampPrintPages(const std::vector<CLamp>& lamps, int columns, int rows)
{
    std::vector<LampPrintPage> pages;
    if (lamps.empty() || columns <= 0 || rows <= 0)
        return pages;
    const CRect bounds = LampBounds(lamps);
    const int minX = bounds.left, maxX = bounds.right, minY = bounds.top, maxY = bounds.bottom;
    const int across = static_cast<int>((std::int64_t(maxX) - minX) / columns + 1);
    const int down = static_cast<int>((std::int64_t(maxY) - minY) / rows + 1);
    pages.resize(static_cast<std::size_t>(across) * static_cast<std::size_t>(down));
    for (int a = 0; a < across; ++a) {
        for (int d = 0; d < down; ++d) {
            LampPrintPage& page = pages[static_cast<std::size_t>(a * down + d)];
            page.number = a * down + d + 1;
            page.blockLeft = minX + a * columns;
            page.blockTop = minY + d * rows;
        }
    }
    for (std::size_t i = 0; i < lamps.size(); ++i) {
        const int a = static_cast<int>((std::int64_t(lamps[i].x) - minX) / columns);
        const int d = static_cast<int>((std::int64_t(lamps[i].y) - minY) / rows);
        pages[static_cast<std::size_t>(a * down + d)].lamps.push_back(i);
    }
    return pages;
}

namespace {

// The printed cell: never below 50 device pixels.
int PrintCell(int cellSize)
{
    return std::max(cellSize, 50);
}

} // namespace

void PaintLampPage(QPainter& painter, const LampPrintPage& page, const std::vector<CLamp>& lamps,
                   int cellSize, bool printColour, bool wiring)
{
    const int s = PrintCell(cellSize);
    auto centre = [&page, s](const CLamp& lamp) {
        return QPointF((double(lamp.x) - page.blockLeft + 1) * s + 50,
                       (double(lamp.y) - page.blockTop + 1) * s + 50);
    };
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, (std::min(s, 100) - 10) / 3));
    font.setWeight(QFont::Thin);
    painter.save();
    painter.setFont(font);
    for (std::size_t index : page.lamps) {
        const CLamp& lamp = lamps[index];
        const QPointF at = centre(lamp);
        const QRect square(static_cast<int>(at.x()) - s / 2, static_cast<int>(at.y()) - s / 2, s, s);
        painter.setPen(Qt::black);
        // In colour the square takes the lamp's colour and the text whatever reads on it.
        const QColor colour = LampColour(lamp.colour);
        painter.setBrush(printColour ? QBrush(colour) : QBrush(Qt::NoBrush));
        painter.drawRect(square);
        painter.setPen(printColour ? ContrastColour(colour) : QColor(Qt::black));
        const QString text = QString::asprintf("%x%4d", static_cast<unsigned>(lamp.port), lamp.order);
        painter.drawText(square.adjusted(5, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    }
    if (wiring) {
        // A chain running on to another page is cut at the edge of this one's block.
        const QRectF block(50 + s / 2.0, 50 + s / 2.0, double(kPrintBlockWidth / s) * s,
                           double(kPrintBlockHeight / s) * s);
        painter.setClipRect(block);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintWiring(painter, lamps, LampChains(lamps), centre, s, block);
    }
    painter.restore();
}

void PrintLampPages(QPrinter& printer, const std::vector<CLamp>& lamps, int cellSize, bool printColour,
                    bool wiring)
{
    const int s = PrintCell(cellSize);
    const std::vector<LampPrintPage> pages =
        LampPrintPages(lamps, kPrintBlockWidth / s, kPrintBlockHeight / s);
    if (pages.empty())
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const double scale = double(printer.resolution()) / kPrintLayoutDpi;
    QFont pageFont(QStringLiteral("Arial"));
    pageFont.setStyleHint(QFont::SansSerif);
    pageFont.setPixelSize(40);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        const LampPrintPage& page = pages[p];
        painter.resetTransform();
        painter.scale(scale, scale);
        PaintLampPage(painter, page, lamps, s, printColour, wiring);
        painter.setPen(Qt::black);
        painter.setFont(pageFont);
        painter.drawText(QPoint(1300, 3900), QString::asprintf("page  %d ", page.number));
    }
    painter.end();
}

} // namespace lumaro::gui
