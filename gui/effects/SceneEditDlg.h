#pragma once

#include "core/app/FileSystem.h"

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace lumaro {
class CSceneSlot;
}

namespace lumaro::gui {

class CDownloadRunner;
class CLayoutDocument;
class CMSComm1;
struct CPrompts;

// Dialog 1373 "Edit Scene", the wizard of Use Wizard: 16 scenes of eight
// effect slots, edited straight in the document so that Save stores them.
class CSceneEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 1373;
    static constexpr int kRows = 8;
    enum ControlId {
        SaveCreateId = 1102,
        CancelId = 1103,
        OpenFileId = 1104,
        SaveId = 1105,
        DownloadId = 1016,
        PortLabelId = 1122,
        BaudLabelId = 1123,
        DownloadGroupId = 1124,
        EffectHeadId = 1130,
        SpeedHeadId = 1131,
        ColourHeadId = 1132,
        NoteId = 1133,
        ColourButtonId = 1134, // shared by the eight rows: one text
    };

    CSceneEditDlg(CLayoutDocument& document, CPrompts& prompts, QWidget* parent = nullptr);

    // "Save": the document's Save As, run by whoever owns the command route.
    std::function<void()> saveAs;
    // Where "Save/Create" writes the port table "cport.h".
    fs::path outputFolder;
    // The image build that follows the port table; it tells built the
    // build folder's image and the stamped copy beside the project (empty
    // when there is none). Without it "Save/Create" stops after the port
    // table.
    using BuiltImage = std::function<void(const QString& source, const QString& image)>;
    std::function<void(CLayoutDocument&, QWidget* owner, BuiltImage built)> buildFirmware;
    // Told where "cport.h" went, for the status bar.
    std::function<void(const fs::path&)> portTableWritten;

    int CurrentScene() const;
    void ShowScene(int scene);
    QTabBar* Tabs() const { return m_tabs; }
    QComboBox* EffectBox(int row) const { return m_rows[row].effect; }
    QLineEdit* SpeedEdit(int row) const { return m_rows[row].speed; }
    QPushButton* ColourButton(int row) const { return m_rows[row].colour; }
    QLabel* Note() const { return m_note; }
    QPushButton* Button(int controlId) const;
    QComboBox* PortList() const { return m_port; }
    QString DownloadFile() const { return m_downloadFile; }
    CMSComm1& Comm() const { return *m_comm; }
    CDownloadRunner& Runner() const { return *m_runner; }

    void OnSaveCreate();
    // "Open File": the HEX image that "Download" writes.
    void OnOpenFile();
    // "Download": links with the port of the "Port:" list and writes the
    // image, without the clock record.
    void OnSceneDownload();
    // Cancel, Escape and the close box: a download running is stopped only
    // when the user agrees.
    void reject() override;

private:
    struct Row {
        QComboBox* effect = nullptr;
        QLineEdit* speed = nullptr;
        QPushButton* colour = nullptr;
    };

    void LoadScene();
    void OnEffectChanged(int row, int menuIndex);
    void OnSpeedEdited(int row, const QString& text);
    void OnColourList(int row);
    void EditSlot(int row, const std::function<void(lumaro::CSceneSlot&)>& change, int mergeGroup = 0);
    void UpdateColourButton(int row);
    std::int64_t LampWidth() const;

    CLayoutDocument& m_document;
    CPrompts& m_prompts;
    QTabBar* m_tabs = nullptr;
    QLabel* m_note = nullptr;
    std::array<Row, kRows> m_rows{};
    QComboBox* m_port = nullptr;
    QLabel* m_fileName = nullptr;
    QString m_downloadFile;
    CMSComm1* m_comm = nullptr;
    CDownloadRunner* m_runner = nullptr;
    bool m_loading = false; // filling the rows is no user change
    int m_speedRow = -1;
    int m_speedScene = -1;
    int m_speedGroup = 0;
};

} // namespace lumaro::gui
