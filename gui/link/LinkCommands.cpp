#include "gui/link/LinkCommands.h"

#include "core/app/InstallFolder.h"
#include "gui/app/CommandIds.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/link/HexDownloadDlg.h"

namespace lumaro::gui {

CLinkCommands::CLinkCommands(CEditorApp& app) : m_app(app)
{
    runDialog = [](CHexDownloadDlg& dialog) { dialog.exec(); };
    OnCommand(cmd::WriteToController, [this] { OnWriteToController(); });
}

void CLinkCommands::OnWriteToController()
{
    OpenDownloadDialog(QString());
}

void CLinkCommands::OpenDownloadDialog(const QString& image)
{
    CHexDownloadDlg dialog(m_app.Prompts(), m_app.DataFolder() / datapath::Settings, m_linked,
                           m_app.MainFrame());
    dialog.SetFilePath(image);
    runDialog(dialog);
}

} // namespace lumaro::gui
