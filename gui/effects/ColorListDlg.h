#pragma once

#include "core/effects/ColourData.h"
#include "core/effects/ModeItem.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lumaro::gui {

class CColourListEditor;
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

    QListWidget* List() const;
    QPushButton* Button(int controlId) const;
    QSpinBox* GradientCount() const;
    QCheckBox* GradientInsert() const;
    void SetCurve(CColourData::Curve curve);
    int StartMark() const;
    int EndMark() const;

private:
    void OnOk();

    CColourListEditor* m_editor = nullptr;
    UIntArray m_result;
};

} // namespace lumaro::gui
