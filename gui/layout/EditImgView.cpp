#include "gui/layout/EditImgView.h"

#include "core/app/LangText.h"
#include "core/layout/LampEditor.h"
#include "core/layout/LampScanner.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/layout/LayoutDialogs.h"
#include "gui/layout/LayoutPrint.h"
#include "picture/PictureLoader.h"
#include "gui/widgets/StatusBarXP.h"

#include <QContextMenuEvent>
#include <QDockWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <climits>
#include <cmath>

namespace lumaro::gui {

std::function<int(QDialog&)> CEditImgView::ExecDialog = [](QDialog& dialog) { return dialog.exec(); };

namespace {

struct ZoomCommand {
    int id;
    int zoom;
};
constexpr ZoomCommand kZoomCommands[] = {{cmd::Zoom4, 4},  {cmd::Zoom8, 8},  {cmd::Zoom12, 12},
                                         {cmd::Zoom16, 16}, {cmd::Zoom20, 20}, {cmd::Zoom24, 24},
                                         {cmd::Zoom28, 28}};

QColor FromColourRef(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

QString Text(const char* key)
{
    return QString::fromStdString(GetLangText(key));
}

// Cursors of the tools: a magnifier with a plus or minus, drawn here so that
// they look the same on every platform.
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

// The first paint's zoom: the larger extent of the layout fills the client.
int ZoomFit(const std::vector<CLamp>& lamps, int clientWidth, int clientHeight, int zoom)
{
    if (lamps.empty())
        return zoom;
    auto [minX, maxX] = std::minmax_element(lamps.begin(), lamps.end(),
                                            [](const CLamp& a, const CLamp& b) { return a.x < b.x; });
    auto [minY, maxY] = std::minmax_element(lamps.begin(), lamps.end(),
                                            [](const CLamp& a, const CLamp& b) { return a.y < b.y; });
    const std::int64_t dx = std::int64_t(maxX->x) - minX->x;
    const std::int64_t dy = std::int64_t(maxY->y) - minY->y;
    if (dx > dy)
        zoom = static_cast<int>(clientWidth / dx);
    else if (dy > 0)
        zoom = static_cast<int>(clientHeight / dy);
    zoom = std::min(zoom, CEditImgView::kFirstPaintMaxZoom);
    // A layout wider than the client in cells would give 0 and then divide by it.
    return std::max(zoom, 1);
}

} // namespace

CEditImgView::CEditImgView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setRange(0, kScrollMax);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { OnScrollAction(bar, action); });
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            TakeOffsetsFromBars();
            update();
        });
    }
    m_hBar->setProperty("controlId", 102);
    m_vBar->setProperty("controlId", 105);

    m_scanTimer = new QTimer(this);
    m_scanTimer->setSingleShot(true);
    m_scanTimer->setInterval(kScanDelayMs);
    connect(m_scanTimer, &QTimer::timeout, this, &CEditImgView::OnScanTimer);

    RegisterCommands();
}

CEditImgView::~CEditImgView() = default;

CLayoutDocument* CEditImgView::GetLayoutDocument() const
{
    return qobject_cast<CLayoutDocument*>(GetDocument());
}

CEditorApp* CEditImgView::App() const
{
    CDocument* document = GetDocument();
    return document && document->GetDocTemplate() ? &document->GetDocTemplate()->App() : nullptr;
}

CMainFrame* CEditImgView::MainFrame() const
{
    CEditorApp* app = App();
    return app ? app->MainFrame() : nullptr;
}

void CEditImgView::ShowMessage(const std::string& key, const QString& detail) const
{
    CEditorApp* app = App();
    if (!app)
        return;
    QString text = QString::fromStdString(GetLangText(key));
    if (!detail.isEmpty())
        text += QStringLiteral("\n") + detail;
    app->Prompts().message(app->MainFrame(), text, QMessageBox::Information, QMessageBox::Ok);
}

bool CEditImgView::ScanPending() const
{
    return m_scanTimer->isActive();
}

// --- commands ------------------------------------------------------------

