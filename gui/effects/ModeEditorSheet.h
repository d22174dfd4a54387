#pragma once

#include "core/app/FileSystem.h"
#include "core/effects/ModeEditState.h"

#include <QDialog>

class QTabWidget;

namespace lumaro::gui {

class CLayoutDocument;
class CModeEditorPage;
class CModeGrpEdt;
class CModeTestState;
class CPage2;
class CPage3;
class CPage4;
class CPage5;
class Cpage6;
struct CPrompts;

// The mode editor: a modeless sheet of five pages over one project, owned by
// its mode test view. Tabs in order: mode list (109), colour list (108),
// group list (111), mode parameters (112), program groups (107); page 110
// is made with them but never shown. The pages share the record being
// edited through the sheet's edit state and change the project only
// through the document.
class CModeEditorSheet : public QDialog {
    Q_OBJECT
public:
    CModeEditorSheet(CLayoutDocument& document, CPrompts& prompts, fs::path dataFolder,
                     QWidget* parent = nullptr);
    ~CModeEditorSheet() override;

    // "Edit Mode": shows the sheet on the mode list page, captions and tab
    // titles in the current language.
    void Open();
    // Shows the sheet again with page active, one of
    // CModeTestState::Page. The pages' requests and the mode test view's
    // ReturnToPage come here.
    void ShowPage(int page);
    // Steps aside while the user picks lamps, a point or an area in the
    // mode test view.
    void HideForPick();
    // Closed as with OK: before a play and when the view goes.
    void End();

    CModeEditState& EditState() { return m_edit; }
    QTabWidget* Tabs() const { return m_tabs; }
    CPage3* ModeListPage() const { return m_modeList; }
    CPage2* ColourListPage() const { return m_colourList; }
    CPage5* GroupListPage() const { return m_groupList; }
    Cpage6* ParameterPage() const { return m_parameters; }
    CModeGrpEdt* ProgramGroupPage() const { return m_programGroups; }
    CPage4* Page4() const { return m_page4; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void AddPage(CModeEditorPage* page);
    void Relabel();
    void FollowModes();

    CModeEditState m_edit;
    CLayoutDocument& m_document;
    // The mode list the edit's mode number refers to.
    std::vector<lumaro::CModeItem> m_knownModes;
    CModeTestState& m_modeTest;
    QTabWidget* m_tabs = nullptr;
    CPage3* m_modeList = nullptr;
    CPage2* m_colourList = nullptr;
    CPage5* m_groupList = nullptr;
    CPage4* m_page4 = nullptr;
    Cpage6* m_parameters = nullptr;
    CModeGrpEdt* m_programGroups = nullptr;
    int m_programGroupZoom = 1;
};

} // namespace lumaro::gui
