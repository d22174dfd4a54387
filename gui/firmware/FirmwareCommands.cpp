#include "gui/firmware/FirmwareCommands.h"

#include "core/app/LangText.h"
#include "gui/app/CommandIds.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/layout/LayoutDocument.h"

namespace lumaro::gui {

CFirmwareCommands::CFirmwareCommands(CEditorApp& app) : m_app(app)
{
    OnCommand(cmd::CreateBinFile, [this] { OnOutText4Bin(); });
    // The mode test view enables Create Bin File through its own handler.
    OnUpdate(cmd::CreateBinFile, [](CCmdUI& ui) { ui.Enable(false); });
}

void CFirmwareCommands::OnOutText4Bin()
{
    CMainFrame* main = m_app.MainFrame();
    auto* layout = main ? dynamic_cast<CLayoutDocument*>(main->GetActiveDocument()) : nullptr;
    if (!layout)
        return;
    if (layout->GetPathName().isEmpty())
        layout->DoFileSave();
    if (layout->GetPathName().isEmpty()) {
        m_app.Prompts().message(main, QString::fromStdString(GetLangText("MAINFRM_ONOUTTEXT4_BIN")),
                                QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    if (runCreateBin)
        runCreateBin(*layout);
}

} // namespace lumaro::gui