void CEditImgView::RegisterCommands()
{
    for (const ZoomCommand& z : kZoomCommands) {
        const int id = z.id, zoom = z.zoom;
        OnCommand(id, [this, id, zoom] { SetZoomCommand(id, zoom); });
        OnUpdate(id, [this, id](CCmdUI& ui) {
            ui.Enable(m_zoomCommands);
            ui.SetCheck(m_zoomCheck == id);
        });
    }
    OnCommand(cmd::ShowGrid, [this] {
        m_gridding = !m_gridding;
        update();
    });
    OnUpdate(cmd::ShowGrid, [this](CCmdUI& ui) {
        ui.Enable(m_editCommands);
        ui.SetCheck(m_gridding);
    });
    OnCommand(cmd::SwitchWindow, [this] { OnSwitchWindow(); });
    OnUpdate(cmd::SwitchWindow, [this](CCmdUI& ui) { ui.Enable(m_editCommands); });

    OnCommand(cmd::InsertLamp, [this] {
        m_insertMode = true;
        m_deleteMode = false;
        m_zoomInClick = m_zoomOutClick = false;
        m_port.operation = CPortEditor::None;
        SetTool(InsertTool);
    });
    OnUpdate(cmd::InsertLamp, [this](CCmdUI& ui) {
        ui.Enable(m_editCommands);
        ui.SetCheck(m_insertMode);
    });
    OnCommand(cmd::DeleteLamp, [this] {
        m_deleteMode = true;
        m_insertMode = false;
        m_zoomInClick = m_zoomOutClick = false;
        m_port.operation = CPortEditor::Delete;
        SetTool(DeleteTool);
    });
    OnUpdate(cmd::DeleteLamp, [this](CCmdUI& ui) {
        ui.Enable(m_editCommands);
        ui.SetCheck(m_deleteMode);
    });

    OnCommand(cmd::ZoomInTool, [this] {
        m_zoomInClick = true;
        m_zoomOutClick = false;
        m_insertMode = m_deleteMode = false;
        SetTool(ZoomInTool);
    });
    OnUpdate(cmd::ZoomInTool, [this](CCmdUI& ui) {
        ui.Enable(m_zoomCommands);
        ui.SetCheck(m_zoomInClick);
    });
    OnCommand(cmd::ZoomOutTool, [this] {
        m_zoomOutClick = true;
        m_zoomInClick = false;
        m_insertMode = m_deleteMode = false;
        SetTool(ZoomOutTool);
    });
    OnUpdate(cmd::ZoomOutTool, [this](CCmdUI& ui) {
        ui.Enable(m_zoomCommands);
        ui.SetCheck(m_zoomOutClick);
    });
    for (auto [id, tool] : {std::pair{cmd::PointerTool, PointerTool}, std::pair{cmd::PanTool, PanTool}}) {
        const Tool t = tool;
        OnCommand(id, [this, t] {
            m_port.operation = CPortEditor::None;
            m_insertMode = m_deleteMode = false;
            m_zoomInClick = m_zoomOutClick = false;
            SetTool(t);
        });
        OnUpdate(id, [this, t](CCmdUI& ui) {
            ui.Enable(m_zoomCommands);
            ui.SetCheck(m_tool == t);
        });
    }

    OnCommand(cmd::ShowLampToolBar, [this] {
        if (CMainFrame* main = MainFrame())
            main->LampToolBar()->setVisible(!main->LampToolBar()->isVisible());
        update();
    });
    OnCommand(cmd::ShowCoordinatesBar, [this] {
        if (CMainFrame* main = MainFrame())
            main->CoordinatesDock()->setVisible(!main->CoordinatesDock()->isVisible());
    });
    OnUpdate(cmd::ShowCoordinatesBar, [this](CCmdUI& ui) {
        CMainFrame* main = MainFrame();
        ui.SetCheck(main && main->CoordinatesDock()->isVisible());
    });

    // Handled by the main frame and the document; enabled from the view's table.
    OnUpdate(cmd::TransferData, [this](CCmdUI& ui) { ui.Enable(m_editCommands); });
    // Stays greyed until there is a demo to open.
    OnUpdate(cmd::ParallelPlay, [](CCmdUI& ui) { ui.Enable(false); });

    OnCommand(cmd::FilePrint, [this] { OnPrint(); });
    OnCommand(cmd::FilePrintPreview, [this] { OnPrintPreview(); });

    RegisterScanCommands();
    RegisterPortCommands();
}

