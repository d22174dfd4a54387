#include "gui/app/ChildFrame.h"

#include "gui/app/DocTemplate.h"
#include "gui/app/Document.h"
#include "gui/app/MainFrame.h"
#include "gui/app/View.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>

namespace lumaro::gui {

CChildFrame::CChildFrame(CMainFrame& mainFrame, CDocTemplate& docTemplate, CView* view)
    : m_mainFrame(mainFrame), m_template(docTemplate), m_view(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowIcon(mainFrame.windowIcon());
    // The window menu's Close would also claim Ctrl+W, which the lamp layout
    // view's Switch Window has; it keeps Ctrl+F4.
    const QKeySequence switchWindow(Qt::CTRL | Qt::Key_W);
    for (QAction* action : systemMenu()->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        if (keys.removeAll(switchWindow) > 0)
            action->setShortcuts(keys);
    }
    // The frame carries its document type's accelerator table, so its keys
    // win over the main frame's while it is active.
    for (const CDocTemplate::Accelerator& accelerator : docTemplate.Accelerators())
        MapKey(accelerator.key, accelerator.id);
    if (CDocument* document = view->GetDocument())
        connect(document, &CDocument::TitleChanged, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
}

CChildFrame::~CChildFrame() = default;

CDocument* CChildFrame::GetActiveDocument() const
{
    return m_view ? m_view->GetDocument() : nullptr;
}

void CChildFrame::ActivateFrame()
{
    if (!isMaximized())
        showMaximized();
    if (QMdiArea* area = mdiArea(); area && area->activeSubWindow() != this)
        area->setActiveSubWindow(this);
}

void CChildFrame::DestroyFrame()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_view)
        m_view->DetachFromDocument();
    hide();
    deleteLater();
    m_mainFrame.OnChildFrameClosed(this);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // Shown maximised again before the framework's close, so that a save
    // prompt appears over the document it is about.
    hide();
    showMaximized();
    CDocument* document = GetActiveDocument();
    if (document && !document->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    event->accept();
    m_closing = true;
    if (m_view)
        m_view->DetachFromDocument();
    m_mainFrame.OnChildFrameClosed(this);
}

void CChildFrame::UpdateTitle()
{
    CDocument* document = GetActiveDocument();
    setWindowTitle(document ? document->GetTitle() : QString());
    m_mainFrame.UpdateFrameTitle();
}

} // namespace lumaro::gui
