#include "gui/preview/ModetestView.h"

#include "core/firmware/ControllerPlay.h"
#include "core/firmware/FirmwareBuild.h"
#include "core/layout/PortTable.h"

#include "core/app/LangText.h"
#include "core/effects/EffectCompiler.h"
#include "core/effects/PickListEdit.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/preview/ModeTestCommands.h"
#include "gui/preview/ZoomDlg.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace lumaro::gui {

namespace {
// Refresh is handled here: its id 31761 is also the main frame's German
// language switch, which must not be taken over while this view is active.
constexpr int kRefreshId = 31761;

using PickRequests = CModeTestState::PickRequests;
using GroupPick = CModeTestState::GroupPick;
using ParameterPick = CModeTestState::ParameterPick;
} // namespace

CModetestView::CModetestView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    RegisterCommands();
    if (CLayoutDocument* layout = Layout()) {
        m_picture.SetLamps(layout->Data().lampPositions);
        connect(layout, &CLayoutDocument::Changed, this, [this, layout](Aspects what) {
            if (what & Aspect::LampPositions) {
                m_picture.SetLamps(layout->Data().lampPositions);
                if ((MainFrame() && MainFrame()->GetActiveView() == this))
                    AnnounceCounts();
            }
            if (what & (Aspect::Layers | Aspect::Picks))
                m_picture.Invalidate();
            if (what & (Aspect::LampPositions | Aspect::Layers | Aspect::Picks))
                update();
        });
        connect(&CModeTestState::Of(*layout), &CModeTestState::PickRequestsChanged, this,
                [this] { update(); });
    }
}

CModetestView::~CModetestView() = default;

CLayoutDocument* CModetestView::Layout() const
{
    return qobject_cast<CLayoutDocument*>(GetDocument());
}

CModeTestState* CModetestView::State() const
{
    CLayoutDocument* layout = Layout();
    return layout ? &CModeTestState::Of(*layout) : nullptr;
}

void CModetestView::ShowMessage(const char* key)
{
    if (CEditorApp* app = App())
        app->Prompts().message(app->MainFrame(), QString::fromStdString(GetLangText(key)),
                               QMessageBox::Information, QMessageBox::Ok);
}

bool CModetestView::CommandEnabled(CommandFlag flag) const
{
    CModeTestState* state = State();
    return state && state->Enabled(flag);
}

// --- commands --------------------------------------------------------------

void CModetestView::RegisterCommands()
{
    using F = CModeTestState;
    auto enabledBy = [this](CommandFlag flag) {
        return [this, flag](CCmdUI& ui) { ui.Enable(CommandEnabled(flag)); };
    };
    OnCommand(cmd::ZoomDialog, [this] { OnZoom(); });
    OnCommand(cmd::LayerEdit, [this] { OnLayerEdit(); });
    OnCommand(cmd::EditMode, [this] {
        if (openModeEditor)
            openModeEditor();
    });
    OnUpdate(cmd::EditMode, enabledBy(F::EditModeFlag));
    OnCommand(cmd::CreateData, [this] { OnCreateData(); });
    OnUpdate(cmd::CreateData, enabledBy(F::CreateDataFlag));
    const struct {
        int id;
        CPlayHandOver::PlayMode mode;
        CommandFlag flag;
    } plays[] = {{cmd::PartialPlay, CPlayHandOver::Partial, F::PartialPlayFlag},
                 {cmd::ParallelPlay, CPlayHandOver::Parallel, F::ParallelPlayFlag},
                 {cmd::SequentialPlay, CPlayHandOver::Sequential, F::SequentialPlayFlag}};
    for (const auto& play : plays) {
        OnCommand(play.id, [this, mode = play.mode] { Play(mode); });
        OnUpdate(play.id, enabledBy(play.flag));
    }
    // Create Bin File and Write To Controller are the main frame's; this
    // view only opens them once there is compiled data.
    OnUpdate(cmd::CreateBinFile, enabledBy(F::OutputDspBinFlag));
    OnUpdate(cmd::WriteToController, enabledBy(F::WriteCmosFlag));
    for (int id : {cmd::OutputTables, cmd::OutputGroupTables, cmd::OutputGetterSource})
        OnUpdate(id, enabledBy(F::ProducingDataFlag));
    // A second Transfer Data from here would open another mode test frame
    // on the same project.
    OnUpdate(cmd::TransferData, [](CCmdUI& ui) { ui.Enable(false); });
    OnCommand(cmd::FilePrintPreview, [this] { OnPrintPreview(); });
    OnCommand(cmd::HelpUsing, [this] { OnUsingHelp(); });
}

