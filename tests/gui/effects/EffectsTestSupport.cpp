#include "effects/EffectsTestSupport.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace lumaro::gui::test {

void SaveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("LUMARO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    widget->show();
    widget->activateWindow();
    ProcessEvents();
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace lumaro::gui::test
