#pragma once

#include "core/layout/PortEditor.h"

#include <QCursor>

namespace lumaro::gui {

// What a left click in the lamp layout view does. Exactly one mode is
// current; the tool bar button, the checked menu items, the cursor and the
// port operation a click applies all follow from it.
class CLayoutTool {
public:
    // Buttons of tool bar 194; the values are their control ids.
    enum Tool {
        NoTool = 0,
        PointerTool = 1400,
        ZoomInTool = 1401,
        ZoomOutTool = 1402,
        PanTool = 1403,
        InsertTool = 1404,
        DeleteTool = 1405
    };

    enum class Mode {
        None, // nothing chosen yet: clicks do nothing, the layout stays centred
        Pointer,
        Pan,
        ZoomIn,
        ZoomOut,
        InsertLamp,
        DeleteLamp, // also takes the lamp out of its port chain
        ChainPort,  // applies Port().operation on Port().currentPort
    };

    Mode Current() const { return m_mode; }
    Tool CurrentTool() const;
    QCursor Cursor() const;

    bool InsertsLamps() const { return m_mode == Mode::InsertLamp; }
    bool DeletesLamps() const { return m_mode == Mode::DeleteLamp; }
    bool ZoomsIn() const { return m_mode == Mode::ZoomIn; }
    bool ZoomsOut() const { return m_mode == Mode::ZoomOut; }
    bool Pans() const { return m_mode == Mode::Pan; }
    // Whether a click hands the cell to the port editor.
    bool EditsChains() const;

    // The port, operation and insert position chaining uses; Port Edit and
    // the coordinates bar set them before choosing ChainPort.
    CPortEditor& Port() { return m_port; }
    const CPortEditor& Port() const { return m_port; }

    // The one place the mode changes.
    void Select(Mode mode);

private:
    Mode m_mode = Mode::None;
    CPortEditor m_port;
};

} // namespace lumaro::gui
