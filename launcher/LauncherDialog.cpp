#include "launcher/LauncherDialog.h"

#include "core/app/InstallFolder.h"
#include "launcher/DialogUnits.h"
#include "launcher/LauncherAboutDlg.h"
#include "launcher/LauncherIcon.h"
#include "launcher/LauncherResources.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

using namespace launcher;

CLauncherDialog::CLauncherDialog(QWidget* parent)
    : CLauncherDialog(&CLauncherDialog::startDetached, &CLauncherDialog::showFailureBox, parent)
{
}

CLauncherDialog::CLauncherDialog(Starter starter, FailureNotice failureNotice, QWidget* parent)
    : QDialog(parent), m_starter(std::move(starter)), m_failureNotice(std::move(failureNotice))
{
    setObjectName(QStringLiteral("launcherDialog"));
    setProperty(kDlgItemIdProperty, int(IDD_START_DIALOG));
    setWindowTitle(MainCaption());
    setWindowIcon(LauncherIcon());

    // Created in template order, which is also the tab order.
    m_standard = new QPushButton(StandardCaption(), this);
    m_standard->setObjectName(QStringLiteral("standardButton"));
    m_standard->setProperty(kDlgItemIdProperty, int(IDC_STANDARD));

    m_professional = new QPushButton(ProfessionalCaption(), this);
    m_professional->setObjectName(QStringLiteral("professionalButton"));
    m_professional->setProperty(kDlgItemIdProperty, int(IDC_PROFESSIONAL));

    // The frame only decorates; it must stay beneath the buttons it surrounds
    // or it would take their clicks.
    m_frame = new QGroupBox(QString(), this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_frame->setProperty(kDlgItemIdProperty, int(IDC_STATIC));
    m_frame->lower();

    connect(m_professional, &QPushButton::clicked, this, [this] { startEdition(Edition::Professional); });
    connect(m_standard, &QPushButton::clicked, this, [this] { startEdition(Edition::Standard); });

    const QString aboutText = AboutMenuText();
    if (!aboutText.isEmpty()) {
        m_aboutAction = new QAction(aboutText, this);
        m_aboutAction->setObjectName(QStringLiteral("aboutAction"));
#ifndef _WIN32
        // Windows puts the item into the system menu; elsewhere there is no
        // such menu, so it comes with the context menu and on F1.
        m_aboutAction->setShortcut(QKeySequence(Qt::Key_F1));
        m_aboutAction->setShortcutContext(Qt::WindowShortcut);
        addAction(m_aboutAction);
#endif
        connect(m_aboutAction, &QAction::triggered, this, &CLauncherDialog::showAbout);
    }

    placeItems();
}

QString CLauncherDialog::editionProgram(Edition edition)
{
    const int number = static_cast<int>(edition);
#ifdef _WIN32
    return QStringLiteral("C:\\Tellum\\Lumaro%1.exe").arg(number);
#else
    const auto path = lumaro::DefaultInstallFolder() / ("Lumaro" + std::to_string(number));
    return QFile::decodeName(path.c_str());
#endif
}

bool CLauncherDialog::startDetached(const QString& program, const QStringList& args)
{
    return QProcess::startDetached(program, args, QString());
}

void CLauncherDialog::showFailureBox(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Warning, AppTitle(), message, QMessageBox::Ok, parent);
    box.exec();
}

QWidget* CLauncherDialog::dlgItem(int id) const
{
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QVariant v = w->property(kDlgItemIdProperty);
        if (v.isValid() && v.toInt() == id)
            return w;
    }
    return nullptr;
}

void CLauncherDialog::showAbout()
{
    CLauncherAboutDlg about(this);
    about.exec();
}

void CLauncherDialog::startEdition(Edition edition)
{
    // The edition gets none of the launcher's own arguments.
    if (m_starter(editionProgram(edition), QStringList())) {
        accept();
        return;
    }
    m_failureNotice(this, FileNotFound());
}

void CLauncherDialog::placeItems()
{
    const DialogUnits du(font());
    m_standard->setGeometry(du.rect(21, 15, 63, 17));
    m_professional->setGeometry(du.rect(21, 38, 63, 17));
    m_frame->setGeometry(du.rect(4, 1, 98, 63));
    setFixedSize(du.size(106, 67));
}

void CLauncherDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        placeItems();
    QDialog::changeEvent(event);
}

void CLauncherDialog::contextMenuEvent(QContextMenuEvent* event)
{
#ifdef _WIN32
    QDialog::contextMenuEvent(event);
#else
    if (!m_aboutAction) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addAction(m_aboutAction);
    menu.exec(event->globalPos());
#endif
}

#ifdef _WIN32
void CLauncherDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_systemMenuDone || !m_aboutAction)
        return;
    m_systemMenuDone = true;
    if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE)) {
        const std::wstring text = m_aboutAction->text().toStdWString();
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text.c_str());
    }
}

bool CLauncherDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == static_cast<WPARAM>(IDM_ABOUTBOX)) {
        showAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif
