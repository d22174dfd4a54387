#pragma once

#include "core/firmware/FirmwareBuild.h"
#include "gui/firmware/FirmwareBuildRunner.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace lumaro::gui {

class CLayoutDocument;
struct CPrompts;

// Dialog 1010 "Create BIN File": turns the project into a controller image
// in one of three file formats, reports the capacity it uses and leaves the
// stamped image beside the project.
class CCrtBinDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 1010;
    enum ControlId {
        ExitId = 2,
        Format1Id = 1016,
        Format2Id = 1017,
        ProgressId = 1018,
        CreateId = 1020,
        ReportId = 1021,
        FormatGroupId = 1022,
        WriteAfterId = 1023,
        Format3Id = 1246,
    };

    // buildFolder: the install folder's "sys"; currentFolder: where
    // "cport.h" is and the image goes; running: the program's count of
    // running builds.
    CCrtBinDlg(CLayoutDocument& document, CPrompts& prompts, CFirmwareBuildRunner::RunningCount running,
               fs::path buildFolder, fs::path currentFolder, QWidget* parent = nullptr);
    ~CCrtBinDlg() override;

    // Create: the build of Create BIN File.
    void OnBingo();
    // 0 until a format is chosen.
    int FileFormat() const { return m_format; }
    void ChooseFormat(int format);

    // Told the format whenever one is chosen (the main frame keeps it for
    // the scene editor's Save/Create).
    std::function<void(int format)> formatChosen;
    // Opens the download dialog with the stamped image when the user asked
    // for the controller to be written after the build.
    std::function<void(const QString& image)> openDownload;

    CFirmwareBuildRunner& Runner() const { return *m_runner; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* ReportBox() const { return m_report; }
    QCheckBox* WriteAfter() const { return m_writeAfter; }
    QPushButton* Button(int controlId) const;

    // Exit, Escape and the close box wait for a running build.
    void reject() override;

private:
    void SetBuilding(bool building);

    CLayoutDocument& m_document;
    fs::path m_buildFolder;
    fs::path m_currentFolder;
    CFirmwareBuildRunner* m_runner;
    QRadioButton* m_formats[3];
    QProgressBar* m_progress;
    QLabel* m_report;
    QCheckBox* m_writeAfter;
    int m_format = 0;
};

} // namespace lumaro::gui