void CEditImgView::RegisterScanCommands()
{
    OnCommand(cmd::OpenImage, [this] { OnOpenImage(); });
    OnCommand(cmd::PickBackColour, [this] { m_backColourArmed = true; });
    OnUpdate(cmd::PickBackColour, [this](CCmdUI& ui) { ui.Enable(m_imageCommands); });
    OnCommand(cmd::ScanScope, [this] {
        if (m_scanAllowed)
            m_scopeArmed = true;
    });
    OnUpdate(cmd::ScanScope, [this](CCmdUI& ui) { ui.Enable(m_imageCommands); });
    OnCommand(cmd::OtherValue, [this] { OnOtherValue(); });
    OnUpdate(cmd::OtherValue, [this](CCmdUI& ui) { ui.Enable(m_imageCommands); });
    OnCommand(cmd::Scan, [this] { OnScan(); });
    OnUpdate(cmd::Scan, [this](CCmdUI& ui) { ui.Enable(m_scanCommand); });
    OnCommand(cmd::NewEmptyLayout, [this] { OnEmptyLayout(); });
    OnCommand(cmd::OpenEmptyLayout, [this] { OnEmptyLayout(); });
}

void CEditImgView::RegisterPortCommands()
{
    OnCommand(cmd::PortEdit, [this] { OnPortEditDialog(); });
    OnUpdate(cmd::PortEdit, [this](CCmdUI& ui) { ui.Enable(m_editCommands); });
    OnUpdate(cmd::PortTableOut, [this](CCmdUI& ui) { ui.Enable(m_editCommands); });
    OnCommandRange(cmd::CoordPort1, cmd::CoordInsert, [this](int id) { OnCoordinatesButton(id); });
}

void CEditImgView::SetZoomCommand(int id, int zoom)
{
    m_zoom = zoom;
    m_zoomCheck = id;
    update();
}

void CEditImgView::SetTool(Tool tool)
{
    m_tool = tool;
    ApplyCursor();
    update();
}

