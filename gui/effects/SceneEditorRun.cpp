#include "gui/effects/SceneEditorRun.h"

#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/effects/SceneEditDlg.h"
#include "gui/layout/LayoutDocument.h"

namespace lumaro::gui {

void RunSceneEditor(CEditorApp& app, CLayoutDocument& document)
{
    CSceneEditDlg dialog(document, app.Prompts(), app.MainFrame());
    // The document is the active one, so the route's Save As is its own.
    dialog.saveAs = [&app] { app.Registry().Dispatch(cmd::FileSaveAs); };
    // cport.h goes where the firmware build looks for it.
    dialog.outputFolder = fs::path(app.CurrentDirectory().toStdU16String());
    dialog.exec();
}

} // namespace lumaro::gui
