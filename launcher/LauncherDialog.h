#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QAction;
class QGroupBox;
class QPushButton;

// Dialog 102: lets the user pick the edition of Lumaro to run, starts it and
// gets out of the way.
class CLauncherDialog : public QDialog {
    Q_OBJECT

public:
    // The file name of an edition's program ends in its number.
    enum class Edition { Professional = 1, Standard = 2 };

    // Starts program detached; true when it is running.
    using Starter = std::function<bool(const QString& program, const QStringList& args)>;
    // Tells the user that the program could not be started.
    using FailureNotice = std::function<void(QWidget* parent, const QString& message)>;

    explicit CLauncherDialog(QWidget* parent = nullptr);
    CLauncherDialog(Starter starter, FailureNotice failureNotice, QWidget* parent = nullptr);

    static QString editionProgram(Edition edition);
    // QProcess::startDetached without a working directory, so the edition
    // inherits the launcher's current directory.
    static bool startDetached(const QString& program, const QStringList& args);
    // A warning message box, modal to parent.
    static void showFailureBox(QWidget* parent, const QString& message);

    // The control with the given resource id, like GetDlgItem.
    QWidget* dlgItem(int id) const;
    // The "about" item offered with the dialog; null when its text is empty.
    QAction* aboutAction() const { return m_aboutAction; }

public slots:
    void showAbout();

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef _WIN32
    void showEvent(QShowEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void startEdition(Edition edition);
    void placeItems();

    Starter m_starter;
    FailureNotice m_failureNotice;
    QPushButton* m_standard;
    QPushButton* m_professional;
    QGroupBox* m_frame;
    QAction* m_aboutAction = nullptr;
#ifdef _WIN32
    bool m_systemMenuDone = false;
#endif
};