void CEditImgView::ApplyCursor()
{
    switch (m_tool) {
    case ZoomInTool:
        setCursor(MagnifierCursor(true));
        break;
    case ZoomOutTool:
        setCursor(MagnifierCursor(false));
        break;
    case PanTool:
        setCursor(Qt::OpenHandCursor);
        break;
    case InsertTool:
        setCursor(Qt::CrossCursor);
        break;
    case DeleteTool:
        setCursor(Qt::ForbiddenCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void CEditImgView::EnterEditingState()
{
    m_imageCommands = false;
    m_scanCommand = false;
    m_editCommands = true;
    m_zoomCommands = true;
}

void CEditImgView::OnInitialUpdate()
{
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setRange(0, kScrollMax);
        bar->setValue(0);
    }
    if (CMainFrame* main = MainFrame())
        main->LampToolBar()->show();
    if (CLayoutDocument* document = GetLayoutDocument(); document && !document->Data().lamps.empty()) {
        // A layout that already has lamps never scans.
        EnterEditingState();
        m_scanAllowed = false;
    }
    update();
}

void CEditImgView::OnActivateView(bool active)
{
    CMainFrame* main = MainFrame();
    if (!active || !main)
        return;
    main->CoordinatesBar()->setEnabled(true);
    if (m_previewMark) {
        main->MainToolBar()->hide();
        m_previewMark = false;
    } else {
        main->MainToolBar()->show();
    }
}

// --- picture and scan ----------------------------------------------------

void CEditImgView::OnOpenImage()
{
    CEditorApp* app = App();
    CLayoutDocument* document = GetLayoutDocument();
    if (!app || !document)
        return;
    const QString path = app->Prompts().openFileName(app->MainFrame(), QString());
    if (path.isEmpty())
        return;
    app->SetCurrentDirectoryFromFile(path);
    Result<CScaledPicture> loaded = LoadPicture(path.toStdString());
    if (!loaded) {
        // The view stays as it was.
        app->Prompts().message(app->MainFrame(), QString::fromStdString(GetLangText(loaded.status())),
                               QMessageBox::Information, QMessageBox::Ok);
        return;
    }
    CScaledPicture picture = std::move(loaded).value();
    Status opened = CLampScanner::OpenPicture(document->Data(), picture, width(), height());
    if (!opened) {
        ShowMessage(opened.key);
        return;
    }
    m_picture = std::move(picture);
    // The display shows, pixel for pixel, the colours the scan reads, so
    // what the user sees is exactly what becomes lamps.
    const int shownWidth = static_cast<int>(std::ceil(m_picture.Width() * m_picture.Fit()));
    const int shownHeight = static_cast<int>(std::ceil(m_picture.Height() * m_picture.Fit()));
    QImage image(std::max(shownWidth, 1), std::max(shownHeight, 1), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t c = m_picture.ColourAt(x, y);
            row[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                          static_cast<int>((c >> 16) & 0xFF));
        }
    }
    m_pictureImage = std::move(image);
    m_pictureShown = true;
    if (m_scanAllowed) {
        m_imageCommands = true;
        m_scanCommand = true;
    }
    update();
}

void CEditImgView::OnScan()
{
    if (!m_scanAllowed)
        return;
    StartScan(false);
}

void CEditImgView::OnEmptyLayout()
{
    StartScan(true);
}

void CEditImgView::StartScan(bool emptyLayout)
{
    CLayoutDocument* document = GetLayoutDocument();
    if (!document)
        return;
    CLayoutSnapshot before = document->TakeSnapshot();
    Status begun = emptyLayout ? CLampScanner::BeginEmptyLayout(document->Data())
                               : CLampScanner::Begin(document->Data());
    if (!begun) {
        document->RestoreSnapshot(before);
        ShowMessage(begun.key, QString::fromStdString(begun.detail));
        return;
    }
    m_editBefore = std::move(before);
    m_scanTimer->start();
    EnterEditingState();
    if (!emptyLayout)
        m_scanAllowed = false;
}

void CEditImgView::FinishScanNow()
{
    if (!m_scanTimer->isActive())
        return;
    m_scanTimer->stop();
    OnScanTimer();
}

void CEditImgView::OnScanTimer()
{
    m_scanTimer->stop();
    CLayoutDocument* document = GetLayoutDocument();
    if (!document)
        return;
    Status finished = CLampScanner::Finish(document->Data(), m_picture);
    if (!finished)
        ShowMessage(finished.key, QString::fromStdString(finished.detail));
    m_pictureShown = false;
    if (m_editBefore) {
        document->RecordEdit(*m_editBefore, QStringLiteral("Scan"));
        m_editBefore.reset();
    }
    document->SetModifiedFlag(true);
    update();
}

void CEditImgView::OnOtherValue()
{
    CLayoutDocument* document = GetLayoutDocument();
    CEditorApp* app = App();
    if (!document)
        return;
    CEditImgDoc& data = document->Data();
    COtherValueDlg dialog(app ? &app->Prompts() : nullptr, data.lampSize, data.objectSize,
                          data.backgroundTolerance, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const double lampSize = dialog.LampSize();
    if (lampSize > 1.0 && lampSize < 1000.0)
        data.lampSize = static_cast<float>(lampSize);
    else
        ShowMessage("EDITIMGVIEW_ONSCANSETOTHER_PIT");
    data.objectSize = static_cast<float>(dialog.ObjectSize());
    const int tolerance = dialog.Tolerance();
    if (tolerance >= 1 && tolerance < 255)
        data.backgroundTolerance = tolerance;
    else
        ShowMessage("EDITIMGVIEW_ONSCANSETOTHER_PITV");
}

void CEditImgView::OnSwitchWindow()
{
    m_pictureShown = !m_pictureShown;
    update();
}

// --- ports ---------------------------------------------------------------

void CEditImgView::OnPortEditDialog()
{
    CEditorApp* app = App();
    CPortEditDlg dialog(app ? &app->Prompts() : nullptr, m_port.currentPort, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_port.operation = dialog.Operation();
    if (m_port.operation == CPortEditor::Add) {
        m_port.currentPort = dialog.Port();
    } else if (m_port.operation == CPortEditor::Insert) {
        m_port.currentPort = dialog.Port();
        m_port.insertPosition = dialog.Position();
    }
    m_insertMode = m_deleteMode = false;
    m_port.highestOrder = 0;
    SetTool(InsertTool);
}

void CEditImgView::OnCoordinatesButton(int id)
{
    if (id >= cmd::CoordPort1 && id < cmd::CoordPort1 + kPortCount) {
        m_port.currentPort = id - cmd::CoordPort1 + 1;
    } else if (id == cmd::CoordAdd) {
        m_port.operation = CPortEditor::Add;
    } else if (id == cmd::CoordDelete) {
        m_port.operation = CPortEditor::Delete;
    } else if (id == cmd::CoordInsert) {
        CEditorApp* app = App();
        CInsertPositionDlg dialog(app ? &app->Prompts() : nullptr, m_port.insertPosition, this);
        if (ExecDialog(dialog) != QDialog::Accepted)
            return;
        m_port.insertPosition = dialog.Position();
        m_port.operation = CPortEditor::Insert;
    } else {
        return;
    }
    m_insertMode = m_deleteMode = false;
    m_port.highestOrder = 0;
    SetTool(InsertTool);
}

// --- printing ------------------------------------------------------------

void CEditImgView::PrintLayout(QPrinter& printer) const
{
    if (CLayoutDocument* document = GetLayoutDocument())
        PrintLampPages(printer, document->Data().lamps, kPrintCellSize, false);
}

void CEditImgView::OnPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (ExecDialog(dialog) == QDialog::Accepted)
        PrintLayout(printer);
}

void CEditImgView::OnPrintPreview()
{
    m_previewMark = true;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintLayout(*target); });
    ExecDialog(dialog);
}

