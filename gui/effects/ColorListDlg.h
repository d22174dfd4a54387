#pragma once

#include "core/effects/ColourData.h"
#include "core/effects/ModeItem.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lumaro::gui {

struct CPrompts;

// Dialog 1374 "Color List": edits the colour list of one scene slot. The
// buttons carry the ids of the colour list page's buttons and behave alike.
class CColorListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 1374;
    enum ControlId {
        ListId = 1101,
        AddColourId = 1113,
        InsertColourId = 1104,
        RemoveColourId = 1114,
        RemoveAllId = 1128,
        StartColourId = 1129,
        EndColourId = 1130,
        DeleteRangeId = 1131,
        AddListId = 1105,
        OkId = 1112,
        CancelId = 1115,
        SineId = 1132,
        CosineId = 1133,
        InsertCheckId = 1134,
    };

    CColorListDlg(const UIntArray& colours, CPrompts& prompts, QWidget* parent = nullptr);

    // The system colour dialog by default; tests answer without a window.
    std::function<std::optional<QColor>(QWidget* owner)> chooseColour;

    // The list as OK read it back from the lines; valid after accept().
    const UIntArray& Colours() const { return m_result; }

    QListWidget* List() const { return m_list; }
    QPushButton* Button(int controlId) const;
    QSpinBox* GradientCount() const { return m_count; }
    QCheckBox* GradientInsert() const { return m_insert; }
    void SetCurve(CColourData::Curve curve);
    int StartMark() const { return m_start; }
    int EndMark() const { return m_end; }

private:
    void AddLine(int row, std::uint32_t r, std::uint32_t g, std::uint32_t b);
    void Message(const char* key);
    void ClearMarks() { m_start = m_end = -1; }
    std::optional<std::array<std::uint32_t, 3>> LineColour(int row) const;

    void OnAddColour();
    void OnInsertColour();
    void OnRemoveColour();
    void OnRemoveAll();
    void OnMark(bool start);
    void OnDeleteRange();
    void OnAddList();
    void OnOk();

    CPrompts& m_prompts;
    QListWidget* m_list = nullptr;
    QSpinBox* m_count = nullptr;
    QCheckBox* m_insert = nullptr;
    QButtonGroup* m_curve = nullptr;
    int m_start = -1; // marked rows of a gradient, -1 while unmarked
    int m_end = -1;
    UIntArray m_result;
};

} // namespace lumaro::gui
