#pragma once

#include "core/layout/Lamp.h"
#include "gui/app/View.h"
#include "gui/layout/HoveredCell.h"
#include "gui/preview/LayerDlg.h"
#include "gui/preview/ModeTestPicture.h"
#include "gui/preview/ModeTestState.h"

#include <QPoint>
#include <QRect>

#include <optional>

#include <array>
#include <functional>
#include <unordered_set>
#include <vector>

class QPrinter;

namespace lumaro {
struct CCompiledEffects;
}

namespace lumaro::gui {

class CLayoutDocument;

// The mode test view of template 169, a second view on a lamp layout
// document: shows the handed-over lamps with the current layer and the
// mode editor's picks, is the surface the editor's pages pick lamps,
// points and areas on, and starts the three kinds of play.
class CModetestView : public CView {
    Q_OBJECT
public:
    static constexpr int kMaxZoom = CModeTestPicture::kMaxZoom;
    // What a click on a lamp does to the current layer (Layer Edit).
    using LayerEdit = CLayerDlg::Mode;

    explicit CModetestView(CDocument* document);
    ~CModetestView() override;

    using CommandFlag = CModeTestState::CommandFlag;
    // The command enable flags, kept in the project's mode test state.
    bool CommandEnabled(CommandFlag flag) const;
    // "Creat Data": the document's compilation, then the six data commands
    // open; the status bar tells what was compiled against the controller's
    // limits.
    void OnCreateData();
    // The status text after a compilation.
    // What Creat Data compiled, and the frame time of the controller for
    // the lamps' chains.
    // fileFormat: the one chosen last for Create Bin File, 0 for none yet.
    static QString CompiledSummary(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                                   int fileFormat = 0);
    // The format chosen last, as the program knows it.
    std::function<int()> lastFormat;
    // A play command: compiles, fills the hand-over and opens a demo window.
    void Play(int playMode);

    // The items of context menu 106, in menu order (0 for a separator).
    static std::array<int, 12> ContextMenuIds();

    void OnActivateView(bool active) override;

    // The mode editor's sheet is made elsewhere; Edit Mode opens it and a
    // play command closes it. Either may be empty.
    std::function<void()> openModeEditor;
    std::function<void()> closeModeEditor;

    // The cell size in pixels as last painted, and the zoom the user chose
    // (0 while the lamps are fitted to the window).
    int Zoom() const { return m_picture.Zoom(); }
    int ChosenZoom() const { return m_chosenZoom; }
    QPoint Origin() const { return m_picture.Origin(); }
    // Lays the lamps out for the current size, as a paint does.
    void PlaceLamps();
    QPoint CellAt(QPoint pixel) const { return m_picture.CellAt(pixel); }
    // Window pixel of the centre of a cell.
    QPoint CellCentre(int x, int y) const;
    LayerEdit LayerEditMode() const { return m_layerEdit; }
    bool PrintPreviewActive() const { return m_printPreview; }
    const CModeTestPicture& Picture() const { return m_picture; }
    // The picture a paint shows, drawn if anything changed.
    const QImage& RenderPicture();
    void PrintPicture(QPrinter& printer);

Q_SIGNALS:
    // The pointer moved onto a cell; on activation and when the lamps
    // change, the cell last pointed at or none.
    void HoveredCellChanged(const lumaro::gui::HoveredCell& hovered);
    // Sent with each of them: the cell size as painted.
    void ZoomChanged(int zoom);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void RegisterCommands();
    CModeTestState* State() const;
    CLayoutDocument* Layout() const;
    void ShowMessage(const char* key);

    void OnZoom();
    void OnLayerEdit();
    void OnPrintPreview();
    void OnUsingHelp();
    void ShowContextMenu(const QPoint& at);

    // A click's treatment of lamps: the running group or parameter pick,
    // else Layer Edit. One undo step per mergeGroup.
    void Treat(const std::vector<std::uint32_t>& lamps, int mergeGroup);
    void TreatCellsAlong(QPoint fromCell, QPoint toCell);
    void EndRightDrag(QPoint point);
    void SetBand(const QRect& band);
    HoveredCell Hovered(std::optional<QPoint> cell) const;
    void AnnounceCell(QPoint cell);
    // What the bars show for this view: the cell last pointed at, else
    // only the lamp count.
    void AnnounceCounts();

    CModeTestPicture m_picture;
    int m_chosenZoom = 0;
    LayerEdit m_layerEdit = CLayerDlg::NoEdit;
    bool m_relabelMenus = true;
    bool m_printPreview = false;

    bool m_leftDrag = false;
    bool m_rightDrag = false;
    QPoint m_dragStart;  // window pixels
    QPoint m_rightStart; // relative to the origin
    QRect m_band;        // the rubber band shown, empty for none
    QPoint m_lastCell;
    std::optional<QPoint> m_hoverCell; // none since activation
    int m_dragGroup = 0;
    std::unordered_set<std::uint32_t> m_dragTreated; // each lamp once per drag
};

} // namespace lumaro::gui
