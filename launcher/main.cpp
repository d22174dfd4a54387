#include "launcher/LauncherDialog.h"
#include "launcher/LauncherIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(LauncherIcon());

    // The launcher ends with its dialog, whether an edition was started or not.
    CLauncherDialog dialog;
    dialog.exec();
    return 0;
}
