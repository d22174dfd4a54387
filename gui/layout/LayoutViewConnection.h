#pragma once

namespace lumaro::gui {

class CCoordinatesBar;
class CEditImgView;
class CMainFrame;
class CStatusBarXP;
struct HoveredCell;

// Shows what a lamp layout view announces in the main frame: the cell
// under the pointer in status panes 1 to 3 and the coordinates bar, the
// zoom in the bar. Only the active
// view's cell and zoom are shown; when the last connected view has gone
// the panes and the bar are cleared.
void ConnectLayoutViewToMainFrame(CEditImgView& view, CMainFrame& main);

// The texts themselves, for every view that announces cells; also used to
// clear them.
void ShowHoveredCell(CStatusBarXP& status, CCoordinatesBar& coordinates, const HoveredCell& hovered);
void ShowLayoutZoom(CCoordinatesBar& coordinates, int zoom);
void ClearLayoutStatus(CStatusBarXP& status, CCoordinatesBar& coordinates);

} // namespace lumaro::gui
