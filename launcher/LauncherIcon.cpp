#include "launcher/LauncherIcon.h"

static void InitLauncherResources()
{
    // The resources live in a static library; naming them here is what makes
    // the linker keep them.
    Q_INIT_RESOURCE(launcher);
}

QIcon LauncherIcon()
{
    static const bool initialised = (InitLauncherResources(), true);
    (void)initialised;

    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addFile(QStringLiteral(":/launcher/icons/start%1.png").arg(size), QSize(size, size));
    return icon;
}
