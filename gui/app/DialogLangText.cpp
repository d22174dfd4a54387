#include "gui/app/DialogLangText.h"

#include "core/app/LangText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace lumaro::gui {

namespace {

constexpr const char* kIdProperty = "lumaroControlId";
constexpr const char* kDialogProperty = "lumaroDialog";

QString LookUp(int dialogId, const std::string& suffix)
{
    std::string key = "IDD" + std::to_string(dialogId) + "_" + suffix;
    return QString::fromStdString(GetLangTextRaw(key));
}

void RelabelChildren(QWidget* parent, int dialogId)
{
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow() || child->property(kDialogProperty).toBool())
            continue;
        if (auto id = ControlIdOf(child)) {
            QString text = LookUp(dialogId, std::to_string(*id));
            if (!text.isEmpty())
                SetControlText(child, text);
        }
        if (qobject_cast<QGroupBox*>(child))
            RelabelChildren(child, dialogId);
    }
}

} // namespace

void SetControlId(QWidget* control, int id)
{
    control->setProperty(kIdProperty, id);
}

std::optional<int> ControlIdOf(const QWidget* control)
{
    QVariant v = control->property(kIdProperty);
    if (!v.isValid())
        return std::nullopt;
    return v.toInt();
}

void MarkAsDialog(QWidget* dialog)
{
    dialog->setProperty(kDialogProperty, true);
}

void SetControlText(QWidget* control, const QString& text)
{
    if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else
        control->setWindowTitle(text);
}

QString ControlText(const QWidget* control)
{
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    return control->windowTitle();
}

namespace {
constexpr const char* kDialogIdProperty = "lumaroDialogId";
constexpr const char* kToolTipKeyProperty = "lumaroToolTipKey";
} // namespace

void SetLangToolTip(QWidget* control, const char* key)
{
    control->setProperty(kToolTipKeyProperty, QByteArray(key));
    control->setToolTip(QString::fromStdString(GetLangText(key)));
}

void SetDialogLangText(QWidget* window, int dialogId)
{
    window->setProperty(kDialogIdProperty, dialogId);
    QString title = LookUp(dialogId, "Title");
    if (!title.isEmpty())
        window->setWindowTitle(title);
    RelabelChildren(window, dialogId);
}

void RetranslateAllWindows()
{
    QList<QPointer<QWidget>> widgets;
    for (QWidget* widget : QApplication::allWidgets())
        widgets.append(widget);
    for (const QPointer<QWidget>& widget : widgets)
        if (widget) {
            const QVariant id = widget->property(kDialogIdProperty);
            if (id.isValid())
                SetDialogLangText(widget, id.toInt());
            const QVariant tip = widget->property(kToolTipKeyProperty);
            if (tip.isValid())
                SetLangToolTip(widget, tip.toByteArray().constData());
        }
    // A handler may close or make widgets: only those still there hear it.
    for (const QPointer<QWidget>& widget : widgets)
        if (widget) {
            QEvent event(QEvent::LanguageChange);
            QCoreApplication::sendEvent(widget, &event);
        }
}

QPushButton* MakeControlButton(QWidget* parent, int id, const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setAutoDefault(false);
    SetControlId(button, id);
    return button;
}

QPushButton* FindControlButton(const QWidget* root, int id)
{
    for (QPushButton* button : root->findChildren<QPushButton*>())
        if (ControlIdOf(button) == id)
            return button;
    return nullptr;
}

} // namespace lumaro::gui