// --- scrolling -----------------------------------------------------------

void CEditImgView::OnScrollAction(QScrollBar* bar, int action)
{
    // The steps are uneven on purpose: one back, two forward.
    int position = bar->value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        if (position > bar->minimum())
            position -= 1;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        if (position < bar->maximum())
            position += 2;
        break;
    case QAbstractSlider::SliderPageStepSub:
        position -= 10;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        position += 10;
        break;
    case QAbstractSlider::SliderToMinimum:
        position = bar->minimum();
        break;
    case QAbstractSlider::SliderToMaximum:
        position = bar->maximum();
        break;
    default:
        return; // the thumb drag moves the position itself
    }
    bar->setSliderPosition(std::clamp(position, bar->minimum(), bar->maximum()));
}

void CEditImgView::TakeOffsetsFromBars()
{
    m_scrollX = m_hBar->value();
    m_scrollY = m_vBar->value();
}

void CEditImgView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    m_vBar->setValue(std::clamp(m_vBar->value() - delta, m_vBar->minimum(), m_vBar->maximum()));
    TakeOffsetsFromBars();
    update();
    event->accept();
}

void CEditImgView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageUp && event->modifiers() == Qt::NoModifier) {
        m_zoom += 5;
        update();
        return;
    }
    if (event->key() == Qt::Key_PageDown && event->modifiers() == Qt::NoModifier) {
        if (m_zoom > 5)
            m_zoom -= 5;
        update();
        return;
    }
    CView::keyPressEvent(event);
}

void CEditImgView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    m_hBar->setGeometry(0, height() - kBarThickness, std::max(0, width() - kBarThickness), kBarThickness);
    m_vBar->setGeometry(width() - kBarThickness, 0, kBarThickness, std::max(0, height() - kBarThickness));
}

// --- mouse ---------------------------------------------------------------

QPoint CEditImgView::CellAt(QPoint point) const
{
    return QPoint((point.x() + m_scrollX) / m_zoom, (point.y() + m_scrollY) / m_zoom);
}

void CEditImgView::BeginEdit()
{
    if (CLayoutDocument* document = GetLayoutDocument(); document && !m_editBefore)
        m_editBefore = document->TakeSnapshot();
}

void CEditImgView::EndEdit()
{
    CLayoutDocument* document = GetLayoutDocument();
    if (!document || !m_editBefore || ScanPending())
        return;
    document->RecordEdit(*m_editBefore, QStringLiteral("Edit"));
    m_editBefore.reset();
}

void CEditImgView::ApplyEdits(QPoint cell, bool dragging)
{
    CLayoutDocument* document = GetLayoutDocument();
    if (!document || ScanPending())
        return;
    CEditImgDoc& data = document->Data();
    bool changed = false;
    if (m_port.operation != CPortEditor::None)
        changed |= m_port.ApplyAt(data, cell.x(), cell.y());
    if (m_insertMode) {
        CLampEditor::InsertResult inserted = CLampEditor::Insert(data, cell.x(), cell.y());
        if (inserted == CLampEditor::InsertResult::NegativeCell)
            ShowMessage(dragging ? CLampEditor::kNegativeCellDragKey : CLampEditor::kNegativeCellClickKey);
        changed |= inserted == CLampEditor::InsertResult::Inserted;
    }
    if (m_deleteMode)
        changed |= CLampEditor::Delete(data, cell.x(), cell.y());
    if (changed)
        update();
}

