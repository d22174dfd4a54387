#pragma once

#include "core/app/Status.h"
#include "gui/effects/ModeEditorPage.h"

#include <QColor>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace lumaro::gui {

class CColourListEditor;

// Tab 1 of the mode editor, dialog 108 "ColorList": the colours of the
// record being edited, and the colour groups of "ColorData.sav". The list
// is the page's until Save Color takes it into the record, which reaches
// the project only with the parameter page's OK; the colour groups are
// shared by every project and written to their file at once.
class CPage2 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 108;
    enum ControlId {
        ColourListId = 1101,
        GroupListId = 1109,
        ColourListLabelId = 1102,
        GroupListLabelId = 1103,
        StatusId = 1015,
        SelectStepId = 1105,
        AddId = 1113,
        InsertId = 1104,
        RemoveSingleId = 1114,
        RemoveAllId = 1128,
        StartColourId = 1129,
        EndColourId = 1130,
        DeleteColourId = 1131,
        ShowColourId = 1111,
        SaveColourId = 1112,
        OutputId = 1106,
        InputId = 1107,
        ClearId = 1108,
        AddGroupId = 1100,
    };

    explicit CPage2(const CModePageContext& context, QWidget* parent = nullptr);

    // The system colour dialog by default; tests answer without a window.
    std::function<std::optional<QColor>(QWidget* owner)> chooseColour;
    // The "New Color Group" prompt, offering proposal; nullopt on Cancel.
    std::function<std::optional<QString>(QWidget* owner, const QString& proposal)> askGroupName;

    QListWidget* ColourList() const;
    QListWidget* GroupList() const { return m_groups; }
    QLineEdit* StatusLine() const { return m_status; }
    QPushButton* Button(int controlId) const;
    // The gradient's count, curve and insert box.
    CColourListEditor& Editor() const { return *m_editor; }

    // The list and the status line from the record being edited.
    void Load();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    fs::path ColourDataFile() const;
    void FillGroupList();
    void ShowStatus();
    QMessageBox::StandardButton Message(const char* key, QMessageBox::Icon icon = QMessageBox::Warning,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    bool Succeeded(const Status& status);
    // The selected colour group, or -1 after the message key.
    int SelectedGroup(const char* noneKey);

    void OnShowColour();
    void OnSaveColour();
    void OnOutput();
    void OnInput();
    void OnClear();
    void OnAddGroup();

    CColourListEditor* m_editor = nullptr;
    QListWidget* m_groups = nullptr;
    QLineEdit* m_status = nullptr;
    // The group Input took the list from; becomes the record's colour group.
    std::optional<int> m_sourceGroup;
    // The record whose colours the list shows.
    unsigned m_loadedSerial = 0;
};

} // namespace lumaro::gui
