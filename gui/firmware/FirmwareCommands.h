#pragma once

#include "gui/app/CommandTarget.h"

#include <functional>

namespace lumaro::gui {

class CEditorApp;
class CLayoutDocument;

// The controller commands of the main frame's menus: "Create Bin File"
// (and, later, "Write To Controller").
class CFirmwareCommands : public CCommandTarget {
public:
    explicit CFirmwareCommands(CEditorApp& app);

    // Create Bin File: a project without a path is saved first; without one
    // after that nothing is built.
    void OnOutText4Bin();

    // The Create BIN File dialog; nothing until it is set.
    std::function<void(CLayoutDocument&)> runCreateBin;

private:
    CEditorApp& m_app;
};

} // namespace lumaro::gui
