#pragma once

#include <QIcon>
#include <QSize>

namespace lumaro::gui {

// The tool bar images, drawn here rather than loaded: one per command id of
// tool bars 128 and 194, at the bar's button size. An unknown id gives a
// blank image.
QIcon ToolBarIcon(int commandId, QSize size);

// The program's own icon: a lit lamp on the controller's grid.
QIcon ApplicationIcon();

} // namespace lumaro::gui