void CModetestView::OnCreateData()
{
    CLayoutDocument* layout = Layout();
    if (!layout)
        return;
    const CLayoutDocument::CompiledSnapshot& compiled = layout->CreateData();
    if (CModeTestState* state = State())
        state->DataCompiled();
    Q_EMIT Note(CompiledSummary(*compiled, layout->Data().lamps, lastFormat ? lastFormat() : 0));
}

QString CModetestView::CompiledSummary(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                                       int fileFormat)
{
    const auto chains = CControllerPlay::ReadPortTable(CPortTable::Text(lamps));
    const std::size_t longest = chains ? CControllerPlay::LongestChain(chains.value()) : 0;
    const QString frame =
        QString::fromStdString(CFirmwareBuild::FrameTimeText(CControllerPlay::FrameMs(longest), longest));
    // The capacities the build report measures against, so that a project
    // that outgrows them is told now rather than when the build fails: the
    // lamp sequences of the format chosen last, of both kinds before any.
    const QString lampCapacity = fileFormat > 0
                                     ? QString::number(CFirmwareBuild::LampSequenceCapacity(fileFormat))
                                     : QStringLiteral("%1/%2")
                                           .arg(CFirmwareBuild::LampSequenceCapacity(1))
                                           .arg(CFirmwareBuild::LampSequenceCapacity(2));
    return QString::fromStdString(GetLangText("MODETESTVIEW_ONEDITCHANGE_CD"))
               .arg(compiled.modes.size())
               .arg(compiled.lampSequenceTable.size())
               .arg(lampCapacity)
               .arg(compiled.bandTable.size())
               .arg(CFirmwareBuild::BandListCapacity())
               .arg(compiled.colourTable.size())
               .arg(CFirmwareBuild::ColourListCapacity()) +
           QStringLiteral("  ") + frame;
}

void CModetestView::Play(int playMode)
{
    CLayoutDocument* layout = Layout();
    CModeTestState* state = State();
    if (!layout || !state)
        return;
    // Its own compilation, shared with the demo: a later edit or Creat Data
    // makes a new snapshot and leaves this one as it is.
    const CLayoutDocument::CompiledSnapshot compiled = layout->CreateData();
    state->DataCompiled();
    CPlayHandOver& handOver = state->HandOver();
    handOver = CPlayHandOver();
    handOver.lamps = layout->Data().lampPositions;
    handOver.chainedLamps = layout->Data().lamps;
    handOver.compiled = compiled;
    handOver.playMode = playMode;
    if (playMode == CPlayHandOver::Partial) {
        handOver.firstSelected = state->FirstSelectedMode();
        handOver.lastSelected = state->LastSelectedMode();
    }
    if (closeModeEditor)
        closeModeEditor();
    if (CEditorApp* app = App())
        CModeTestCommands::PlayInDemo(*app, handOver);
}

void CModetestView::OnZoom()
{
    CZoomDlg dialog(Zoom(), this);
    if (ExecDialog(dialog) == QDialog::Accepted) {
        const int value = dialog.Value();
        if (value > 1 && value <= kMaxZoom)
            m_chosenZoom = value;
        else
            ShowMessage("MODETESTVIEW_ONLARGEN3_PIAN");
    }
    m_picture.Invalidate();
    if (CDocument* document = GetDocument()) {
        for (CView* view : document->Views())
            view->update();
    }
}

