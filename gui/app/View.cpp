#include "gui/app/View.h"

#include "gui/app/ChildFrame.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/Document.h"
#include "gui/app/EditorApp.h"

#include <QDialog>

namespace lumaro::gui {

CView::CView(CDocument* document) : m_document(document)
{
    if (m_document)
        m_document->AddView(this);
}

CView::~CView()
{
    DetachFromDocument();
}

CChildFrame* CView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    }
    return nullptr;
}

CEditorApp* CView::App() const
{
    CDocument* document = GetDocument();
    return document && document->GetDocTemplate() ? &document->GetDocTemplate()->App() : nullptr;
}

CMainFrame* CView::MainFrame() const
{
    CEditorApp* app = App();
    return app ? app->MainFrame() : nullptr;
}

int CView::ExecDialog(QDialog& dialog) const
{
    CEditorApp* app = App();
    return app ? app->Prompts().runModal(dialog) : dialog.exec();
}

void CView::DetachFromDocument()
{
    if (CDocument* document = m_document) {
        m_document = nullptr;
        document->RemoveView(this);
    }
}

} // namespace lumaro::gui