void CEditImgView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CView::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const QPoint cell = CellAt(point);
    if (m_zoomInClick) {
        ++m_zoom;
        update();
    } else if (m_zoomOutClick && m_zoom > 5) {
        --m_zoom;
        update();
    }
    CLayoutDocument* document = GetLayoutDocument();
    if (m_scopeArmed && m_scanAllowed && document) {
        document->Data().scanScope.left = point.x();
        document->Data().scanScope.top = point.y();
        document->Data().scanScope.right = point.x();
        document->Data().scanScope.bottom = point.y();
        m_scopeDragging = true;
    }
    BeginEdit();
    ApplyEdits(cell, false);
    m_buttonDown = true;
    m_lastMouse = point;
}

void CEditImgView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint cell = CellAt(point);
    UpdateStatus(cell);
    CLayoutDocument* document = GetLayoutDocument();
    if (m_scopeDragging && document) {
        document->Data().scanScope.right = point.x();
        document->Data().scanScope.bottom = point.y();
        update();
    }
    if (m_tool == PanTool && (event->buttons() & Qt::LeftButton)) {
        const QPoint travel = m_lastMouse - point;
        m_hBar->setValue(m_hBar->value() + travel.x());
        m_vBar->setValue(m_vBar->value() + travel.y());
        TakeOffsetsFromBars();
        update();
    }
    if (m_buttonDown)
        ApplyEdits(cell, true);
    m_lastMouse = point;
}

void CEditImgView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CView::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    CLayoutDocument* document = GetLayoutDocument();
    if (m_scopeDragging && document) {
        CRect& scope = document->Data().scanScope;
        scope.right = point.x();
        scope.bottom = point.y();
        scope = scope.Normalized();
        m_scopeDragging = false;
        m_scopeArmed = false;
        update();
    }
    m_buttonDown = false;
    EndEdit();
}

void CEditImgView::mouseDoubleClickEvent(QMouseEvent* event)
{
    CLayoutDocument* document = GetLayoutDocument();
    if (event->button() == Qt::LeftButton && m_backColourArmed && document) {
        const QPoint point = event->position().toPoint();
        document->Data().backgroundColour = m_picture.ColourAt(point.x(), point.y());
        m_backColourArmed = false;
        ShowMessage("EDITIMGVIEW_ONLBDCLK_STCB");
        return;
    }
    // Otherwise a double-click is a second click.
    mousePressEvent(event);
}

void CEditImgView::UpdateStatus(QPoint cell)
{
    CMainFrame* main = MainFrame();
    CLayoutDocument* document = GetLayoutDocument();
    if (!main || !document)
        return;
    const CEditImgDoc& data = document->Data();
    int number = -1, port = -1, order = -1;
    if (auto index = CLampEditor::FindLamp(data, cell.x(), cell.y())) {
        const CLamp& lamp = data.lamps[*index];
        number = lamp.number;
        port = lamp.port;
        order = lamp.order;
    }
    const int total = static_cast<int>(data.LampCount());
    const QByteArray id = Text("IDD103_1118").toUtf8();
    const QByteArray totalText = Text("IDD103_1119").toUtf8();
    const QByteArray portText = Text("IDD103_1121").toUtf8();
    const QByteArray lampText = Text("IDD103_1122").toUtf8();
    CStatusBarXP* bar = main->StatusBarXP();
    bar->SetPaneText(1, QString::asprintf("  x=%6d,    y=%6d,   %s %6d", cell.x(), cell.y(),
                                          id.constData(), number));
    bar->SetPaneText(2, QString::asprintf("           %s %6d ", totalText.constData(), total));
    bar->SetPaneText(3, QString::asprintf("    %s %4d, %s %6d", portText.constData(), port,
                                          lampText.constData(), order));
    CCoordinatesBar* coordinates = main->CoordinatesBar();
    coordinates->SetField(CCoordinatesBar::kX, QString::asprintf("%6d", cell.x()));
    coordinates->SetField(CCoordinatesBar::kY, QString::asprintf("%6d", cell.y()));
    coordinates->SetField(CCoordinatesBar::kZoom, QString::asprintf("%2d", m_zoom));
    coordinates->SetField(CCoordinatesBar::kId, QString::asprintf("%3d", number));
    coordinates->SetField(CCoordinatesBar::kTotal, QString::asprintf("%3d", total));
    coordinates->SetField(CCoordinatesBar::kPort, QString::asprintf("%3d", port));
    coordinates->SetField(CCoordinatesBar::kLamp, QString::asprintf("%3d", order));
}

