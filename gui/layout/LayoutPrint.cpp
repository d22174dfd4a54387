#include "gui/layout/LayoutPrint.h"

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
QColor FromColourRef(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}
} // namespace

void PrintLampPages(QPrinter& printer, const std::vector<CLamp>& lamps, int cellSize, bool printColour)
{
    const int s = std::max(cellSize, 50);
    const std::vector<LampPrintPage> pages =
        LampPrintPages(lamps, kPrintBlockWidth / s, kPrintBlockHeight / s);
    if (pages.empty())
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const double scale = double(printer.resolution()) / kPrintLayoutDpi;
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, (std::min(s, 100) - 10) / 3));
    font.setWeight(QFont::Thin);
    QFont pageFont(QStringLiteral("Arial"));
    pageFont.setStyleHint(QFont::SansSerif);
    pageFont.setPixelSize(40);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        const LampPrintPage& page = pages[p];
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.setFont(font);
        for (std::size_t index : page.lamps) {
            const CLamp& lamp = lamps[index];
            const int cx = (lamp.x - page.blockLeft + 1) * s + 50;
            const int cy = (lamp.y - page.blockTop + 1) * s + 50;
            const QRect square(cx - s / 2, cy - s / 2, s, s);
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(square);
            painter.setPen(printColour ? FromColourRef(lamp.colour) : QColor(Qt::black));
            const QString text = QString::asprintf("%x%4d", static_cast<unsigned>(lamp.port), lamp.order);
            painter.drawText(square.adjusted(5, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        }
        painter.setPen(Qt::black);
        painter.setFont(pageFont);
        painter.drawText(QPoint(1300, 3900), QString::asprintf("page  %d ", page.number));
    }
    painter.end();
}

} // namespace lumaro::gui
