#include "effects/EffectsTestSupport.h"

#include <QDir>
#include <QPixmap>
#include <QSet>
#include <QWidget>

namespace lumaro::gui::test {

QImage Screenshot(QWidget* widget, const QString& name)
{
    widget->show();
    widget->activateWindow();
    ProcessEvents();
    const QImage grab = widget->grab().toImage();
    if (const QString folder = qEnvironmentVariable("LUMARO_SCREENSHOT_DIR"); !folder.isEmpty())
        grab.save(QDir(folder).filePath(name + QStringLiteral(".png")));
    return grab;
}

void ExpectPainted(const QImage& grab, const QWidget& widget)
{
    ASSERT_FALSE(grab.isNull());
    EXPECT_EQ(grab.size(), widget.size() * grab.devicePixelRatio());
    // Frames, texts and controls give many colours; an unpainted grab has one or two.
    const QImage rgb = grab.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < rgb.height() && colours.size() < 16; ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    EXPECT_GE(colours.size(), 16);
}

bool ShowsColour(const QImage& grab, const QRect& area, const QColor& colour)
{
    const qreal scale = grab.devicePixelRatio();
    const QRect pixels = QRect(area.topLeft() * scale, area.size() * scale).intersected(grab.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (grab.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

} // namespace lumaro::gui::test
