#include "gui/layout/LayoutTool.h"

#include <QPainter>
#include <QPixmap>

namespace lumaro::gui {

namespace {

// A magnifier with a plus or minus, drawn here so that it looks the same on
// every platform.
QCursor MagnifierCursor(bool plus)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    if (plus)
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
    p.end();
    return QCursor(pixmap, 12, 12);
}

} // namespace

CLayoutTool::Tool CLayoutTool::CurrentTool() const
{
    switch (m_mode) {
    case Mode::None:
        return NoTool;
    case Mode::Pointer:
        return PointerTool;
    case Mode::Pan:
        return PanTool;
    case Mode::ZoomIn:
        return ZoomInTool;
    case Mode::ZoomOut:
        return ZoomOutTool;
    case Mode::InsertLamp:
    case Mode::ChainPort:
        return InsertTool;
    case Mode::DeleteLamp:
        return DeleteTool;
    }
    return NoTool;
}

QCursor CLayoutTool::Cursor() const
{
    switch (CurrentTool()) {
    case ZoomInTool:
        return MagnifierCursor(true);
    case ZoomOutTool:
        return MagnifierCursor(false);
    case PanTool:
        return QCursor(Qt::OpenHandCursor);
    case InsertTool:
        return QCursor(Qt::CrossCursor);
    case DeleteTool:
        return QCursor(Qt::ForbiddenCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

bool CLayoutTool::EditsChains() const
{
    return (m_mode == Mode::ChainPort || m_mode == Mode::DeleteLamp) && m_port.operation != CPortEditor::None;
}

void CLayoutTool::Select(Mode mode)
{
    m_mode = mode;
    switch (mode) {
    case Mode::Pointer:
    case Mode::Pan:
    case Mode::InsertLamp:
        m_port.operation = CPortEditor::None;
        break;
    case Mode::DeleteLamp:
        m_port.operation = CPortEditor::Delete;
        break;
    case Mode::ChainPort:
        // A chain choice starts counting the port's orders afresh.
        m_port.highestOrder = 0;
        break;
    case Mode::None:
    case Mode::ZoomIn:
    case Mode::ZoomOut:
        // The chain operation is kept for a later port button.
        break;
    }
}

} // namespace lumaro::gui
