#include "gui/firmware/FirmwareCommands.h"

#include "core/app/LangText.h"
#include "core/firmware/FirmwareText.h"
#include "gui/app/CommandIds.h"
#include "gui/app/EditorApp.h"
#include "gui/app/FilePath.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MessageText.h"
#include "gui/document/LayoutDocument.h"
#include "gui/firmware/CrtBinDlg.h"
#include "gui/firmware/FirmwareBuildRunner.h"
#include "gui/widgets/StatusBarXP.h"

#include <QDir>
#include <QFileInfo>

namespace lumaro::gui {

CFirmwareCommands::CFirmwareCommands(CEditorApp& app) : m_app(app)
{
    OnCommand(cmd::CreateBinFile, [this] { OnOutText4Bin(); });
    OnCommand(cmd::OutputTables, [this] { OnOutText(); });
    OnCommand(cmd::OutputGroupTables, [this] { OnOutCstGrp(); });
    OnCommand(cmd::OutputGetterSource, [this] { OnOutGetPtn(); });
    // The mode test view enables these through its own handlers, once the
    // data are compiled.
    for (int id : {cmd::CreateBinFile, cmd::OutputTables, cmd::OutputGroupTables, cmd::OutputGetterSource})
        OnUpdate(id, [](CCmdUI& ui) { ui.Enable(false); });
}

CLayoutDocument* CFirmwareCommands::ActiveLayout() const
{
    CMainFrame* main = m_app.MainFrame();
    return main ? dynamic_cast<CLayoutDocument*>(main->GetActiveDocument()) : nullptr;
}

void CFirmwareCommands::OnOutText4Bin()
{
    CLayoutDocument* layout = ActiveLayout();
    if (!layout)
        return;
    if (layout->GetPathName().isEmpty())
        layout->DoFileSave();
    if (layout->GetPathName().isEmpty()) {
        m_app.Prompts().message(m_app.MainFrame(),
                                QString::fromStdString(GetLangText("MAINFRM_ONOUTTEXT4_BIN")),
                                QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    RunCreateBin(*layout);
}

void CFirmwareCommands::RunCreateBin(CLayoutDocument& document)
{
    CCrtBinDlg dialog(document, m_app.Prompts(), m_running, m_app.DataFolder() / "sys",
                      PathOf(document.OutputFolder()), m_app.MainFrame());
    dialog.formatChosen = [this](int format) { m_lastFormat = format; };
    QObject::connect(&dialog.Runner(), &CFirmwareBuildRunner::Written, &dialog,
                     [this](const QString& image) { Written(image); });
    dialog.openDownload = openDownload;
    m_app.Prompts().runModal(dialog);
}

void CFirmwareCommands::OnCreateHex(CLayoutDocument& document, QWidget* owner,
                                    std::function<void(const QString& source, const QString& image)> built)
{
    if (*m_running > 0)
        return;
    auto* runner =
        new CFirmwareBuildRunner(m_app.Prompts(), owner, CFirmwareBuildRunner::Texts::English, m_running);
    runner->setParent(owner);
    QObject::connect(runner, &CFirmwareBuildRunner::Written, runner,
                     [this](const QString& image) { Written(image); });
    QObject::connect(runner, &CFirmwareBuildRunner::Finished, runner,
                     [runner, built](const QString& source, const QString& image) {
                         if (built)
                             built(source, image);
                         runner->deleteLater();
                     });
    CFirmwareBuild::Setup setup;
    setup.fileFormat = m_lastFormat == 0 ? 1 : m_lastFormat;
    setup.buildFolder = m_app.DataFolder() / "sys";
    setup.currentFolder = PathOf(document.OutputFolder());
    setup.title = document.GetTitle().toStdString();
    runner->Run(document, std::move(setup));
}

void CFirmwareCommands::OnOutText()
{
    CLayoutDocument* layout = ActiveLayout();
    if (!layout)
        return;
    const auto compiled = layout->Compiled() ? layout->Compiled() : layout->CreateData();
    CFirmwareText text;
    const Status written = text.WriteTables(*compiled, PathOf(layout->OutputFolder()));
    TellOverLimits(text);
    if (!written && (text.overLimits.empty() || written.key != text.overLimits.front().key))
        m_app.Prompts().message(m_app.MainFrame(), QString::fromStdString(GetLangText(written)),
                                QMessageBox::Warning, QMessageBox::Ok);
    else if (written)
        ShowWritten("ID_MSG_TEXT_WRITTEN", layout->OutputFolder());
}

void CFirmwareCommands::TellOverLimits(const CFirmwareText& text)
{
    for (const Status& over : text.overLimits)
        m_app.Prompts().message(m_app.MainFrame(), QString::fromStdString(GetLangText(over)),
                                QMessageBox::Warning, QMessageBox::Ok);
}

void CFirmwareCommands::Written(const QString& image)
{
    ShowWritten("CRTBINDLG_ONBINGO_WRITTEN", image);
    if (imageWritten)
        imageWritten(image);
}

void CFirmwareCommands::ShowWritten(const char* key, const QString& path)
{
    if (CMainFrame* main = m_app.MainFrame())
        main->StatusBarXP()->SetPaneText(0, LangText(key).arg(QDir::toNativeSeparators(path)));
}

void CFirmwareCommands::SaveText(CFirmwareText::Output kind, const char* filter, const char* suggested,
                                 const char* extension)
{
    CLayoutDocument* layout = ActiveLayout();
    if (!layout)
        return;
    const auto compiled = layout->Compiled() ? layout->Compiled() : layout->CreateData();
    CFirmwareText text;
    if (kind == CFirmwareText::Output::GroupTables) {
        (void)text.BuildGroupTables(*compiled);
        TellOverLimits(text);
    } else {
        text.BuildGetterSource(*compiled);
    }
    QString path =
        m_app.Prompts().saveFileName(m_app.MainFrame(), QString::fromLatin1(filter),
                                     QDir(layout->OutputFolder()).filePath(QString::fromLatin1(suggested)));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QString::fromLatin1(extension);
    if (const Status written = WriteFileAtomic(PathOf(path), text.TextOf(kind)); !written) {
        QString message = QString::fromStdString(GetLangText(CFirmwareText::kCannotCreateKey));
        m_app.Prompts().message(m_app.MainFrame(), message, QMessageBox::Warning, QMessageBox::Ok);
    }
}

void CFirmwareCommands::OnOutCstGrp()
{
    SaveText(CFirmwareText::Output::GroupTables, "Text Files(*.h);;All Files(*.*)",
             CFirmwareText::kGroupTablesFile, "h");
}

void CFirmwareCommands::OnOutGetPtn()
{
    SaveText(CFirmwareText::Output::GetterSource, "Text Files(*.c);;All Files(*.*)",
             CFirmwareText::kGetterSourceFile, "c");
}

} // namespace lumaro::gui