void CModetestView::OnLayerEdit()
{
    CEditorApp* app = App();
    CLayerDlg dialog(app ? &app->Prompts() : nullptr, this);
    CLayoutDocument* layout = Layout();
    CModeTestState* state = State();
    if (ExecDialog(dialog) == QDialog::Accepted && layout && state) {
        // A layer the project does not have changes nothing.
        if (dialog.Layer() <= static_cast<int>(layout->Data().layers.size())) {
            m_layerEdit = dialog.EditMode();
            state->SetCurrentLayer(dialog.Layer() - 1);
        }
    }
    if (layout) {
        for (CView* view : layout->Views())
            view->update();
    }
}

void CModetestView::OnPrintPreview()
{
    m_printPreview = true;
    std::optional<QPrinter> own;
    QPrinter& printer = App() ? App()->Printer() : own.emplace(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintPicture(*target); });
    ExecDialog(dialog);
    // Closing the preview gives this view back its activation.
    if (CMainFrame* main = MainFrame(); main && main->GetActiveView() == this)
        OnActivateView(true);
}

void CModetestView::PrintPicture(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // The page shows what the window shows, as large as it fits.
    const QImage& picture = RenderPicture();
    const QRect page = painter.viewport();
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setWindow(page);
    painter.drawImage(QRect(page.topLeft(), size), picture);
    painter.end();
}

void CModetestView::OnUsingHelp()
{
    CEditorApp* app = App();
    if (!app)
        return;
    const QString path = app->HelpFilePath();
    if (path.isEmpty() || !app->Prompts().openUrl(QUrl::fromLocalFile(path)))
        ShowMessage("MAINFRM_ONHELPABOUTVC_OHFF");
}

void CModetestView::OnActivateView(bool active)
{
    CMainFrame* main = MainFrame();
    if (!active || !main)
        return;
    Q_EMIT CoordinatesBarUsed(false);
    // Nothing of another window's pointer stays on show.
    m_hoverCell.reset();
    AnnounceCounts();
    if (m_printPreview)
        m_printPreview = false;
    else
        main->MainToolBar()->show();
}

// --- painting --------------------------------------------------------------

void CModetestView::PlaceLamps()
{
    m_picture.Place(size(), m_chosenZoom);
    if (CModeTestState* state = State())
        state->SetZoom(m_picture.Zoom());
}

const QImage& CModetestView::RenderPicture()
{
    PlaceLamps();
    CModeTestPicture::Highlights shown;
    CLayoutDocument* layout = Layout();
    CModeTestState* state = State();
    if (layout && state) {
        const CEditImgDoc& data = layout->Data();
        const int layer = state->CurrentLayer();
        if (layer >= 0 && layer < static_cast<int>(data.layers.size()))
            shown.layer = &data.layers[static_cast<std::size_t>(layer)];
        if (state->GroupPicking())
            shown.groupPicks = &data.picks.lamps;
        if (state->ParameterPicking())
            shown.parameterPicks = &data.picks.parameterLamps;
    }
    return m_picture.Render(shown);
}

QPoint CModetestView::CellCentre(int x, int y) const
{
    return Origin() + QPoint(x * Zoom(), y * Zoom());
}

void CModetestView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), RenderPicture(), event->rect());
    if (!m_band.isNull()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_band.adjusted(0, 0, -1, -1));
    }
    painter.end();
    if (m_relabelMenus) {
        m_relabelMenus = false;
        // After the paint: relabelling rebuilds the menu bar.
        if (CMainFrame* main = MainFrame())
            QTimer::singleShot(0, main, [main] { main->ChangeMenuLanguage(); });
    }
}

void CModetestView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    update();
}

void CModetestView::SetBand(const QRect& band)
{
    if (band == m_band)
        return;
    const QRect old = m_band;
    m_band = band;
    update(QRegion(old) + QRegion(band));
}

// --- picking ---------------------------------------------------------------

