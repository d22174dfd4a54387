#include "gui/layout/LayoutDocument.h"

#include "core/app/LangText.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/app/View.h"

#include <QDir>
#include <QUndoCommand>

namespace lumaro::gui {

namespace {
fs::path ToPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}

// A layout edit as the states before and after it; the edit itself has
// already run when the step is recorded.
class CLayoutEditCommand : public QUndoCommand {
public:
    CLayoutEditCommand(CLayoutDocument& document, CLayoutSnapshot before, CLayoutSnapshot after,
                       const QString& text)
        : QUndoCommand(text), m_document(document), m_before(std::move(before)),
          m_after(std::move(after))
    {
    }
    void undo() override { m_document.RestoreSnapshot(m_before); }
    void redo() override
    {
        if (m_firstRedo) {
            m_firstRedo = false;
            return;
        }
        m_document.RestoreSnapshot(m_after);
    }

private:
    CLayoutDocument& m_document;
    CLayoutSnapshot m_before;
    CLayoutSnapshot m_after;
    bool m_firstRedo = true;
};
} // namespace

CLayoutDocument::CLayoutDocument()
{
    OnCommand(cmd::FileSave, [this] { OnFileSave(); });
    OnCommand(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    OnCommand(cmd::PortTableOut, [this] { WritePortTable(); });
    OnCommand(cmd::EditUndo, [this] { m_undo.undo(); });
    OnUpdate(cmd::EditUndo, [this](CCmdUI& ui) { ui.Enable(m_undo.canUndo()); });
    OnCommand(cmd::EditRedo, [this] { m_undo.redo(); });
    OnUpdate(cmd::EditRedo, [this](CCmdUI& ui) { ui.Enable(m_undo.canRedo()); });
    // Back at the saved state the document is unmodified again.
    connect(&m_undo, &QUndoStack::indexChanged, this, [this] {
        SetModifiedFlag(!m_undo.isClean());
        RedrawViews();
    });
}

CEditorApp* CLayoutDocument::App() const
{
    return GetDocTemplate() ? &GetDocTemplate()->App() : nullptr;
}

bool CLayoutDocument::OnNewDocument()
{
    // At most one project is in the mode test state at a time.
    if (CEditorApp* app = App()) {
        if (CMainFrame* main = app->MainFrame())
            main->CloseModeTestView();
    }
    m_data = lumaro::CEditImgDoc();
    ResetUndo();
    SetModifiedFlag(false);
    return true;
}

bool CLayoutDocument::OnOpenDocument(const QString& path)
{
    Result<lumaro::CEditImgDoc> loaded = CLayoutFile::Load(FindPathNoCase(ToPath(path)));
    if (!loaded) {
        ReportFailure(loaded.status().key);
        return false;
    }
    m_data = std::move(loaded).value();
    SetModifiedFlag(false);
    ResetUndo();
    return true;
}

bool CLayoutDocument::OnSaveDocument(const QString& path)
{
    Status saved = CLayoutFile::Save(m_data, ToPath(path));
    if (!saved) {
        ReportFailure(saved.key);
        return false;
    }
    m_undo.setClean();
    SetModifiedFlag(false);
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
    const fs::path target = CLayoutFile::SaveAsPath(ToPath(chosen));
    const QString path = QString::fromStdU16String(target.u16string());
    app->SetCurrentDirectoryFromFile(path);
    if (!OnSaveDocument(path))
        return;
    SetPathName(path);
    WritePortTable();
}

QString CLayoutDocument::PortTablePath() const
{
    const QString folder = App() ? App()->CurrentDirectory() : QDir::currentPath();
    return QDir(folder).filePath(QString::fromLatin1(CPortTable::kFileName));
}

bool CLayoutDocument::WritePortTable()
{
    const QString folder = App() ? App()->CurrentDirectory() : QDir::currentPath();
    Status written = CPortTable::Write(m_data.lamps, ToPath(folder));
    if (written)
        return true;
    if (CEditorApp* app = App()) {
        app->Prompts().message(app->MainFrame(), QString::fromStdString(GetLangText(written.key)),
                               QMessageBox::Warning, QMessageBox::Ok);
    }
    return false;
}

CLayoutSnapshot CLayoutDocument::TakeSnapshot() const
{
    return {m_data.lamps, m_data.backgroundTolerance, m_data.gridStep, m_data.scanned};
}

void CLayoutDocument::RestoreSnapshot(const CLayoutSnapshot& snapshot)
{
    m_data.lamps = snapshot.lamps;
    m_data.backgroundTolerance = snapshot.backgroundTolerance;
    m_data.gridStep = snapshot.gridStep;
    m_data.scanned = snapshot.scanned;
}

void CLayoutDocument::RecordEdit(const CLayoutSnapshot& before, const QString& text)
{
    CLayoutSnapshot after = TakeSnapshot();
    if (after == before)
        return;
    m_undo.push(new CLayoutEditCommand(*this, before, std::move(after), text));
    SetModifiedFlag(true);
}

void CLayoutDocument::ResetUndo()
{
    m_undo.clear();
    m_undo.setClean();
}

void CLayoutDocument::RedrawViews()
{
    for (CView* view : Views())
        view->update();
}

} // namespace lumaro::gui
