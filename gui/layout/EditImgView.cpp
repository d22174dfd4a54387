#include "gui/layout/EditImgView.h"

#include "core/app/LangText.h"
#include "core/layout/LampEditor.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MessageText.h"
#include "gui/layout/LayoutDialogs.h"
#include "gui/layout/LayoutPrint.h"

#include <QContextMenuEvent>
#include <QDockWidget>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include <memory>
#include <utility>

namespace lumaro::gui {

namespace {

struct ZoomCommand {
    int id;
    int zoom;
};
constexpr ZoomCommand kZoomCommands[] = {{cmd::Zoom4, 4},   {cmd::Zoom8, 8},   {cmd::Zoom12, 12},
                                         {cmd::Zoom16, 16}, {cmd::Zoom20, 20}, {cmd::Zoom24, 24},
                                         {cmd::Zoom28, 28}};

} // namespace

CEditImgView::CEditImgView(CDocument* document) : CView(document)
{
    // The canvas covers the whole view and paints all of it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    CLayoutDocument* layout = GetLayoutDocument();
    m_canvas = new CLayoutCanvas(layout, this);
    m_canvas->setGeometry(rect());
    connect(m_canvas, &CLayoutCanvas::ZoomChanged, this, &CEditImgView::ZoomChanged);
    m_scan = new CLayoutScanController(layout, this);
    connect(m_scan, &CLayoutScanController::PictureChanged, this, &CEditImgView::ShowScanPicture);
    connect(m_scan, &CLayoutScanController::ScanFailed, this, &CEditImgView::Report);
    // The counts and the lamp under the pointer follow every change of the
    // lamps (a scan, a delete, an undo), not only the next mouse move.
    if (layout)
        connect(layout, &CLayoutDocument::Changed, this, [this](Aspects what) {
            if (m_active && (what & (Aspect::Lamps | Aspect::Ports)))
                AnnounceLamps();
        });

    RegisterCommands();
}

void CEditImgView::changeEvent(QEvent* event)
{
    CView::changeEvent(event);
    // The status panes speak the new language at once, not at the next move.
    if (event->type() == QEvent::LanguageChange && m_active)
        AnnounceLamps();
}

void CEditImgView::AnnounceLamps()
{
    if (m_lastCell) {
        AnnounceCell(*m_lastCell);
        return;
    }
    HoveredCell none;
    if (const CLayoutDocument* document = GetLayoutDocument())
        none.total = static_cast<int>(document->Data().LampCount());
    Q_EMIT HoveredCellChanged(none);
}

CEditImgView::~CEditImgView() = default;

CLayoutDocument* CEditImgView::GetLayoutDocument() const
{
    return qobject_cast<CLayoutDocument*>(GetDocument());
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

void CEditImgView::Report(const Status& status) const
{
    CEditorApp* app = App();
    if (status || !app)
        return;
    // The message with its values filled in, and the detail the user can read.
    QString text = QString::fromStdString(GetLangText(status));
    if (const QString detail = DetailText(status); !detail.isEmpty())
        text += QStringLiteral("\n") + detail;
    app->Prompts().message(app->MainFrame(), text, QMessageBox::Information, QMessageBox::Ok);
}

// --- commands ------------------------------------------------------------

void CEditImgView::RegisterCommands()
{
    for (const ZoomCommand& z : kZoomCommands) {
        const int id = z.id, zoom = z.zoom;
        OnCommand(id, [this, id, zoom] {
            m_canvas->SetZoom(zoom);
            m_zoomCheck = id;
        });
        OnUpdate(id, [this, id](CCmdUI& ui) {
            ui.Enable(m_scan->Editing());
            ui.SetCheck(m_zoomCheck == id);
        });
    }
    OnCommand(cmd::ShowGrid, [this] { m_canvas->SetGridding(!m_canvas->Gridding()); });
    OnUpdate(cmd::ShowGrid, [this](CCmdUI& ui) {
        ui.Enable(m_scan->Editing());
        ui.SetCheck(m_canvas->Gridding());
    });
    OnCommand(cmd::ShowWiring, [this] { m_canvas->SetWiringShown(!m_canvas->WiringShown()); });
    OnUpdate(cmd::ShowWiring, [this](CCmdUI& ui) {
        ui.Enable(m_scan->Editing());
        ui.SetCheck(m_canvas->WiringShown());
    });
    OnCommand(cmd::SwitchWindow, [this] { m_scan->SwitchShown(); });
    OnUpdate(cmd::SwitchWindow, [this](CCmdUI& ui) { ui.Enable(m_scan->Editing()); });

    OnCommand(cmd::ShowLampToolBar, [this] {
        if (CMainFrame* main = MainFrame())
            main->LampToolBar()->setVisible(!main->LampToolBar()->isVisible());
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
    OnUpdate(cmd::TransferData, [this](CCmdUI& ui) { ui.Enable(m_scan->Editing()); });
    // There is something to play once the lamps are being edited.
    OnCommand(cmd::ParallelPlay, [this] {
        if (openDemo)
            openDemo();
    });
    OnUpdate(cmd::ParallelPlay, [this](CCmdUI& ui) { ui.Enable(openDemo && m_scan->Editing()); });

    OnCommand(cmd::FilePrint, [this] { OnPrint(); });
    OnCommand(cmd::FilePrintPreview, [this] { OnPrintPreview(); });

    RegisterToolCommands();
    RegisterScanCommands();
    RegisterPortCommands();
}

void CEditImgView::RegisterToolCommands()
{
    using Mode = CLayoutTool::Mode;
    static constexpr std::pair<int, Mode> kToolCommands[] = {
        {cmd::InsertLamp, Mode::InsertLamp}, {cmd::DeleteLamp, Mode::DeleteLamp},
        {cmd::ZoomInTool, Mode::ZoomIn},     {cmd::ZoomOutTool, Mode::ZoomOut},
        {cmd::PanTool, Mode::Pan},           {cmd::PointerTool, Mode::Pointer},
    };
    for (const auto& [id, mode] : kToolCommands) {
        OnCommand(id, [this, mode] { SelectTool(mode); });
        OnUpdate(id, [this, mode](CCmdUI& ui) {
            ui.Enable(m_scan->Editing());
            ui.SetCheck(m_tool.Current() == mode);
        });
    }
}

void CEditImgView::RegisterScanCommands()
{
    OnCommand(cmd::OpenImage, [this] { OnOpenImage(); });
    OnCommand(cmd::PickBackColour, [this] { m_scan->ArmBackColour(); });
    OnUpdate(cmd::PickBackColour, [this](CCmdUI& ui) { ui.Enable(m_scan->PictureCommands()); });
    OnCommand(cmd::ScanScope, [this] { m_scan->ArmScope(); });
    OnUpdate(cmd::ScanScope, [this](CCmdUI& ui) { ui.Enable(m_scan->PictureCommands()); });
    OnCommand(cmd::OtherValue, [this] { OnOtherValue(); });
    OnUpdate(cmd::OtherValue, [this](CCmdUI& ui) { ui.Enable(m_scan->PictureCommands()); });
    OnCommand(cmd::Scan, [this] { Report(m_scan->Scan()); });
    OnUpdate(cmd::Scan, [this](CCmdUI& ui) { ui.Enable(m_scan->PictureCommands()); });
    OnCommand(cmd::NewEmptyLayout, [this] { Report(m_scan->StartEmptyLayout()); });
    OnCommand(cmd::OpenEmptyLayout, [this] { Report(m_scan->StartEmptyLayout()); });
}

void CEditImgView::RegisterPortCommands()
{
    OnCommand(cmd::PortEdit, [this] { OnPortEditDialog(); });
    OnUpdate(cmd::PortEdit, [this](CCmdUI& ui) { ui.Enable(m_scan->Editing()); });
    OnUpdate(cmd::PortTableOut, [this](CCmdUI& ui) { ui.Enable(m_scan->Editing()); });
    OnCommandRange(cmd::CoordPort1, cmd::CoordInsert, [this](int id) { OnCoordinatesButton(id); });
}

void CEditImgView::SelectTool(CLayoutTool::Mode mode)
{
    m_tool.Select(mode);
    setCursor(m_tool.Cursor());
    m_canvas->SetCentred(m_tool.CurrentTool() == NoTool);
}

void CEditImgView::ChainPort(int operation)
{
    m_tool.Port().operation = operation;
    SelectTool(CLayoutTool::Mode::ChainPort);
}

void CEditImgView::OnInitialUpdate()
{
    m_canvas->ResetScroll();
    if (CMainFrame* main = MainFrame())
        main->LampToolBar()->show();
    m_scan->TakeDocument();
    m_canvas->update();
}

void CEditImgView::OnActivateView(bool active)
{
    m_active = active;
    if (active) {
        // Nothing of another view's pointer or zoom stays on show.
        m_lastCell.reset();
        AnnounceLamps();
        Q_EMIT ZoomChanged(Zoom());
        Q_EMIT CoordinatesBarUsed(true);
    }
    CMainFrame* main = MainFrame();
    if (!active || !main)
        return;
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
    if (!app || !GetLayoutDocument())
        return;
    const QString path = app->Prompts().openFileName(app->MainFrame(), QString());
    if (path.isEmpty())
        return;
    app->SetCurrentDirectoryFromFile(path);
    Report(m_scan->OpenPicture(path, size()));
}

void CEditImgView::ShowScanPicture()
{
    m_canvas->ShowPicture(m_scan->PictureShown() ? &m_scan->PictureImage() : nullptr);
}

void CEditImgView::OnOtherValue()
{
    CLayoutDocument* document = GetLayoutDocument();
    CEditorApp* app = App();
    if (!document)
        return;
    const CEditImgDoc& current = document->Data();
    COtherValueDlg dialog(app ? &app->Prompts() : nullptr, current.lampSize, current.objectSize,
                          current.backgroundTolerance, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const double lampSize = dialog.LampSize();
    const bool lampSizeOk = lampSize > 1.0 && lampSize < 1000.0;
    const int tolerance = dialog.Tolerance();
    const bool toleranceOk = tolerance >= 1 && tolerance < 255;
    document->Edit(QStringLiteral("Other Value"), Aspect::ScanSettings, [&](CEditImgDoc& data) {
        if (lampSizeOk)
            data.lampSize = static_cast<float>(lampSize);
        data.objectSize = static_cast<float>(dialog.ObjectSize());
        if (toleranceOk)
            data.backgroundTolerance = tolerance;
        return true;
    });
    if (!lampSizeOk)
        ShowMessage("EDITIMGVIEW_ONSCANSETOTHER_PIT");
    if (!toleranceOk)
        ShowMessage("EDITIMGVIEW_ONSCANSETOTHER_PITV");
}

// --- ports ---------------------------------------------------------------

void CEditImgView::OnPortEditDialog()
{
    CEditorApp* app = App();
    CPortEditor& port = m_tool.Port();
    CPortEditDlg dialog(app ? &app->Prompts() : nullptr, port.currentPort, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const int operation = dialog.Operation();
    if (operation == CPortEditor::Add) {
        port.currentPort = dialog.Port();
    } else if (operation == CPortEditor::Insert) {
        port.currentPort = dialog.Port();
        port.insertPosition = dialog.Position();
    }
    ChainPort(operation);
}

void CEditImgView::OnCoordinatesButton(int id)
{
    CPortEditor& port = m_tool.Port();
    if (id >= cmd::CoordPort1 && id < cmd::CoordPort1 + kPortCount) {
        port.currentPort = id - cmd::CoordPort1 + 1;
        ChainPort(port.operation);
    } else if (id == cmd::CoordAdd) {
        ChainPort(CPortEditor::Add);
    } else if (id == cmd::CoordDelete) {
        ChainPort(CPortEditor::Delete);
    } else if (id == cmd::CoordInsert) {
        CEditorApp* app = App();
        CInsertPositionDlg dialog(app ? &app->Prompts() : nullptr, port.insertPosition, this);
        if (ExecDialog(dialog) != QDialog::Accepted)
            return;
        port.insertPosition = dialog.Position();
        ChainPort(CPortEditor::Insert);
    }
}

// --- printing ------------------------------------------------------------

void CEditImgView::PrintLayout(QPrinter& printer) const
{
    if (CLayoutDocument* document = GetLayoutDocument())
        PrintLampPages(printer, document->Data().lamps, kPrintCellSize, false, m_canvas->WiringShown());
}

void CEditImgView::OnPrint()
{
    // The application's printer carries what Print Setup chose.
    std::optional<QPrinter> own;
    QPrinter& printer = App() ? App()->Printer() : own.emplace(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (ExecDialog(dialog) == QDialog::Accepted)
        PrintLayout(printer);
}

void CEditImgView::OnPrintPreview()
{
    m_previewMark = true;
    std::optional<QPrinter> own;
    QPrinter& printer = App() ? App()->Printer() : own.emplace(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintLayout(*target); });
    ExecDialog(dialog);
}

// --- keys and wheel ------------------------------------------------------

void CEditImgView::wheelEvent(QWheelEvent* event)
{
    m_canvas->Wheel(event->angleDelta().y());
    event->accept();
}

void CEditImgView::keyPressEvent(QKeyEvent* event)
{
    if (m_canvas->ZoomByKey(event->key(), event->modifiers()))
        return;
    CView::keyPressEvent(event);
}

void CEditImgView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    m_canvas->setGeometry(rect());
}

// --- mouse ---------------------------------------------------------------

void CEditImgView::BeginEdit()
{
    // Everything one press, drag and release does is one undo step.
    if (CLayoutDocument* document = GetLayoutDocument(); document && m_editGroup == 0)
        m_editGroup = document->NewMergeGroup();
}

void CEditImgView::EndEdit()
{
    m_editGroup = 0;
}

void CEditImgView::ApplyEdits(QPoint cell, bool dragging)
{
    CLayoutDocument* document = GetLayoutDocument();
    if (!document || ScanPending())
        return;
    const bool chains = m_tool.EditsChains();
    const bool inserts = m_tool.InsertsLamps();
    const bool deletes = m_tool.DeletesLamps();
    if (!chains && !inserts && !deletes)
        return;
    bool negativeCell = false;
    document->Edit(
        QStringLiteral("Edit"), Aspect::Lamps | Aspect::Ports,
        [&](CEditImgDoc& data) {
            bool any = false;
            if (chains)
                any |= m_tool.Port().ApplyAt(data, cell.x(), cell.y());
            if (inserts) {
                CLampEditor::InsertResult inserted = CLampEditor::Insert(data, cell.x(), cell.y());
                negativeCell = inserted == CLampEditor::InsertResult::NegativeCell;
                any |= inserted == CLampEditor::InsertResult::Inserted;
            }
            if (deletes)
                any |= CLampEditor::Delete(data, cell.x(), cell.y());
            return any;
        },
        m_editGroup);
    if (negativeCell)
        ShowMessage(dragging ? CLampEditor::kNegativeCellDragKey : CLampEditor::kNegativeCellClickKey);
}

void CEditImgView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CView::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const QPoint cell = CellAt(point);
    if (m_tool.ZoomsIn())
        m_canvas->StepZoom(1);
    else if (m_tool.ZoomsOut())
        m_canvas->StepZoom(-1);
    BeginEdit();
    m_scan->PressAt(point, m_editGroup);
    ApplyEdits(cell, false);
    m_buttonDown = true;
    m_lastMouse = point;
}

void CEditImgView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint cell = CellAt(point);
    AnnounceCell(cell);
    m_scan->DragTo(point, m_editGroup);
    if (m_tool.Pans() && (event->buttons() & Qt::LeftButton))
        m_canvas->ScrollBy(m_lastMouse - point);
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
    m_scan->ReleaseAt(event->position().toPoint(), m_editGroup);
    m_buttonDown = false;
    EndEdit();
}

void CEditImgView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_scan->PickBackColourAt(event->position().toPoint())) {
        ShowMessage("EDITIMGVIEW_ONLBDCLK_STCB");
        return;
    }
    // Otherwise a double-click is a second click.
    mousePressEvent(event);
}

void CEditImgView::AnnounceCell(QPoint cell)
{
    const CLayoutDocument* document = GetLayoutDocument();
    if (!document)
        return;
    const CEditImgDoc& data = document->Data();
    HoveredCell hovered;
    hovered.cell = cell;
    m_lastCell = cell;
    if (auto index = CLampEditor::FindLamp(data, cell.x(), cell.y())) {
        const CLamp& lamp = data.lamps[*index];
        hovered.number = lamp.number;
        hovered.chain = HoveredCell::Chain{lamp.port, lamp.order};
    }
    hovered.total = static_cast<int>(data.LampCount());
    Q_EMIT HoveredCellChanged(hovered);
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
        {cmd::FileNew, "ID_FILE_NEW"},
        {cmd::OpenImage, "ID_OPEN_IMAGE"},
        {cmd::FileOpen, "ID_FILE_OPEN"},
        {0, nullptr},
        {cmd::Zoom4, "ID_EFFECT1"},
        {cmd::Zoom8, "ID_EFFECT2"},
        {cmd::Zoom12, "ID_EFFECT3"},
        {cmd::Zoom16, "ID_EFFECT4"},
        {cmd::Zoom20, "ID_EFFECT5"},
        {cmd::Zoom24, "ID_EFFECT6"},
        {cmd::Zoom28, "ID_EFFECT7"},
        {0, nullptr},
        {cmd::Scan, "ID_EDIT_SCAN"},
        {cmd::InsertLamp, "ID_EDIT_INSERT"},
        {cmd::DeleteLamp, "ID_EDIT_DELETE"},
        {cmd::ShowGrid, "ID_EDIT_GRIDDING"},
        {0, nullptr},
        {cmd::TransferData, "ID_EDIT_PLAMP"},
        {cmd::PortEdit, "ID_CPORT_EDIT"},
    };
    auto* menu = new QMenu(parent);
    for (const Entry& entry : kEntries) {
        if (!entry.id) {
            menu->addSeparator();
            continue;
        }
        // Items of their own: the shared actions keep the menu bar's texts.
        QAction* item = menu->addAction(LangText(entry.key));
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
    const QPoint at =
        event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(0, 0)) : event->globalPos();
    menu->exec(at);
}

} // namespace lumaro::gui
