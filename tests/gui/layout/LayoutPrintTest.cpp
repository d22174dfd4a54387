#include "gui/layout/LayoutPrint.h"

#include "core/layout/PortEditor.h"
#include "gui/widgets/LampColour.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

std::vector<CLamp> Block(int columns, int rows, int left = 0, int top = 0)
{
    std::vector<CLamp> lamps;
    int n = 0;
    for (int x = 0; x < columns; ++x)
        for (int y = 0; y < rows; ++y)
            lamps.emplace_back(left + x, top + y, n++, 0x00FF00, 5, 1);
    return lamps;
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(text.count(page));
}

TEST(LayoutPrint, PagesRunDownFirstThenAcross)
{
    const std::vector<LampPrintPage> pages = LampPrintPages(Block(60, 100), 50, 76);
    ASSERT_EQ(pages.size(), 4u);
    const int expected[4][2] = {{0, 0}, {0, 76}, {50, 0}, {50, 76}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(pages[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(pages[i].blockLeft, expected[i][0]) << i;
        EXPECT_EQ(pages[i].blockTop, expected[i][1]) << i;
    }
    EXPECT_EQ(pages[0].lamps.size(), 50u * 76u);
    EXPECT_EQ(pages[1].lamps.size(), 50u * 24u);
    EXPECT_EQ(pages[2].lamps.size(), 10u * 76u);
    EXPECT_EQ(pages[3].lamps.size(), 10u * 24u);
}

TEST(LayoutPrint, BlocksStartAtTheBoundingBoxAndEdgesStayOnOnePage)
{
    // Exactly 50 × 76 cells, offset from the origin: one page.
    std::vector<LampPrintPage> pages = LampPrintPages(Block(50, 76, 7, 3), 50, 76);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].blockLeft, 7);
    EXPECT_EQ(pages[0].blockTop, 3);
    // One more column is a second page across.
    pages = LampPrintPages(Block(51, 1), 50, 76);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].lamps.size(), 1u);
    EXPECT_TRUE(LampPrintPages({}, 50, 76).empty());
}

TEST(LayoutPrint, PrintsEveryPageToPdfOnA4AndLetter)
{
    QTemporaryDir dir;
    for (QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
        const QString path = dir.filePath(QStringLiteral("layout%1.pdf").arg(int(size)));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(size));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        // The 360 dpi layout must fit the printable area.
        const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
        EXPECT_GE(area.width() * 360.0 / printer.resolution(), 2550.0);
        EXPECT_GE(area.height() * 360.0 / printer.resolution(), 3950.0);
        PrintLampPages(printer, Block(60, 100), 50, false);
        EXPECT_EQ(PdfPageCount(path), 4);
    }
}

CLamp Chained(int x, int y, int port, int order)
{
    CLamp lamp(x, y, 0, static_cast<std::int32_t>(CPortEditor::PortColour(port)), 5, 1);
    lamp.port = port;
    lamp.order = order;
    return lamp;
}

QImage PaintedPage(const std::vector<CLamp>& lamps, bool printColour, bool wiring)
{
    QImage image(500, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintLampPage(painter, LampPrintPages(lamps, 50, 76).front(), lamps, 50, printColour, wiring);
    return image;
}

TEST(LayoutPrint, WiringIsPrintedOnlyWhenShown)
{
    // Lamp squares centred at (100, 100) and (400, 100).
    const std::vector<CLamp> lamps = {Chained(0, 0, 2, 1), Chained(6, 0, 2, 2)};
    const QColor blue = LampColour(static_cast<std::int32_t>(CPortEditor::PortColour(2)));
    EXPECT_EQ(PaintedPage(lamps, false, true).pixelColor(250, 100), blue);
    EXPECT_EQ(PaintedPage(lamps, false, false).pixelColor(250, 100), QColor(Qt::white));
}

TEST(LayoutPrint, ColourPrintWritesReadablyOnLightPortColours)
{
    // Port 5 is cyan: the square takes it, the text is dark on it.
    const std::vector<CLamp> lamps = {Chained(0, 0, 5, 7)};
    const QImage page = PaintedPage(lamps, true, false);
    const QColor cyan = LampColour(static_cast<std::int32_t>(CPortEditor::PortColour(5)));
    EXPECT_EQ(page.pixelColor(120, 120), cyan);
    int darkest = 255;
    for (int y = 80; y < 100; ++y)
        for (int x = 80; x < 120; ++x)
            darkest = std::min(darkest, qGray(page.pixel(x, y)));
    EXPECT_LT(darkest, 64);
}

} // namespace
} // namespace lumaro::gui::test
