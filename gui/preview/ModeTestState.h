#pragma once

#include "core/preview/PlayHandOver.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/View.h"

#include <QObject>
#include <QPointer>

#include <array>

namespace lumaro::gui {

class CChildFrame;
class CLayoutDocument;
class CView;

// Everything a project has while it is in the mode test state: the frame
// and view "Transfer Data" opened, the enable flags of the view's commands,
// the selected play range and the play hand-over. One per document, owned
// by it, so no window keeps a copy that could go stale.
class CModeTestState : public QObject {
    Q_OBJECT
public:
    // The command enable flags. The first six are set once data are
    // compiled and stay set while the mode test view is open.
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

    // The state of document, made on first use.
    static CModeTestState& Of(CLayoutDocument& document);
    // nullptr while document has never been in the mode test state.
    static CModeTestState* Find(const CLayoutDocument& document);

    CChildFrame* Frame() const { return m_frame; }
    CView* View() const { return m_view; }
    bool IsOpen() const { return m_view != nullptr; }
    // A new mode test frame: the flags start as a new view's.
    void Opened(CChildFrame* frame, CView* view);

    bool Enabled(CommandFlag flag) const { return m_enabled[flag]; }
    void SetEnabled(CommandFlag flag, bool on) { m_enabled[flag] = on; }
    // After "Creat Data": the six data commands open.
    void DataCompiled();

    int HandedOverLampCount() const { return m_handedOverLampCount; }
    void SetHandedOverLampCount(int count) { m_handedOverLampCount = count; }

    CPlayHandOver& HandOver() { return m_handOver; }
    const CPlayHandOver& HandOver() const { return m_handOver; }

private:
    explicit CModeTestState(CLayoutDocument& document);

    QPointer<CChildFrame> m_frame;
    QPointer<CView> m_view;
    std::array<bool, CommandFlagCount> m_enabled{};
    int m_handedOverLampCount = 0;
    CPlayHandOver m_handOver;
};

} // namespace lumaro::gui
