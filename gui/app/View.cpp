#include "gui/app/View.h"

#include "gui/app/ChildFrame.h"
#include "gui/app/Document.h"

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

void CView::DetachFromDocument()
{
    if (CDocument* document = m_document) {
        m_document = nullptr;
        document->RemoveView(this);
    }
}

} // namespace lumaro::gui
