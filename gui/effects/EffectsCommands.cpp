#include "gui/effects/EffectsCommands.h"

#include "core/app/InstallFolder.h"
#include "core/app/LangText.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/EditorApp.h"
#include "gui/app/FilePath.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/SceneEditDlg.h"
#include "gui/link/MSComm1.h"
#include "gui/widgets/StatusBarXP.h"

#include <QDir>

namespace lumaro::gui {

CEffectsCommands::CEffectsCommands(CEditorApp& app) : m_app(app)
{
    OnCommand(cmd::UseWizard, [this] { OnFileWizard(); });
}

void CEffectsCommands::OnFileWizard()
{
    CMainFrame* main = m_app.MainFrame();
    CDocument* document = main ? main->GetActiveDocument() : nullptr;
    if (!document)
        return;
    auto* layout = dynamic_cast<CLayoutDocument*>(document);
    if (!layout || layout->Data().lamps.empty()) {
        m_app.Prompts().message(main, QStringLiteral("Please edit the lamp first!"), QMessageBox::Warning,
                                QMessageBox::Ok);
        return;
    }
    RunSceneEditor(*layout);
}

void CEffectsCommands::RunSceneEditor(CLayoutDocument& document)
{
    CSceneEditDlg dialog(document, m_app.Prompts(), m_app.MainFrame());
    // The document is the active one, so the route's Save As is its own.
    dialog.saveAs = [this] { m_app.Registry().Dispatch(cmd::FileSaveAs); };
    // cport.h goes where the firmware build looks for it.
    dialog.outputFolder = PathOf(document.OutputFolder());
    dialog.portTableWritten = [this](const fs::path& file) {
        if (CMainFrame* main = m_app.MainFrame()) {
            main->StatusBarXP()->SetPaneText(
                0, QString::fromStdString(GetLangText("LAYOUTDOC_WRITEPORTTABLE_CW"))
                       .arg(QDir::toNativeSeparators(QString::fromStdU16String(file.u16string()))));
        }
    };
    dialog.buildFirmware = buildFirmware;
    m_app.Prompts().runModal(dialog);
}

} // namespace lumaro::gui
