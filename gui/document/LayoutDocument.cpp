#include "gui/document/LayoutDocument.h"

#include "core/app/LangText.h"
#include "core/effects/EffectCompiler.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/FilePath.h"
#include "gui/app/MainFrame.h"
#include "gui/document/ProjectEditCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace lumaro::gui {

CLayoutDocument::CLayoutDocument()
{
    OnCommand(cmd::FileSave, [this] { OnFileSave(); });
    OnCommand(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    OnCommand(cmd::PortTableOut, [this] { WritePortTable(); });
    OnCommand(cmd::EditUndo, [this] { m_undo.undo(); });
    OnUpdate(cmd::EditUndo, [this](CCmdUI& ui) { ui.Enable(m_undo.canUndo()); });
    OnCommand(cmd::EditRedo, [this] { m_undo.redo(); });
    OnUpdate(cmd::EditRedo, [this](CCmdUI& ui) { ui.Enable(m_undo.canRedo()); });
    connect(&m_undo, &QUndoStack::cleanChanged, this, [this] { Q_EMIT TitleChanged(); });
}

CEditorApp* CLayoutDocument::App() const
{
    return GetDocTemplate() ? &GetDocTemplate()->App() : nullptr;
}

bool CLayoutDocument::Edit(const QString& text, Aspects aspects, const Change& change, int mergeGroup)
{
    CProjectState before = CProjectState::Capture(m_data, aspects);
#ifdef LUMARO_CHECK_EDITS
    // An edit that changes an aspect its caller did not name would leave
    // a change no undo takes back and no window hears of.
    const CEditImgDoc whole = m_data;
#endif
    if (!change(m_data)) {
        before.ApplyTo(m_data);
        return false;
    }
#ifdef LUMARO_CHECK_EDITS
    QStringList changed;
    // Lamps and Ports are the one lamp list.
    Aspects named = aspects;
    if (named & (Aspect::Lamps | Aspect::Ports))
        named |= Aspect::Lamps | Aspect::Ports;
    for (Aspect aspect : kEditableAspects)
        if (!(named & aspect) &&
            CProjectState::Capture(m_data, aspect) != CProjectState::Capture(whole, aspect))
            changed << QString::number(uint(aspect));
    if (!changed.isEmpty())
        qFatal("The edit \"%s\" changed aspects it did not name: %s", qPrintable(text),
               qPrintable(changed.join(QLatin1Char(','))));
#endif
    CProjectState after = CProjectState::Capture(m_data, aspects);
    if (after == before)
        return false;
    // The edit has run; pushing only records it (the first redo does nothing).
    m_undo.push(new CProjectEditCommand(*this, text, std::move(before), std::move(after), mergeGroup));
    Q_EMIT Changed(aspects);
    return true;
}

void CLayoutDocument::ApplyState(const CProjectState& state)
{
    state.ApplyTo(m_data);
    Q_EMIT Changed(state.Covered());
}

const CLayoutDocument::CompiledSnapshot& CLayoutDocument::CreateData()
{
    m_compiled = std::make_shared<const CCompiledEffects>(CompileEffects(m_data));
    Q_EMIT Changed(Aspect::Compiled);
    return m_compiled;
}

void CLayoutDocument::SetModifiedFlag(bool modified)
{
    if (!modified)
        m_undo.setClean();
}

void CLayoutDocument::OpenProject(CEditImgDoc data)
{
    Q_EMIT Resetting();
    m_data = std::move(data);
    m_compiled.reset();
    m_undo.clear();
    m_undo.setClean();
    Q_EMIT Changed(kAllEditable | Aspect::Compiled);
}

bool CLayoutDocument::OnNewDocument()
{
    Q_EMIT Creating();
    OpenProject(CEditImgDoc());
    return true;
}

bool CLayoutDocument::OnOpenDocument(const QString& path)
{
    Result<CEditImgDoc> loaded = CLayoutFile::Load(FindPathNoCase(PathOf(path)));
    if (!loaded) {
        ReportFailure(loaded.status().key);
        return false;
    }
    OpenProject(std::move(loaded).value());
    return true;
}

bool CLayoutDocument::OnSaveDocument(const QString& path)
{
    Status saved = CLayoutFile::Save(m_data, PathOf(path));
    if (!saved) {
        ReportFailure(saved.key);
        return false;
    }
    m_undo.setClean();
    return true;
}

void CLayoutDocument::OnFileSave()
{
    if (!m_data.HasEnoughLamps())
        return;
    if (GetPathName().isEmpty()) {
        OnFileSaveAs();
        return;
    }
    if (OnSaveDocument(GetPathName()))
        WritePortTable();
}

void CLayoutDocument::OnFileSaveAs()
{
    if (!m_data.HasEnoughLamps())
        return;
    CEditorApp* app = App();
    if (!app)
        return;
    const QString suggested = GetPathName().isEmpty() ? GetTitle() : GetPathName();
    const QString chosen =
        app->Prompts().saveFileName(app->MainFrame(), QString::fromLatin1(kLampFilter), suggested);
    if (chosen.isEmpty())
        return;
    const fs::path target = CLayoutFile::SaveAsPath(PathOf(chosen));
    const QString path = QString::fromStdU16String(target.u16string());
    app->SetCurrentDirectoryFromFile(path);
    if (!OnSaveDocument(path))
        return;
    SetPathName(path);
    WritePortTable();
}

QString CLayoutDocument::OutputFolder() const
{
    if (const QString path = GetPathName(); !path.isEmpty())
        return QFileInfo(path).absolutePath();
    return App() ? App()->CurrentDirectory() : QDir::currentPath();
}

QString CLayoutDocument::PortTablePath() const
{
    return QDir(OutputFolder()).filePath(QString::fromLatin1(CPortTable::kFileName));
}

bool CLayoutDocument::WritePortTable()
{
    Status written = CPortTable::Write(m_data.lamps, PathOf(OutputFolder()));
    if (written) {
        Q_EMIT Note(QString::fromStdString(GetLangText("LAYOUTDOC_WRITEPORTTABLE_CW"))
                        .arg(QDir::toNativeSeparators(PortTablePath())));
        return true;
    }
    ReportFailure(written.key);
    return false;
}

} // namespace lumaro::gui
