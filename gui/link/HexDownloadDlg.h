#pragma once

#include "core/app/FileSystem.h"
#include "core/link/HexDownload.h"
#include "gui/app/CommandTarget.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace lumaro::gui {

class CDownloadRunner;
class CMSComm;
struct CPrompts;

// Dialog 114 "Software Download(NV-Vela Series)": links to the controller
// on a serial port and writes a HEX image through its boot loader. Its
// texts are the fixed English ones the controller's users know.
class CHexDownloadDlg : public QDialog, public CCommandTarget {
    Q_OBJECT
public:
    static constexpr int kDialogId = 114;
    // Sent by the program, and by the dialog's UNLINK button, to close the port.
    static constexpr int kUnlinkCommand = 6000;
    enum ControlId {
        QuitId = 1,
        LinkId = 1002,
        UnlinkId = 1003,
        FileId = 1005,
        TargetDmxId = 1006,
        PortId = 1008,
        CommId = 1010,
        BaudId = 1014,
        DownloadId = 1016,
        BrowseId = 1017,
        ProgressId = 1247,
        TargetVelaId = 1312,
    };
    static constexpr const char* kFileFilter = "HEX Files (*.HEX *.hex)";
    // The [Setting] key of the port last linked.
    static constexpr const char* kLastPortKey = "LastPort";

    // linked is the program's flag: true after "Link OK!", false after a
    // failed link or an unlink. settingsFile maps "COM n" to a device (empty:
    // the program's settings file) and keeps the port last linked, which
    // the next dialog shows.
    CHexDownloadDlg(CPrompts& prompts, const fs::path& settingsFile, bool& linked, QWidget* parent = nullptr);
    ~CHexDownloadDlg() override;

    void OnLink();
    void OnDownload();
    void OnBrowse();
    void OnTargetDmx();
    void OnTargetVela();
    void OnUnlink();

    // The file to write, as a build hands it over.
    void SetFilePath(const QString& path);
    QString FilePath() const;
    CHexDownload::Target Target() const { return m_target; }

    QComboBox* PortList() const { return m_port; }
    QComboBox* SpeedList() const { return m_speed; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QPushButton* Button(int controlId) const;
    CMSComm& Comm() const { return *m_comm; }
    CDownloadRunner& Runner() const { return *m_runner; }

    // QUIT, Escape and the close box: a download running is stopped only
    // when the user agrees.
    void reject() override;

private:
    void OnRunningChanged(bool running);

    CPrompts& m_prompts;
    fs::path m_settingsFile;
    bool& m_linked;
    CMSComm* m_comm;
    CDownloadRunner* m_runner;
    CHexDownload::Target m_target = CHexDownload::Target::Nvdmx;
    QComboBox* m_port = nullptr;
    QComboBox* m_speed = nullptr;
    QLineEdit* m_file = nullptr;
    QRadioButton* m_dmx = nullptr;
    QRadioButton* m_vela = nullptr;
    QProgressBar* m_progress = nullptr;
};

} // namespace lumaro::gui
