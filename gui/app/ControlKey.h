#pragma once

class QKeyEvent;

namespace lumaro::gui {

enum class ControlSide { Left, Right, Unknown };

// Which Control key a key event of Qt::Key_Control comes from, read from
// the platform's own key data (X11/Wayland keysym, Windows virtual key or
// scan code with its extended bit, macOS key code). Unknown where the
// event carries none, as synthesised and offscreen events do.
ControlSide ControlSideOf(const QKeyEvent& event);

} // namespace lumaro::gui