void CModetestView::Treat(const std::vector<std::uint32_t>& lamps, int mergeGroup)
{
    CLayoutDocument* layout = Layout();
    CModeTestState* state = State();
    if (!layout || !state || lamps.empty())
        return;
    const PickRequests picks = state->Picks();
    if (picks.group != GroupPick::None) {
        layout->Edit(
            QStringLiteral("Pick Lamps"), Aspect::Picks,
            [&](CEditImgDoc& data) {
                bool changed = false;
                for (std::uint32_t lamp : lamps) {
                    if (picks.group == GroupPick::Add)
                        changed |= AppendPickedLamp(data.picks.lamps, lamp);
                    else if (picks.group == GroupPick::Insert)
                        changed |= InsertPickedLamp(data.picks.lamps, data.picks.lampCursor, lamp);
                    else
                        changed |= RemovePickedLamp(data.picks.lamps, data.picks.lampCursor, lamp);
                }
                return changed;
            },
            mergeGroup);
    }
    if (picks.parameter != ParameterPick::None) {
        layout->Edit(
            QStringLiteral("Pick Lamps"), Aspect::Picks,
            [&](CEditImgDoc& data) {
                bool changed = false;
                for (std::uint32_t lamp : lamps) {
                    changed |= picks.parameter == ParameterPick::Add
                                   ? AddParameterLamp(data.picks.parameterLamps, lamp)
                                   : RemoveParameterLamp(data.picks.parameterLamps, lamp);
                }
                return changed;
            },
            mergeGroup);
    }
    if (picks.group == GroupPick::None && picks.parameter == ParameterPick::None &&
        m_layerEdit != CLayerDlg::NoEdit) {
        const std::size_t layer = static_cast<std::size_t>(state->CurrentLayer());
        layout->Edit(
            QStringLiteral("Layer Edit"), Aspect::Layers,
            [&](CEditImgDoc& data) {
                if (layer >= data.layers.size())
                    return false;
                bool changed = false;
                for (std::uint32_t lamp : lamps) {
                    changed |= m_layerEdit == CLayerDlg::AddLamps ? AddLayerLamp(data.layers[layer], lamp)
                                                                  : RemoveLayerLamp(data.layers[layer], lamp);
                }
                return changed;
            },
            mergeGroup);
    }
}

void CModetestView::TreatCellsAlong(QPoint fromCell, QPoint toCell)
{
    // Every cell the pointer crossed since the last move, so that a fast
    // drag leaves no lamp out.
    const QPoint step = toCell - fromCell;
    const int count = std::max(std::abs(step.x()), std::abs(step.y()));
    std::vector<std::uint32_t> lamps;
    for (int i = 1; i <= count; ++i) {
        const QPoint cell(fromCell.x() + static_cast<int>(std::lround(double(step.x()) * i / count)),
                          fromCell.y() + static_cast<int>(std::lround(double(step.y()) * i / count)));
        if (std::optional<std::uint32_t> lamp = m_picture.LampAt(cell);
            lamp && m_dragTreated.insert(*lamp).second)
            lamps.push_back(*lamp);
    }
    Treat(lamps, m_dragGroup);
}

void CModetestView::mousePressEvent(QMouseEvent* event)
{
    CLayoutDocument* layout = Layout();
    CModeTestState* state = State();
    const QPoint point = event->position().toPoint();
    if (!layout || !state || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        CView::mousePressEvent(event);
        return;
    }
    PlaceLamps();
    m_dragStart = point;
    if (event->button() == Qt::RightButton) {
        m_rightDrag = true;
        m_rightStart = point - Origin();
        return;
    }

    PickRequests picks = state->Picks();
    // Where the pages want points: relative to lamp cell (0,0), never negative.
    const QPoint offset(std::max(0, point.x() - Origin().x()), std::max(0, point.y() - Origin().y()));
    // A click that answers a page is not a Layer Edit click.
    if (picks != PickRequests())
        m_layerEdit = CLayerDlg::NoEdit;
    if (picks.startPoint) {
        picks.startPoint = false;
        state->SetPickRequests(picks);
        Q_EMIT state->StartPointPicked(offset);
        Q_EMIT state->ReturnToPage(CModeTestState::ParameterPage);
    }
    // The press starts a drag that is one undo step, however many lamps it paints.
    m_dragGroup = layout->NewMergeGroup();
    m_dragTreated.clear();
    m_lastCell = CellAt(point);
    if (std::optional<std::uint32_t> lamp = m_picture.LampAt(m_lastCell)) {
        m_dragTreated.insert(*lamp);
        Treat({*lamp}, m_dragGroup);
    }
    if (picks.rectangle)
        SetBand(QRect(point, QSize(1, 1)));
    if (picks.circleCentre) {
        picks.circleCentre = false;
        state->SetPickRequests(picks);
        Q_EMIT state->CircleCentrePicked(offset);
    }
    m_leftDrag = true;
}

