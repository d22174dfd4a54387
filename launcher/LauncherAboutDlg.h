#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Dialog 100: the program icon, the version and the copyright line.
class CLauncherAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CLauncherAboutDlg(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void placeItems();

    QLabel* m_icon;
    QLabel* m_version;
    QLabel* m_copyright;
    QPushButton* m_ok;
};
