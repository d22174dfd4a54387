#include "gui/preview/ModeTestState.h"

#include "core/effects/ModeListEdit.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/View.h"
#include "gui/document/LayoutDocument.h"

namespace lumaro::gui {

namespace {
const std::array<bool, CModeTestState::CommandFlagCount> kNewViewFlags{false, false, false, false,
                                                                       false, false, true,  true};
} // namespace

CModeTestState::CModeTestState(CLayoutDocument& document) : QObject(&document)
{
    setObjectName(QStringLiteral("ModeTestState"));
    m_enabled = kNewViewFlags;
    m_knownModes = document.Data().modes;
    // The play range names modes, not rows: it moves with inserts and
    // deletes, and an end whose mode is gone goes to the closest kept one.
    connect(&document, &CLayoutDocument::Changed, this, [this, &document](Aspects what) {
        if (!(what & Aspect::Modes))
            return;
        const auto renumbering = CModeListEdit::Renumbering(m_knownModes, document.Data().modes);
        m_knownModes = document.Data().modes;
        const int first = CModeListEdit::Follow(renumbering, m_firstSelected, true);
        const int last = CModeListEdit::Follow(renumbering, m_lastSelected, true);
        m_firstSelected = std::max(first, 0);
        m_lastSelected = std::max(last, 0);
    });
}

CModeTestState& CModeTestState::Of(CLayoutDocument& document)
{
    if (CModeTestState* state = Find(document))
        return *state;
    return *new CModeTestState(document);
}

CModeTestState* CModeTestState::Find(const CLayoutDocument& document)
{
    return document.findChild<CModeTestState*>(QString(), Qt::FindDirectChildrenOnly);
}

void CModeTestState::Opened(CChildFrame* frame, CView* view)
{
    m_frame = frame;
    m_view = view;
    m_enabled = kNewViewFlags;
    // The requests and the play range were the old view's pages'.
    m_picks = PickRequests();
    m_firstSelected = 0;
    m_lastSelected = 0;
}

void CModeTestState::DataCompiled()
{
    for (CommandFlag flag : {ProducingDataFlag, ParallelPlayFlag, SequentialPlayFlag, PartialPlayFlag,
                             OutputDspBinFlag, WriteCmosFlag})
        m_enabled[flag] = true;
}

void CModeTestState::SetPickRequests(const PickRequests& picks)
{
    if (picks == m_picks)
        return;
    m_picks = picks;
    Q_EMIT PickRequestsChanged();
}

void CModeTestState::SetSelectedModes(int first, int last)
{
    m_firstSelected = first;
    m_lastSelected = last;
}

} // namespace lumaro::gui
