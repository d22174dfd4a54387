#include "launcher/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>

// Base units 6 x 13 are those of the classic 8-point dialog font, whose
// pixel sizes are well known.
TEST(DialogUnits, ConvertsWithClassicBaseUnits)
{
    const DialogUnits du(6, 13);
    EXPECT_EQ(du.size(106, 67), QSize(159, 109));
    EXPECT_EQ(du.rect(21, 15, 63, 17), QRect(32, 24, 95, 28));
    EXPECT_EQ(du.rect(4, 1, 98, 63), QRect(6, 2, 147, 102));
}

TEST(DialogUnits, RoundsHalfAwayFromZero)
{
    const DialogUnits du(6, 12);
    EXPECT_EQ(du.x(1), 2); // 1.5
    EXPECT_EQ(du.x(2), 3); // exact
    EXPECT_EQ(du.y(1), 2); // 1.5
    EXPECT_EQ(du.y(3), 5); // 4.5
    EXPECT_EQ(du.x(-1), -2);
    EXPECT_EQ(du.y(-3), -5);
    EXPECT_EQ(du.x(0), 0);
}

TEST(DialogUnits, ConvertsSizeIndependentlyOfPosition)
{
    // Converting the right edge instead of the width would make these
    // two rectangles differ in width.
    const DialogUnits du(6, 13);
    EXPECT_EQ(du.rect(1, 1, 1, 1).size(), du.rect(2, 2, 1, 1).size());
    EXPECT_EQ(du.rect(1, 0, 1, 0).width(), 2);
}

TEST(DialogUnits, TakesBaseUnitsFromTheFont)
{
    // Several sizes, so that some average widths round up and some down.
    for (int pixels = 8; pixels <= 32; ++pixels) {
        QFont font;
        font.setPixelSize(pixels);
        const DialogUnits du(font);
        const QFontMetrics fm(font);
        const double average =
            fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
            52.0;

        EXPECT_LE(std::abs(du.baseX() - average), 0.5) << pixels;
        EXPECT_EQ(du.baseY(), fm.height()) << pixels;
        // Four horizontal units are one average character, eight vertical ones a line.
        EXPECT_EQ(du.x(4), du.baseX()) << pixels;
        EXPECT_EQ(du.y(8), du.baseY()) << pixels;
    }
}

TEST(DialogUnits, GrowsWithTheFont)
{
    QFont small;
    small.setPixelSize(10);
    QFont large;
    large.setPixelSize(30);
    EXPECT_GT(DialogUnits(large).x(63), DialogUnits(small).x(63));
    EXPECT_GT(DialogUnits(large).y(17), DialogUnits(small).y(17));
}
