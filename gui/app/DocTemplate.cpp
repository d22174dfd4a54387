#include "gui/app/DocTemplate.h"

#include "gui/app/ChildFrame.h"
#include "gui/app/Document.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/app/View.h"

#include <QFileInfo>

namespace lumaro::gui {

CDocTemplate::CDocTemplate(CEditorApp& app, int resourceId, const QString& resourceString,
                           DocumentFactory makeDocument, ViewFactory makeView, AcceleratorTable accelerators)
    : m_app(app), m_resourceId(resourceId), m_fields(resourceString.split(QLatin1Char('\n'))),
      m_makeDocument(std::move(makeDocument)), m_makeView(std::move(makeView)),
      m_accelerators(std::move(accelerators))
{
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* document : m_documents)
        document->SetDocTemplate(nullptr);
}

QString CDocTemplate::GetDocString(DocStringIndex index) const
{
    return index < m_fields.size() ? m_fields[index] : QString();
}

CDocument* CDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible)
{
    CDocument* document = m_makeDocument();
    AddDocument(document);
    CChildFrame* frame = CreateNewFrame(document);
    if (!frame) {
        RemoveDocument(document);
        return nullptr;
    }
    if (path.isEmpty()) {
        QString name = GetDocString(docName);
        if (name.isEmpty())
            name = QStringLiteral("Untitled");
        document->SetTitle(name + QString::number(++m_untitledCount));
        if (!document->OnNewDocument()) {
            frame->DestroyFrame();
            return nullptr;
        }
    } else {
        if (!document->OnOpenDocument(path)) {
            frame->DestroyFrame();
            return nullptr;
        }
        document->SetPathName(path);
    }
    InitialUpdateFrame(frame, makeVisible);
    return document;
}

CChildFrame* CDocTemplate::CreateNewFrame(CDocument* document)
{
    CMainFrame* mainFrame = m_app.MainFrame();
    if (!mainFrame)
        return nullptr;
    CView* view = m_makeView(document);
    return mainFrame->AddChildFrame(this, view);
}

void CDocTemplate::InitialUpdateFrame(CChildFrame* frame, bool makeVisible)
{
    if (CView* view = frame->View())
        view->OnInitialUpdate();
    if (makeVisible)
        frame->ActivateFrame();
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const QString& path, CDocument*& alreadyOpen) const
{
    alreadyOpen = nullptr;
    const QString canonical = QFileInfo(path).absoluteFilePath();
    for (CDocument* document : m_documents) {
        if (!document->GetPathName().isEmpty() &&
            QFileInfo(document->GetPathName()).absoluteFilePath() == canonical) {
            alreadyOpen = document;
            return yesAlreadyOpen;
        }
    }
    const QString ext = GetDocString(filterExt);
    if (!ext.isEmpty() && path.endsWith(ext, Qt::CaseInsensitive) && path.size() > ext.size())
        return yesAttemptNative;
    // Any file may be tried as any type; the first template gets it.
    return yesAttemptForeign;
}

void CDocTemplate::AddDocument(CDocument* document)
{
    document->setParent(this);
    document->SetDocTemplate(this);
    m_documents.push_back(document);
}

void CDocTemplate::RemoveDocument(CDocument* document)
{
    std::erase(m_documents, document);
    document->deleteLater();
}

} // namespace lumaro::gui
