#pragma once

#include "gui/app/CommandTarget.h"
#include "gui/app/Document.h"

#include <QPointer>
#include <QWidget>

namespace lumaro::gui {

class CChildFrame;

// Base of the shell's views: a widget on one document, the first link of
// the command route while its frame is active.
class CView : public QWidget, public CCommandTarget {
    Q_OBJECT
public:
    explicit CView(CDocument* document);
    ~CView() override;

    CDocument* GetDocument() const { return m_document; }
    CChildFrame* GetParentFrame() const;

    // Called once the frame exists and the document is loaded or new.
    virtual void OnInitialUpdate() { update(); }
    virtual void OnActivateView(bool active) { Q_UNUSED(active); }

    // Leaves the document; the view stays until its frame is deleted.
    void DetachFromDocument();

private:
    QPointer<CDocument> m_document;
};

} // namespace lumaro::gui
