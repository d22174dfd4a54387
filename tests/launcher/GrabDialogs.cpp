// Renders the launcher's windows to PNG files, for looking at them without
// a display: launcher_grab <folder>
#include "launcher/LauncherDialog.h"
#include "launcher/LauncherIcon.h"
#include "launcher/LauncherResources.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// Grabs the modal window that open() brings up, then closes it.
bool GrabModal(const QString& file, const std::function<void()>& open)
{
    bool saved = false;
    QTimer::singleShot(100, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            saved = w->grab().save(file);
            w->close();
        }
    });
    open();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: launcher_grab <folder>\n");
        return 2;
    }
    QApplication::setWindowIcon(LauncherIcon());
    const QDir out(QString::fromLocal8Bit(argv[1]));

    CLauncherDialog launcher([](const QString&, const QStringList&) { return false; },
                             &CLauncherDialog::showFailureBox);
    launcher.show();
    bool ok = launcher.grab().save(out.filePath("launcher.png"));

    QMenu menu(&launcher);
    menu.addAction(launcher.aboutAction());
    menu.popup(launcher.mapToGlobal(QPoint(20, 20)));
    ok = menu.grab().save(out.filePath("launcher-menu.png")) && ok;
    menu.hide();

    ok = GrabModal(out.filePath("about.png"), [&] { launcher.aboutAction()->trigger(); }) && ok;
    auto* professional = qobject_cast<QPushButton*>(launcher.dlgItem(launcher::IDC_PROFESSIONAL));
    ok = GrabModal(out.filePath("failure.png"), [&] { professional->click(); }) && ok;
    return ok ? 0 : 1;
}