void CModetestView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint cell = CellAt(point);
    AnnounceCell(cell);
    const QRect dragged(QPoint(std::min(point.x(), m_dragStart.x()), std::min(point.y(), m_dragStart.y())),
                        QPoint(std::max(point.x(), m_dragStart.x()), std::max(point.y(), m_dragStart.y())));
    if (m_leftDrag) {
        TreatCellsAlong(m_lastCell, cell);
        m_lastCell = cell;
        CModeTestState* state = State();
        if (state && state->Picks().rectangle)
            SetBand(dragged);
    }
    if (m_rightDrag)
        SetBand(dragged);
}

void CModetestView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton && m_rightDrag) {
        EndRightDrag(point);
        return;
    }
    if (event->button() != Qt::LeftButton || !m_leftDrag) {
        CView::mouseReleaseEvent(event);
        return;
    }
    m_leftDrag = false;
    m_dragGroup = 0;
    m_dragTreated.clear();
    SetBand(QRect());
    CModeTestState* state = State();
    if (!state || !state->Picks().rectangle)
        return;
    // Dragged either way, the same area: normalised, from lamp cell (0,0),
    // never negative.
    const QPoint origin = Origin();
    auto clamp = [](int v) { return std::max(0, v); };
    const QRect area(QPoint(clamp(std::min(m_dragStart.x(), point.x()) - origin.x()),
                            clamp(std::min(m_dragStart.y(), point.y()) - origin.y())),
                     QPoint(clamp(std::max(m_dragStart.x(), point.x()) - origin.x()),
                            clamp(std::max(m_dragStart.y(), point.y()) - origin.y())));
    PickRequests picks = state->Picks();
    picks.rectangle = false;
    state->SetPickRequests(picks);
    update();
    Q_EMIT state->AreaPicked(area);
    Q_EMIT state->ReturnToPage(CModeTestState::ParameterPage);
}

void CModetestView::EndRightDrag(QPoint point)
{
    m_rightDrag = false;
    SetBand(QRect());
    // Every cell of the rectangle, row by row, as a click of the running pick.
    const QPoint a = m_picture.CellAtOffset(m_rightStart);
    const QPoint b = m_picture.CellAtOffset(point - Origin());
    const int last = CModeTestPicture::kGridCells - 1;
    const int left = std::max(0, std::min(a.x(), b.x())), right = std::min(last, std::max(a.x(), b.x()));
    const int top = std::max(0, std::min(a.y(), b.y())), bottom = std::min(last, std::max(a.y(), b.y()));
    std::vector<std::uint32_t> lamps;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (std::optional<std::uint32_t> lamp = m_picture.LampAt(QPoint(x, y)))
                lamps.push_back(*lamp);
        }
    }
    if (CLayoutDocument* layout = Layout())
        Treat(lamps, layout->NewMergeGroup());
    // A right click, not a drag, also opens the context menu.
    if ((point - m_dragStart).manhattanLength() < QApplication::startDragDistance())
        ShowContextMenu(mapToGlobal(point));
}

void CModetestView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (CModeTestState* state = State()) {
        PickRequests picks = state->Picks();
        const bool group = picks.group != GroupPick::None;
        const bool parameter = picks.parameter != ParameterPick::None;
        picks.group = GroupPick::None;
        picks.parameter = ParameterPick::None;
        state->SetPickRequests(picks);
        if (group)
            Q_EMIT state->ReturnToPage(CModeTestState::GroupListPage);
        if (parameter)
            Q_EMIT state->ReturnToPage(CModeTestState::ParameterPage);
    }
    m_layerEdit = CLayerDlg::NoEdit;
}

