#pragma once

#include "core/app/Status.h"
#include "core/effects/ModeItem.h"
#include "gui/document/ProjectState.h"
#include "gui/effects/ModeEditorPage.h"

#include <cstddef>
#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

namespace lumaro {
class CEffectSet;
} // namespace lumaro

namespace lumaro::gui {

// Tab 2 of the mode editor, dialog 111 "GroupList": the lamp list and band
// list the user picks in the mode test view, and what they become: the
// lamp group of a custom or text mode, or the group list of a custom mode
// lit band by band. The lists live in the project's picks, so the view
// draws and changes the same lists this page shows.
class CPage5 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 111;
    enum ControlId {
        LampListId = 1101,
        BandListId = 1127,
        LampListLabelId = 1102,
        BandListLabelId = 1103,
        AddLampId = 1058,
        InsertLampId = 1059,
        DeleteLampId = 1060,
        InputGroupId = 1061,
        NewGroupId = 1062,
        ShowId = 1063,
        AddGroupId = 1064,
        InsertGroupId = 1065,
        DeleteGroupId = 1066,
        InputGrpGrpId = 1067,
        ReturnId = 1068,
        OpenGroupId = 1069,
    };

    explicit CPage5(const CModePageContext& context, QWidget* parent = nullptr);

    QListWidget* LampList() const { return m_lamps; }
    QListWidget* BandList() const { return m_bands; }
    QPushButton* Button(int controlId) const;

private:
    void Fill();
    void OnChanged(Aspects what);
    std::optional<std::size_t> SelectedBand() const;
    // The mode the lists are for: the one stored last, else the record in the making.
    CModeItem Record() const;
    // One edit of the picks and what is stored from them; shows a failure.
    bool Run(const QString& text, Aspects aspects, const std::function<Status(CEffectSet&)>& change);
    void OnGroupPick(int pick);
    void OnInsertLamp();
    // InputGroup and InputGrpGrp: the lists become the stored mode's.
    void OnInput(bool bandList);

    QListWidget* m_lamps = nullptr;
    QListWidget* m_bands = nullptr;
};

} // namespace lumaro::gui
