#include "gui/app/Prompts.h"

#include "core/app/LangText.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QListWidget>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {

int ChooseFromList(QWidget* owner, const QStringList& names)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(QString::fromStdString(GetLangText("FRAMEWORK_NEW_TITLE")));
    auto* list = new QListWidget(&dialog);
    list->addItems(names);
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return list->currentRow();
}

} // namespace

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
    return p;
}

} // namespace lumaro::gui