QMenu* CEditImgView::BuildContextMenu(QWidget* parent)
{
    CEditorApp* app = App();
    if (!app)
        return nullptr;
    CCommandRegistry& registry = app->Registry();
    struct Entry {
        int id;
        const char* key;
    };
    // Menu 105, relabelled from the language file.
    static constexpr Entry kEntries[] = {
        {cmd::FileNew, "ID_FILE_NEW"},       {cmd::OpenImage, "ID_OPEN_IMAGE"},
        {cmd::FileOpen, "ID_FILE_OPEN"},     {0, nullptr},
        {cmd::Zoom4, "ID_EFFECT1"},        {cmd::Zoom8, "ID_EFFECT2"},
        {cmd::Zoom12, "ID_EFFECT3"},        {cmd::Zoom16, "ID_EFFECT4"},
        {cmd::Zoom20, "ID_EFFECT5"},        {cmd::Zoom24, "ID_EFFECT6"},
        {cmd::Zoom28, "ID_EFFECT7"},        {0, nullptr},
        {cmd::Scan, "ID_EDIT_SCAN"},     {cmd::InsertLamp, "ID_EDIT_INSERT"},
        {cmd::DeleteLamp, "ID_EDIT_DELETE"}, {cmd::ShowGrid, "ID_EDIT_GRIDDING"},
        {0, nullptr},                        {cmd::TransferData, "ID_EDIT_PLAMP"},
        {cmd::PortEdit, "ID_CPORT_EDIT"},
    };
    auto* menu = new QMenu(parent);
    for (const Entry& entry : kEntries) {
        if (!entry.id) {
            menu->addSeparator();
            continue;
        }
        // Items of their own: the shared actions keep the menu bar's texts.
        QAction* item = menu->addAction(Text(entry.key));
        item->setData(entry.id);
        const CCmdUI state = registry.Query(entry.id);
        item->setEnabled(state.Enabled().value_or(true));
        if (state.Checked()) {
            item->setCheckable(true);
            item->setChecked(*state.Checked());
        }
        const int id = entry.id;
        connect(item, &QAction::triggered, this, [&registry, id] { registry.Dispatch(id); });
    }
    return menu;
}

void CEditImgView::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(BuildContextMenu(this));
    if (!menu)
        return;
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(0, 0))
                                                                      : event->globalPos();
    menu->exec(at);
}

// --- painting ------------------------------------------------------------

QPoint CEditImgView::LampOrigin(int x, int y) const
{
    if (m_tool != NoTool && m_drawCount > 0)
        return QPoint(x * m_zoom, y * m_zoom);
    const CLayoutDocument* document = GetLayoutDocument();
    if (!document || document->Data().lamps.empty())
        return QPoint(x * m_zoom, y * m_zoom);
    const std::vector<CLamp>& lamps = document->Data().lamps;
    const CRect bounds = LampBounds(lamps);
    const int minX = bounds.left, maxX = bounds.right, minY = bounds.top, maxY = bounds.bottom;
    const int ox = (width() - (maxX + minX) * m_zoom) / 2;
    const int oy = (height() - (maxY + minY) * m_zoom) / 2;
    return QPoint(x * m_zoom - m_zoom / 2 + ox, y * m_zoom - m_zoom / 2 + oy);
}

void CEditImgView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    CLayoutDocument* document = GetLayoutDocument();
    if (m_pictureShown) {
        PaintPicture(painter);
        return;
    }
    if (document && document->Data().scanned && !document->Data().lamps.empty()) {
        painter.save();
        PaintLamps(painter, event->rect());
        painter.restore();
    }
    // The square where the two scroll bars meet.
    painter.fillRect(width() - kBarThickness, height() - kBarThickness, kBarThickness, kBarThickness,
                     palette().color(QPalette::Window));
}

