#include "gui/document/ProjectEditCommand.h"

#include "gui/document/LayoutDocument.h"

namespace lumaro::gui {

CProjectEditCommand::CProjectEditCommand(CLayoutDocument& document, const QString& text, CProjectState before,
                                         CProjectState after, int mergeGroup)
    : QUndoCommand(text), m_document(document), m_before(std::move(before)), m_after(std::move(after)),
      m_mergeGroup(mergeGroup)
{
}

void CProjectEditCommand::undo()
{
    m_document.ApplyState(m_before);
}

void CProjectEditCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    m_document.ApplyState(m_after);
}

bool CProjectEditCommand::mergeWith(const QUndoCommand* other)
{
    auto* next = dynamic_cast<const CProjectEditCommand*>(other);
    if (!next || next->m_mergeGroup != m_mergeGroup || next->m_after.Covered() != m_after.Covered())
        return false;
    m_after = next->m_after;
    return true;
}

} // namespace lumaro::gui
