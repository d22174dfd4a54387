#include "gui/widgets/LampColour.h"

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

TEST(LampColour, ReadsTheStoredByteOrder)
{
    EXPECT_EQ(LampColour(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(LampColour(0x00C8FF), QColor(255, 200, 0));
}

TEST(LampColour, DarkOnLightColoursAndLightOnDarkOnes)
{
    for (QColor light : {QColor(Qt::yellow), QColor(Qt::cyan), QColor(144, 238, 144), QColor(Qt::white)})
        EXPECT_LT(qGray(ContrastColour(light).rgb()), 64) << light.name().toStdString();
    for (QColor dark :
         {QColor(Qt::red), QColor(Qt::blue), QColor(0, 100, 0), QColor(128, 0, 128), QColor(Qt::black)})
        EXPECT_EQ(ContrastColour(dark), QColor(Qt::white)) << dark.name().toStdString();
}

} // namespace
} // namespace lumaro::gui::test
