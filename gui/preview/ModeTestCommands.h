#pragma once

#include "gui/app/CommandTarget.h"

namespace lumaro::gui {

class CEditorApp;
class CLayoutDocument;

// The mode test commands the main frame's menus offer: "Transfer Data"
// hands a layout's lamps to the effect side and opens the mode test view
// on the same document.
class CModeTestCommands : public CCommandTarget {
public:
    explicit CModeTestCommands(CEditorApp& app);

    void OnTransferData();
    // Sends every open mode test view File Close (a new project is being
    // made: at most one project is in the mode test state at a time).
    void CloseModeTestViews();

private:
    CEditorApp& m_app;
};

} // namespace lumaro::gui
