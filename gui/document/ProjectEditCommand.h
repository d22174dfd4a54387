#pragma once

#include "gui/document/ProjectState.h"

#include <QUndoCommand>

namespace lumaro::gui {

class CLayoutDocument;

// One edit of a project as the states of what it touched before and after.
// The edit has already run when the step is pushed, so the first redo does
// nothing.
class CProjectEditCommand : public QUndoCommand {
public:
    CProjectEditCommand(CLayoutDocument& document, const QString& text, CProjectState before,
                        CProjectState after, int mergeGroup);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeGroup != 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    CLayoutDocument& m_document;
    CProjectState m_before;
    CProjectState m_after;
    int m_mergeGroup;
    bool m_firstRedo = true;
};

} // namespace lumaro::gui
