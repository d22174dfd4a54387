#include "core/app/InstallFolder.h"
#include "gui/ProgramWiring.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumaro"));

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    lumaro::gui::CEditorApp app(
        lumaro::gui::WireProgram({lumaro::DefaultInstallFolder(), arguments, QDir::currentPath(), {}, {}}));
    if (!app.InitInstance())
        return 1;
    int code = QApplication::exec();
    int exitCode = app.ExitInstance();
    return code != 0 ? code : exitCode;
}
