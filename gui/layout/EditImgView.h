#pragma once

#include "core/layout/PortEditor.h"
#include "core/layout/ScaledPicture.h"
#include "gui/layout/LayoutDocument.h"
#include "gui/app/View.h"

#include <QHash>
#include <QImage>
#include <QPoint>

#include <functional>
#include <optional>

class QDialog;
class QMenu;
class QPrinter;
class QScrollBar;
class QTimer;

namespace lumaro::gui {

class CEditorApp;
class CMainFrame;

// The lamp layout view of template 130: shows the picture being scanned or
// the lamps on their grid, and edits lamps and port chains by clicking.
class CEditImgView : public CView {
    Q_OBJECT
public:
    // Pointer tools of tool bar 194.
    enum Tool { NoTool = 0, PointerTool = 1400, ZoomInTool = 1401, ZoomOutTool = 1402,
                PanTool = 1403, InsertTool = 1404, DeleteTool = 1405 };
    static constexpr int kScrollMax = 3000;
    static constexpr int kBarThickness = 15;
    static constexpr int kScanDelayMs = 1200;
    static constexpr int kInitialZoom = 16;
    static constexpr int kFirstPaintMaxZoom = 20;
    static constexpr int kPrintCellSize = 50;

    explicit CEditImgView(CDocument* document);
    ~CEditImgView() override;

    CLayoutDocument* GetLayoutDocument() const;

    void OnInitialUpdate() override;
    void OnActivateView(bool active) override;

    // Every modal dialog of the view runs through this, so tests can fill
    // and confirm it without a window; returns the dialog's result code.
    static std::function<int(QDialog&)> ExecDialog;

    int Zoom() const { return m_zoom; }
    int DrawCount() const { return m_drawCount; }
    int CurrentTool() const { return m_tool; }
    bool PictureShown() const { return m_pictureShown; }
    bool ScanAllowed() const { return m_scanAllowed; }
    bool ScanPending() const;
    const CScaledPicture& Picture() const { return m_picture; }
    const CPortEditor& PortEdit() const { return m_port; }
    QScrollBar* HorizontalBar() const { return m_hBar; }
    QScrollBar* VerticalBar() const { return m_vBar; }
    // The cell under a view point, as clicks see it.
    QPoint CellAt(QPoint point) const;
    // Where the lamp of cell (x, y) is drawn (top left of its square).
    QPoint LampOrigin(int x, int y) const;

    // Menu 105 with the items' current state; the caller owns it.
    QMenu* BuildContextMenu(QWidget* parent);
    // Runs the scan now instead of waiting for the timer.
    void FinishScanNow();
    void PrintLayout(QPrinter& printer) const;

protected:
    void paintEvent(QPaintEvent* event) override;
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
    void RegisterScanCommands();
    void RegisterPortCommands();
    CEditorApp* App() const;
    CMainFrame* MainFrame() const;
    void ShowMessage(const std::string& key, const QString& detail = {}) const;

    void SetZoomCommand(int id, int zoom);
    void SetTool(Tool tool);
    void ApplyCursor();
    void EnterEditingState();
    void OnOpenImage();
    void OnScan();
    void OnEmptyLayout();
    void StartScan(bool emptyLayout);
    void OnScanTimer();
    void OnOtherValue();
    void OnPortEditDialog();
    void OnCoordinatesButton(int id);
    void OnSwitchWindow();
    void OnPrint();
    void OnPrintPreview();
    void OnScrollAction(QScrollBar* bar, int action);
    void TakeOffsetsFromBars();
    void ApplyEdits(QPoint cell, bool dragging);
    void UpdateStatus(QPoint cell);
    void BeginEdit();
    void EndEdit();
    void SetScope(const CRect& scope);

    void PaintPicture(QPainter& painter);
    void PaintLamps(QPainter& painter, const QRect& dirty);
    const QImage& LampSprite(const CLamp& lamp, const QFont& font);

    int m_zoom = kInitialZoom;
    int m_drawCount = 0;
    int m_scrollX = 0;
    int m_scrollY = 0;
    Tool m_tool = NoTool;
    bool m_insertMode = false;
    bool m_deleteMode = false;
    bool m_zoomInClick = false;
    bool m_zoomOutClick = false;
    bool m_gridding = true;
    bool m_pictureShown = false;
    bool m_buttonDown = false;
    int m_zoomCheck = 0; // the zoom command last chosen

    // The command-enable table: image commands, Scan, lamp editing, zoom and tools.
    bool m_imageCommands = false;
    bool m_scanCommand = false;
    bool m_editCommands = false;
    bool m_zoomCommands = false;

    bool m_scanAllowed = true;
    bool m_scopeArmed = false;
    bool m_scopeDragging = false;
    bool m_backColourArmed = false;
    bool m_previewMark = false;

    CPortEditor m_port;
    CScaledPicture m_picture;
    QImage m_pictureImage;
    // Lamps drawn once per zoom, colour and order number, then copied.
    QHash<quint64, QImage> m_sprites;
    QPoint m_lastMouse;
    std::optional<CEditImgDoc> m_scanWork; // the scan under way, until its timer
    int m_editGroup = 0;                   // the undo step of the press or drag under way

    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
    QTimer* m_scanTimer = nullptr;
};

} // namespace lumaro::gui
