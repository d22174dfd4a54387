#pragma once

#include <optional>

#include "gui/app/View.h"
#include "gui/document/LayoutDocument.h"
#include "gui/layout/HoveredCell.h"
#include "gui/layout/LayoutCanvas.h"
#include "gui/layout/LayoutScanController.h"
#include "gui/layout/LayoutTool.h"

#include <QPoint>

#include <functional>

class QMenu;
class QPrinter;
class QScrollBar;

namespace lumaro::gui {

// The lamp layout view of template 130: shows the picture being scanned or
// the lamps on their grid, and edits lamps and port chains by clicking.
// Handles the commands and the mouse; what is drawn is the canvas's, what
// a click does the tool's, and the scan the scan controller's.
class CEditImgView : public CView {
    Q_OBJECT
public:
    using Tool = CLayoutTool::Tool;
    using enum CLayoutTool::Tool;
    static constexpr int kScrollMax = CLayoutCanvas::kScrollMax;
    static constexpr int kBarThickness = CLayoutCanvas::kBarThickness;
    static constexpr int kScanDelayMs = CLayoutScanController::kScanDelayMs;
    static constexpr int kInitialZoom = CLayoutCanvas::kInitialZoom;
    static constexpr int kFirstPaintMaxZoom = CLayoutCanvas::kFirstPaintMaxZoom;
    static constexpr int kPrintCellSize = 50;

    explicit CEditImgView(CDocument* document);
    ~CEditImgView() override;

    CLayoutDocument* GetLayoutDocument() const;

    void OnInitialUpdate() override;
    void OnActivateView(bool active) override;
    // Whether the main frame last told this view it is the active one.
    bool IsActive() const { return m_active; }

    // "Parataxis demo": the program wires it to the demo window.
    std::function<void()> openDemo;

    int Zoom() const { return m_canvas->Zoom(); }
    int DrawCount() const { return m_canvas->DrawCount(); }
    Tool CurrentTool() const { return m_tool.CurrentTool(); }
    bool WiringShown() const { return m_canvas->WiringShown(); }
    bool PictureShown() const { return m_scan->PictureShown(); }
    bool ScanAllowed() const { return m_scan->ScanAllowed(); }
    bool ScanPending() const { return m_scan->ScanPending(); }
    const CScaledPicture& Picture() const { return m_scan->Picture(); }
    const CPortEditor& PortEdit() const { return m_tool.Port(); }
    QScrollBar* HorizontalBar() const { return m_canvas->HorizontalBar(); }
    QScrollBar* VerticalBar() const { return m_canvas->VerticalBar(); }
    QPoint CellAt(QPoint point) const { return m_canvas->CellAt(point); }
    QPoint LampOrigin(int x, int y) const { return m_canvas->LampOrigin(x, y); }

    // Menu 105 with the items' current state; the caller owns it.
    QMenu* BuildContextMenu(QWidget* parent);
    // Runs the scan now instead of waiting for the timer.
    void FinishScanNow() { m_scan->FinishNow(); }
    void PrintLayout(QPrinter& printer) const;

Q_SIGNALS:
    // The pointer moved onto a cell; on activation, no cell.
    void HoveredCellChanged(const lumaro::gui::HoveredCell& hovered);
    void ZoomChanged(int zoom);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void RegisterCommands();
    void RegisterToolCommands();
    void RegisterScanCommands();
    void RegisterPortCommands();
    void ShowMessage(const std::string& key, const QString& detail = {}) const;
    void Report(const Status& status) const;

    void SelectTool(CLayoutTool::Mode mode);
    void ChainPort(int operation);
    void OnOpenImage();
    void OnOtherValue();
    void OnPortEditDialog();
    void OnCoordinatesButton(int id);
    void OnPrint();
    void OnPrintPreview();
    void ShowScanPicture();
    void ApplyEdits(QPoint cell, bool dragging);
    void AnnounceCell(QPoint cell);
    void AnnounceLamps();
    void BeginEdit();
    void EndEdit();

    CLayoutCanvas* m_canvas = nullptr;
    CLayoutScanController* m_scan = nullptr;
    CLayoutTool m_tool;
    int m_zoomCheck = 0; // the zoom command last chosen
    bool m_buttonDown = false;
    bool m_previewMark = false;
    bool m_active = false;
    std::optional<QPoint> m_lastCell; // the cell last announced, while this view is active
    QPoint m_lastMouse;
    int m_editGroup = 0; // the undo step of the press or drag under way
};

} // namespace lumaro::gui