void CModetestView::changeEvent(QEvent* event)
{
    CView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && (MainFrame() && MainFrame()->GetActiveView() == this))
        AnnounceCounts();
}

void CModetestView::AnnounceCounts()
{
    if (m_hoverCell) {
        AnnounceCell(*m_hoverCell);
        return;
    }
    // The zoom the window shows now, not the one before its first paint.
    PlaceLamps();
    Q_EMIT ZoomChanged(Zoom());
    Q_EMIT HoveredCellChanged(Hovered(std::nullopt));
}

HoveredCell CModetestView::Hovered(std::optional<QPoint> cell) const
{
    HoveredCell hovered;
    hovered.cell = cell;
    if (cell) {
        if (const std::optional<std::uint32_t> lamp = m_picture.LampAt(*cell))
            hovered.number = static_cast<int>(*lamp);
    }
    hovered.chain.reset(); // this view shows no chains
    hovered.total = m_picture.LampCount();
    hovered.totalIndent = 10;
    return hovered;
}

void CModetestView::AnnounceCell(QPoint cell)
{
    m_hoverCell = cell;
    Q_EMIT ZoomChanged(Zoom());
    Q_EMIT HoveredCellChanged(Hovered(cell));
}

// --- context menu ------------------------------------------------------------

std::array<int, 12> CModetestView::ContextMenuIds()
{
    return {cmd::ZoomDialog,  cmd::EditMode,      cmd::CreateData,        0,
            cmd::PartialPlay, cmd::ParallelPlay,  cmd::SequentialPlay,    0,
            kRefreshId,       cmd::CreateBinFile, cmd::WriteToController, cmd::FileSaveAs};
}

void CModetestView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    // The mouse's menu opens on the right button's release (see there).
    if (event->reason() != QContextMenuEvent::Keyboard)
        return;
    ShowContextMenu(mapToGlobal(QPoint(5, 5)));
}

void CModetestView::ShowContextMenu(const QPoint& at)
{
    // Right clicks belong to the group list page while it picks lamps.
    if (CModeTestState* state = State(); state && state->GroupPicking())
        return;
    struct Item {
        int id;
        const char* key; // the text comes from the language file only
    };
    static const Item items[] = {
        {cmd::ZoomDialog, "ID_LARGEN3"},          {cmd::EditMode, "ID_PAGESHOW"},
        {cmd::CreateData, "ID_EDIT_CHANGE"},      {cmd::PartialPlay, "ID_OUT_LIST3"},
        {cmd::ParallelPlay, "ID_OUT_LIST"},       {cmd::SequentialPlay, "ID_OUT_LIST2"},
        {kRefreshId, "ID_MODETESTVIEW_REFRESH"},  {cmd::CreateBinFile, "ID_OUT_TEXT4"},
        {cmd::WriteToController, "ID_OUT_TEXT5"}, {cmd::FileSaveAs, "ID_FILE_SAVE_AS"},
    };
    CCommandRegistry* registry = App() ? &App()->Registry() : nullptr;

    QMenu menu(window());
    for (int id : ContextMenuIds()) {
        if (id == 0) {
            menu.addSeparator();
            continue;
        }
        const Item* item =
            std::find_if(std::begin(items), std::end(items), [id](const Item& i) { return i.id == id; });
        QAction* action = menu.addAction(QString::fromStdString(lumaro::GetLangText(item->key)));
        if (id == kRefreshId) {
            connect(action, &QAction::triggered, this, [this] {
                m_picture.Invalidate();
                update();
            });
        } else if (registry) {
            action->setEnabled(registry->Query(id).Enabled().value_or(true));
            connect(action, &QAction::triggered, this, [registry, id] { registry->Dispatch(id); });
        } else {
            action->setEnabled(false);
        }
    }
    menu.exec(at);
}

} // namespace lumaro::gui
