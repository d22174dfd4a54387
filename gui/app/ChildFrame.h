#pragma once

#include "gui/app/CommandTarget.h"

#include <QMdiSubWindow>

namespace lumaro::gui {

class CDocTemplate;
class CDocument;
class CMainFrame;
class CView;

// A document window inside the main frame, always maximised.
class CChildFrame : public QMdiSubWindow, public CCommandTarget {
    Q_OBJECT
public:
    CChildFrame(CMainFrame& mainFrame, CDocTemplate& docTemplate, CView* view);
    ~CChildFrame() override;

    CView* View() const { return m_view; }
    CDocument* GetActiveDocument() const;
    CDocTemplate& DocTemplate() const { return m_template; }
    bool IsClosing() const { return m_closing; }

    // Shows the frame maximised whatever state was asked for, and makes it
    // the active one.
    void ActivateFrame();
    // Closes without asking (the document is closing anyway).
    void DestroyFrame();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();

    CMainFrame& m_mainFrame;
    CDocTemplate& m_template;
    CView* m_view;
    bool m_closing = false;
};

} // namespace lumaro::gui
