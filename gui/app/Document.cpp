#include "gui/app/Document.h"

#include "core/app/LangText.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/app/View.h"

#include <QFileInfo>

namespace lumaro::gui {

CDocument::CDocument()
{
    OnCommand(cmd::FileClose, [this] {
        if (SaveModified())
            OnCloseDocument();
    });
    OnCommand(cmd::FileSave, [this] { DoFileSave(); });
    OnCommand(cmd::FileSaveAs, [this] { DoSave(QString()); });
}

CDocument::~CDocument() = default;

void CDocument::SetTitle(const QString& title)
{
    m_title = title;
    Q_EMIT TitleChanged();
}

void CDocument::SetPathName(const QString& path, bool addToRecent)
{
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    if (addToRecent && m_template)
        m_template->App().AddToRecentFileList(m_pathName);
}

bool CDocument::OnNewDocument()
{
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& path)
{
    Q_UNUSED(path);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& path)
{
    Q_UNUSED(path);
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    if (m_closing)
        return;
    m_closing = true;
    std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (CChildFrame* frame = view->GetParentFrame())
            frame->DestroyFrame();
        else
            view->DetachFromDocument();
    }
    m_views.clear();
    if (m_template)
        m_template->RemoveDocument(this);
    else
        deleteLater();
}

bool CDocument::SaveModified()
{
    if (!IsModified() || !m_template)
        return true;
    CEditorApp& app = m_template->App();
    QString name = m_pathName.isEmpty() ? m_title : QFileInfo(m_pathName).fileName();
    QString text = QString::fromStdString(GetLangText("FRAMEWORK_ASK_TO_SAVE")).arg(name);
    auto answer = app.Prompts().message(app.MainFrame(), text, QMessageBox::Warning,
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return DoFileSave();
    return true;
}

bool CDocument::DoFileSave()
{
    return DoSave(m_pathName, m_pathName.isEmpty());
}

bool CDocument::DoSave(const QString& path, bool replace)
{
    QString target = path;
    if (target.isEmpty() || replace) {
        if (!m_template)
            return false;
        CEditorApp& app = m_template->App();
        QString ext = m_template->GetDocString(CDocTemplate::filterExt);
        QString suggested = m_pathName.isEmpty() ? m_title + ext : m_pathName;
        QString filters = m_template->GetDocString(CDocTemplate::filterName);
        QString all = QString::fromStdString(GetLangText("FRAMEWORK_ALL_FILES"));
        if (!all.isEmpty())
            filters += QStringLiteral(";;") + all + QStringLiteral(" (*)");
        target = app.Prompts().saveFileName(app.MainFrame(), filters, suggested);
        if (target.isEmpty())
            return false;
        app.SetCurrentDirectoryFromFile(target);
        if (QFileInfo(target).suffix().isEmpty() && !ext.isEmpty())
            target += ext;
    }
    if (!OnSaveDocument(target))
        return false;
    SetPathName(target);
    return true;
}

bool CDocument::CanCloseFrame(CChildFrame* frame)
{
    for (CView* view : m_views) {
        CChildFrame* other = view->GetParentFrame();
        if (other && other != frame && !other->IsClosing())
            return true;
    }
    return SaveModified();
}

void CDocument::AddView(CView* view)
{
    m_views.push_back(view);
}

void CDocument::RemoveView(CView* view)
{
    std::erase(m_views, view);
    if (m_views.empty() && !m_closing) {
        m_closing = true;
        if (m_template)
            m_template->RemoveDocument(this);
        else
            deleteLater();
    }
}

void CDocument::ReportFailure(const std::string& key) const
{
    if (!m_template)
        return;
    CEditorApp& app = m_template->App();
    app.Prompts().message(app.MainFrame(), QString::fromStdString(GetLangText(key)), QMessageBox::Warning,
                          QMessageBox::Ok);
}

} // namespace lumaro::gui
