#pragma once

#include "core/firmware/FirmwareText.h"
#include "gui/app/CommandTarget.h"
#include "gui/firmware/FirmwareBuildRunner.h"

#include <QString>

#include <functional>

class QWidget;

namespace lumaro::gui {

class CEditorApp;
class CLayoutDocument;

// The firmware commands: "Create Bin File" with its dialog, the scene
// editor's build of a HEX image, the document's three text outputs, and the
// hand-over of a built image to the download dialog.
class CFirmwareCommands : public CCommandTarget {
public:
    explicit CFirmwareCommands(CEditorApp& app);

    // Create Bin File: a project without a path is saved first; without one
    // after that nothing is built.
    void OnOutText4Bin();
    // "DSPPTN.H" and "CSTGRP.h" into the current folder.
    void OnOutText();
    // "CSTGRP.h" and "GETPTN.c" where the user chooses.
    void OnOutCstGrp();
    void OnOutGetPtn();

    // The scene editor's Save/Create: builds the image in the format of the
    // last Create BIN File choice with fixed English messages. built is told
    // the build folder's image and the stamped copy (empty when none).
    void OnCreateHex(CLayoutDocument& document, QWidget* owner,
                     std::function<void(const QString& source, const QString& image)> built);

    // The format of the last Create BIN File choice; 0 before the first.
    int LastFormat() const { return m_lastFormat; }

    // The end of a build whose opener asked for the image to be written:
    // opens the HEX download dialog with that image chosen. The wiring
    // points it at the controller link.
    std::function<void(const QString& image)> openDownload;
    // Every stamped image a build has written.
    std::function<void(const QString& image)> imageWritten;

private:
    // Pane 0 of the status bar names what was written where.
    void ShowWritten(const char* key, const QString& path);
    void Written(const QString& image);
    // One message for each table over its limit.
    void TellOverLimits(const CFirmwareText& text);
    CLayoutDocument* ActiveLayout() const;
    void RunCreateBin(CLayoutDocument& document);
    // Saves a text of the compiled tables where the user chooses.
    void SaveText(CFirmwareText::Output kind, const char* filter, const char* suggested,
                  const char* extension);

    CEditorApp& m_app;
    int m_lastFormat = 0;
    // The program's builds: one runs at a time.
    CFirmwareBuildRunner::RunningCount m_running = std::make_shared<int>(0);
};

} // namespace lumaro::gui
