#pragma once

#include "gui/app/View.h"
#include "gui/preview/ModeTestState.h"

#include <array>

namespace lumaro {
struct CCompiledEffects;
}

namespace lumaro::gui {

// The mode test view of template 169, a second view on a lamp layout document: an empty client area for now.
class CModetestView : public CView {
    Q_OBJECT
public:
    explicit CModetestView(CDocument* document);

    using CommandFlag = CModeTestState::CommandFlag;
    // The command enable flags, kept in the project's mode test state.
    bool CommandEnabled(CommandFlag flag) const;
    // "Creat Data": the document's compilation, then the six data commands
    // open; the status bar tells what was compiled against the controller's
    // limits.
    void OnCreateData();
    // The status text after a compilation.
    static QString CompiledSummary(const CCompiledEffects& compiled);

    // The items of context menu 106, in menu order (0 for a separator).
    static std::array<int, 12> ContextMenuIds();

Q_SIGNALS:
    // A short note for the status bar.
    void Note(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CModeTestState* State() const;
};

} // namespace lumaro::gui
