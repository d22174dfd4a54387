#pragma once

#include "core/app/Status.h"
#include "core/effects/ModeItem.h"
#include "gui/document/ProjectState.h"
#include "gui/effects/CirAreaDlg.h"
#include "gui/effects/ModeEditorPage.h"

#include <QPointer>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace lumaro {
class CEditImgDoc;
} // namespace lumaro

namespace lumaro::gui {

class CModePreview;

// Tab 0 of the mode editor, dialog 109 "ModeList": the project's mode list,
// the catalogue of types with a preview of the selected one, and the play
// range of Partial play. Add, Insert and Edit begin the record the other
// pages work on; Delete, Copy and Paste change the mode list at once.
class CPage3 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 109;
    enum ControlId {
        ModeListId = 1101,
        TypeListId = 1109,
        DescriptionId = 1008,
        PreviewId = 1013,
        ModeListLabelId = 1102,
        TypeListLabelId = 1103,
        PreviewLabelId = 1104,
        AddId = 1089,
        InsertId = 1090,
        DeleteId = 1091,
        EditId = 1092,
        CopyId = 1093,
        PasteId = 1094,
        StartModeId = 1095,
        EndModeId = 1096,
        ConfirmId = 1097,
    };

    explicit CPage3(const CModePageContext& context, QWidget* parent = nullptr);
    ~CPage3() override;

    QListWidget* ModeList() const { return m_modes; }
    QListWidget* TypeList() const { return m_types; }
    QPlainTextEdit* Description() const { return m_description; }
    CModePreview* Preview() const { return m_preview; }
    QPushButton* Button(int controlId) const;
    // The circular-area dialog while it is open.
    CCirAreaDlg* CircularAreaDialog() const { return m_circularArea; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Begun { Adding, Inserting, Editing };

    void FillModeList();
    void OnChanged(Aspects what);
    void OnTypeSelected();
    std::vector<std::size_t> Selected() const;
    std::optional<std::size_t> LastSelected() const;
    void Message(const char* key);
    // The type selected in the catalogue, or empty after the message key.
    std::string SelectedType(const char* noneKey);
    void BeginRecord(const std::string& type, Begun why, int selected);
    void OpenCircularArea(const CModeItem& record, Begun why, int selected);
    void OnCircularAreaChosen(const CCirAreaDlg& dialog, CModeItem record, Begun why, int selected);
    // Runs a change of the mode list as one edit; shows its failure.
    bool EditModes(const QString& text, const std::function<Status(CEditImgDoc&)>& change);

    void OnAdd();
    void OnInsert();
    void OnDelete();
    void OnEdit();
    void OnCopy();
    void OnPaste();
    void OnPlayRange(bool first);

    QListWidget* m_modes = nullptr;
    QListWidget* m_types = nullptr;
    QPlainTextEdit* m_description = nullptr;
    CModePreview* m_preview = nullptr;
    QPointer<CCirAreaDlg> m_circularArea;
};

} // namespace lumaro::gui
