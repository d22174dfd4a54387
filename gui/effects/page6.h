#pragma once

#include "core/effects/ModeParameters.h"
#include "gui/effects/ModeEditorPage.h"

#include <QMessageBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumaro::gui {

// Tab 3 of the mode editor, dialog 112 "Mode Parameter": timing, scope and
// start point of the record being edited. Its OK checks them and stores
// the record in the mode list as the mode list page began it: replacing
// the edited mode, appending, or inserting behind the selected one.
class Cpage6 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 112;
    enum ControlId {
        CurrentModeId = 1118,
        IntervalId = 1100,
        LoopId = 1113,
        HoldTimeId = 1114,
        StepId = 1115,
        LayerId = 1117,
        WordStepId = 1027,
        WordColourModeId = 1120,
        IntervalHeadingId = 1132,
        LoopHeadingId = 1133,
        HoldTimeHeadingId = 1309,
        StepHeadingId = 1310,
        LayerHeadingId = 1311,
        WordStepHeadingId = 1028,
        WordColourModeHeadingId = 1029,
        StartId = 1041,
        StartXId = 1116,
        StartYId = 1119,
        AreaId = 1053,
        AreaLeftId = 1121,
        AreaTopId = 1122,
        AreaRightId = 1123,
        AreaBottomId = 1124,
        BasicScopeId = 1140,
        ExtraScopeId = 1141,
        LeftTopLabelId = 1142,
        RightBottomLabelId = 1143,
        AddLampId = 1030,
        DeleteLampId = 1031,
        OkId = 1052,
    };

    explicit Cpage6(const CModePageContext& context, QWidget* parent = nullptr);

    QPushButton* Button(int controlId) const;
    // The value edit or heading with that control id, or nullptr.
    QLineEdit* Edit(int controlId) const;
    QLabel* Heading(int controlId) const;
    QComboBox* WordColourMode() const { return m_wordColourMode; }
    // The name of the record being edited.
    QLineEdit* CurrentMode() const { return m_currentMode; }

    // The edits from the record being edited.
    void Load();
    void FollowZoom();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Read-only edits and headings as the record's type (and the combo box) say.
    void ApplyFields();
    CParameterValues Values() const;
    void SetValue(int controlId, int value);
    // The supplementary lamps of this record, as the parameter pick builds them.
    UIntArray ParameterLamps() const;
    void Warn(const Status& status);

    void OnParameterPick(bool add);
    void OnOk();

    QLineEdit* m_currentMode = nullptr;
    QComboBox* m_wordColourMode = nullptr;
    // The record whose values the edits show.
    static constexpr int kNameLength = 64;
    unsigned m_loadedSerial = 0;
    int m_fieldZoom = 1; // the zoom the start point and area fields are shown in
    // The record whose supplementary lamps were put into the pick list.
    unsigned m_pickSerial = 0;
};

} // namespace lumaro::gui
