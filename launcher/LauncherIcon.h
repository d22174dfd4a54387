#pragma once

#include <QIcon>

// The program icon, from the launcher's resources.
QIcon LauncherIcon();
