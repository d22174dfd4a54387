#include "gui/app/Prompts.h"

#include "core/app/LangText.h"
#include "gui/app/MessageText.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {

int ChooseFromList(QWidget* owner, const QStringList& names)
{
    std::unique_ptr<QDialog> dialog = MakeTypeChooser(owner, names);
    if (dialog->exec() != QDialog::Accepted)
        return -1;
    return dialog->findChild<QListWidget*>()->currentRow();
}

} // namespace

std::unique_ptr<QDialog> MakeTypeChooser(QWidget* owner, const QStringList& names)
{
    auto dialog = std::make_unique<QDialog>(owner);
    dialog->setWindowTitle(LangText("FRAMEWORK_NEW_TITLE"));
    auto* list = new QListWidget(dialog.get());
    list->addItems(names);
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    // Qt's own button texts would stay English.
    buttons->button(QDialogButtonBox::Ok)->setText(LangText("FRAMEWORK_OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LangText("FRAMEWORK_CANCEL"));
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(list);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, dialog.get(), &QDialog::accept);
    return dialog;
}

CPrompts CPrompts::Desktop()
{
    CPrompts p;
    p.message = [](QWidget* owner, const QString& text, QMessageBox::Icon icon,
                   QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, QString::fromUtf8(kMessageCaption), text, buttons, owner);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    p.openFileName = [](QWidget* owner, const QString& filters) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), filters);
    };
    p.saveFileName = [](QWidget* owner, const QString& filters, const QString& suggested) {
        return QFileDialog::getSaveFileName(owner, QString(), suggested, filters);
    };
    p.chooseType = ChooseFromList;
    p.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    p.pageSetup = [](QWidget* owner, QPrinter& printer) {
        QPageSetupDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    };
    p.runModal = [](QDialog& dialog) { return dialog.exec(); };
    return p;
}

} // namespace lumaro::gui