void CEditImgView::PaintPicture(QPainter& painter)
{
    if (m_pictureImage.isNull())
        return;
    painter.drawImage(QPoint(0, 0), m_pictureImage);
    if (CLayoutDocument* document = GetLayoutDocument()) {
        // The scope as an inverting rubber band, visible on any picture.
        // A stroked QRect reaches one pixel past its right and bottom.
        const CRect scope = document->Data().scanScope.Normalized();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(scope.left, scope.top, scope.right - scope.left, scope.bottom - scope.top));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void CEditImgView::PaintLamps(QPainter& painter, const QRect& dirty)
{
    const std::vector<CLamp>& lamps = GetLayoutDocument()->Data().lamps;
    if (m_drawCount == 0)
        m_zoom = ZoomFit(lamps, width(), height(), m_zoom);
    const int zoom = m_zoom;

    painter.translate(-m_scrollX, -m_scrollY);
    const QRect visible = dirty.translated(m_scrollX, m_scrollY);
    if (m_gridding) {
        painter.setPen(QColor(0x40, 0x40, 0x40));
        painter.setBrush(Qt::black);
        painter.drawRect(0, 0, 10000, 10000);
        // Only the lines inside the area to repaint; the others would be clipped anyway.
        const QColor major(0x60, 0x60, 0x60), minor(0x40, 0x40, 0x40);
        const int firstX = std::max(1, visible.left() / zoom), lastX = std::min(3000, visible.right() / zoom + 1);
        for (int k = firstX; k <= lastX; ++k) {
            painter.setPen((k - 1) % 5 == 0 ? major : minor);
            painter.drawLine(k * zoom, 0, k * zoom, 10000);
        }
        const int firstY = std::max(1, visible.top() / zoom), lastY = std::min(3000, visible.bottom() / zoom + 1);
        for (int k = firstY; k <= lastY; ++k) {
            painter.setPen((k - 1) % 5 == 0 ? major : minor);
            painter.drawLine(0, k * zoom, 10000, k * zoom);
        }
    }

    const QPoint base = LampOrigin(0, 0);
    QFont font(QStringLiteral("Century Gothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, 2 * zoom / 3));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(zoom, 1, 1000)));
    // Characters a quarter of the cell wide, as the font's average width.
    if (const int average = QFontMetrics(font).averageCharWidth(); average > 0 && zoom >= 4)
        font.setStretch(std::clamp(100 * (zoom / 4) / average, 1, 4000));
    for (const CLamp& lamp : lamps) {
        const QPoint at(base.x() + lamp.x * zoom, base.y() + lamp.y * zoom);
        if (!QRect(at, QSize(zoom + 1, zoom + 1)).intersects(visible))
            continue;
        painter.drawImage(at, LampSprite(lamp, font));
    }
    ++m_drawCount;
}

const QImage& CEditImgView::LampSprite(const CLamp& lamp, const QFont& font)
{
    const int zoom = m_zoom;
    const bool numbered = lamp.port > 0;
    const quint64 key = (quint64(std::min(zoom, 0xFFFF)) << 48) |
                        (quint64(static_cast<std::uint32_t>(lamp.colour) & 0xFFFFFF) << 24) |
                        (numbered ? quint64(static_cast<std::uint32_t>(lamp.order) & 0xFFFFFF) + 1 : 0);
    auto found = m_sprites.constFind(key);
    if (found != m_sprites.constEnd())
        return *found;
    if (m_sprites.size() > 8192)
        m_sprites.clear();

    QImage sprite(zoom + 1, zoom + 1, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    const QColor colour = FromColourRef(lamp.colour);
    const double corner = static_cast<int>(zoom * 0.9) / 2.0;
    painter.setPen(Qt::white);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRect(0, 0, zoom, zoom), corner, corner);
    if (numbered) {
        painter.setFont(font);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(colour);
        const QRect text(QPoint(zoom / 6, zoom / 5), QPoint(5 * zoom / 6, 5 * zoom / 6));
        painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop, QString::number(lamp.order));
    }
    painter.end();
    return *m_sprites.insert(key, std::move(sprite));
}

} // namespace lumaro::gui
