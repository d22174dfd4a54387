#pragma once

#include <QDialog>

namespace lumaro::gui {

// Dialog 100: the version text and an OK button, relabelled from the
// language file when it opens.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 100;
    static constexpr int kVersionId = 1027;
    static constexpr int kCopyrightId = 1028;
    static constexpr int kOkId = 1; // IDOK

    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace lumaro::gui
