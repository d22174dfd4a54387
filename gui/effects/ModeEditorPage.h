#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "gui/document/ProjectState.h"

#include <QWidget>

#include <functional>

namespace lumaro {
struct CModeEditState;
} // namespace lumaro

namespace lumaro::gui {

class CLayoutDocument;
class CModeTestState;
struct CPrompts;

// What the mode editor's sheet hands each of its pages. The references
// outlive the pages: the document and its mode test state outlive the view
// that owns the sheet, and the sheet owns the edit state.
struct CModePageContext {
    CLayoutDocument& document;
    // Pick requests, the view's zoom and its answers to the pages.
    CModeTestState& modeTest;
    // The record being made or changed, shared by all pages.
    CModeEditState& edit;
    CPrompts& prompts;
    // Where the colour groups are written (the writable data folder).
    fs::path dataFolder;
};

// A page of the mode editor's sheet. Pages know nothing of the sheet: they
// ask it, through these signals, to show another page or to step aside
// while the user picks in the mode test view.
class CModeEditorPage : public QWidget {
    Q_OBJECT
public:
    CModeEditorPage(const CModePageContext& context, const char* title, QWidget* parent);

Q_SIGNALS:
    // page is one of CModeTestState::Page.
    void PageRequested(int page);
    void PickRequested();

protected:
    // Runs change as one edit of the document. A change that fails leaves
    // the project as it was, and its message is shown.
    bool EditOrTell(const QString& text, Aspects aspects, const std::function<Status(CEditImgDoc&)>& change);

    CModePageContext m_context;
};

} // namespace lumaro::gui
