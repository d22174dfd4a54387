#include "gui/link/LinkCommands.h"

#include "core/app/InstallFolder.h"
#include "gui/app/CommandIds.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/link/HexDownloadDlg.h"

namespace lumaro::gui {

CLinkCommands::CLinkCommands(CEditorApp& app) : m_app(app)
{
    OnCommand(cmd::WriteToController, [this] { OnWriteToController(); });
}

void CLinkCommands::OnWriteToController()
{
    OpenDownloadDialog(QString());
}

void CLinkCommands::OpenDownloadDialog(const QString& image)
{
    if (!image.isEmpty())
        m_lastImage = image;
    // The program's settings file, as every link of the program uses.
    CHexDownloadDlg dialog(m_app.Prompts(), {}, m_linked, m_app.MainFrame());
    dialog.SetFilePath(m_lastImage);
    m_app.Prompts().runModal(dialog);
}

} // namespace lumaro::gui
