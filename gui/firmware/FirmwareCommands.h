#pragma once

#include "gui/app/CommandTarget.h"

#include <QString>

#include <functional>

namespace lumaro::gui {

class CEditorApp;
class CLayoutDocument;

// The firmware commands of the main frame's menus: "Create Bin File", and
// the hand-over of a built image to the download dialog.
class CFirmwareCommands : public CCommandTarget {
public:
    explicit CFirmwareCommands(CEditorApp& app);

    // Create Bin File: a project without a path is saved first; without one
    // after that nothing is built.
    void OnOutText4Bin();

    // The Create BIN File dialog; nothing until it is set.
    std::function<void(CLayoutDocument&)> runCreateBin;

    // The end of a build whose opener asked for the image to be written:
    // opens the HEX download dialog with that image chosen. Only a build
    // calls it; the wiring points it at the controller link.
    std::function<void(const QString& image)> openDownload;

private:
    CEditorApp& m_app;
};

} // namespace lumaro::gui
