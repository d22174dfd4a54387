#pragma once

#include "core/preview/PlayHandOver.h"
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

    // Opens a demo window playing `handOver`: the main tool bar is disabled
    // until the window closes. False when no window could be opened.
    static bool PlayInDemo(CEditorApp& app, const CPlayHandOver& handOver);
    // "Parataxis demo" of the layout view: the project compiled and played
    // in Parallel order.
    static bool PlayLayoutInDemo(CEditorApp& app, CLayoutDocument& layout);

private:
    CEditorApp& m_app;
};

} // namespace lumaro::gui
