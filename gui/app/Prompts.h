#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace lumaro::gui {

// Everything the shell asks the user or the desktop. The application owns
// one set; tests replace the members to answer without a window.
struct CPrompts {
    // A message box with caption "Lumaro 4.0" (or none when caption is empty).
    std::function<QMessageBox::StandardButton(QWidget* owner, const QString& text, QMessageBox::Icon icon,
                                              QMessageBox::StandardButtons buttons)>
        message;
    // An existing file to open; empty on Cancel.
    std::function<QString(QWidget* owner, const QString& filters)> openFileName;
    // A file name to save to, with suggested as the initial name; empty on Cancel.
    std::function<QString(QWidget* owner, const QString& filters, const QString& suggested)> saveFileName;
    // Index into names of the document type to create; -1 on Cancel.
    std::function<int(QWidget* owner, const QStringList& names)> chooseType;
    // The desktop's "open" verb; false when nothing could open url.
    std::function<bool(const QUrl& url)> openUrl;
    // Page setup of the printer the views print on; true on OK.
    std::function<bool(QWidget* owner, QPrinter& printer)> pageSetup;
    // Runs a dialog of the program modally and returns its result code.
    std::function<int(QDialog& dialog)> runModal;

    static CPrompts Desktop();
};

// The dialog behind chooseType: the type names in a list, OK and Cancel.
std::unique_ptr<QDialog> MakeTypeChooser(QWidget* owner, const QStringList& names);

inline constexpr const char* kMessageCaption = "Lumaro 4.0";

} // namespace lumaro::gui
