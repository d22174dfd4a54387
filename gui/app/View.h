#pragma once

#include "gui/app/CommandTarget.h"
#include "gui/app/Document.h"

#include <QPointer>
#include <QWidget>

class QDialog;

namespace lumaro::gui {

class CChildFrame;
class CEditorApp;
class CMainFrame;

// Base of the shell's views: a widget on one document, the first link of
// the command route while its frame is active.
class CView : public QWidget, public CCommandTarget {
    Q_OBJECT
public:
    explicit CView(CDocument* document);
    ~CView() override;

    CDocument* GetDocument() const { return m_document; }
    CChildFrame* GetParentFrame() const;
    // The application of the document's template; none for a view made
    // outside the shell.
    CEditorApp* App() const;
    CMainFrame* MainFrame() const;

    // Called once the frame exists and the document is loaded or new.
    virtual void OnInitialUpdate() { update(); }
    virtual void OnActivateView(bool active) { Q_UNUSED(active); }

    // Leaves the document; the view stays until its frame is deleted.
    void DetachFromDocument();

Q_SIGNALS:
    // A short note for the status bar.
    void Note(const QString& text);
    // Whether the coordinates bar's buttons act on this view; told on
    // activation.
    void CoordinatesBarUsed(bool used);

protected:
    // Every modal dialog of a view runs through the application's prompts,
    // so that tests answer it without a window; returns the result code.
    int ExecDialog(QDialog& dialog) const;

private:
    QPointer<CDocument> m_document;
};

} // namespace lumaro::gui
