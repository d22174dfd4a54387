#pragma once

#include "core/effects/CompiledEffects.h"
#include "gui/app/View.h"

#include <array>
#include <memory>

namespace lumaro::gui {

// The mode test view of template 169, a second view on a lamp layout document: an empty client area for now.
class CModetestView : public CView {
    Q_OBJECT
public:
    explicit CModetestView(CDocument* document);

    // The command enable flags. The first six are set once data are
    // compiled and stay set for the life of the view.
    enum CommandFlag {
        ProducingDataFlag,
        ParallelPlayFlag,
        SequentialPlayFlag,
        PartialPlayFlag,
        OutputDspBinFlag,
        WriteCmosFlag,
        EditModeFlag,
        CreateDataFlag,
        CommandFlagCount
    };
    bool CommandEnabled(CommandFlag flag) const { return m_commandEnabled[flag]; }
    // "Creat Data": the document's compilation, then the flags above.
    void OnCreateData();
    // The last compilation; none before the first "Creat Data".
    const std::shared_ptr<const CCompiledEffects>& Compiled() const { return m_compiled; }
    // The items of context menu 106, in menu order (0 for a separator).
    static std::array<int, 12> ContextMenuIds();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::array<bool, CommandFlagCount> m_commandEnabled{false, false, false, false, false, false, true, true};
    std::shared_ptr<const CCompiledEffects> m_compiled;
};

} // namespace lumaro::gui
