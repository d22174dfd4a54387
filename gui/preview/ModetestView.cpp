#include "gui/preview/ModetestView.h"

#include "core/app/LangText.h"
#include "core/effects/EffectCompiler.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/layout/LayoutDocument.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace lumaro::gui {

namespace {
// The firmware's table sizes.
constexpr int kMaxLampSequences = 511;
constexpr int kMaxBandLists = 61;
constexpr int kMaxColourLists = 101;
} // namespace

CModetestView::CModetestView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    using F = CModeTestState;
    OnCommand(cmd::CreateData, [this] { OnCreateData(); });
    OnUpdate(cmd::CreateData, [this](CCmdUI& ui) { ui.Enable(CommandEnabled(F::CreateDataFlag)); });
    // Create Bin File and Write To Controller are the main frame's; this
    // view only opens them once there is compiled data.
    OnUpdate(cmd::CreateBinFile, [this](CCmdUI& ui) { ui.Enable(CommandEnabled(F::OutputDspBinFlag)); });
    OnUpdate(cmd::WriteToController, [this](CCmdUI& ui) { ui.Enable(CommandEnabled(F::WriteCmosFlag)); });
    for (int id : {cmd::OutputTables, cmd::OutputGroupTables, cmd::OutputGetterSource})
        OnUpdate(id, [this](CCmdUI& ui) { ui.Enable(CommandEnabled(F::ProducingDataFlag)); });
    // A second Transfer Data from here would open another mode test frame
    // on the same project.
    OnUpdate(cmd::TransferData, [](CCmdUI& ui) { ui.Enable(false); });
    if (auto* layout = qobject_cast<CLayoutDocument*>(document)) {
        connect(layout, &CLayoutDocument::Changed, this, [this](Aspects what) {
            if (what & (Aspect::LampPositions | Aspect::Compiled))
                update();
        });
    }
}

CModeTestState* CModetestView::State() const
{
    auto* layout = qobject_cast<CLayoutDocument*>(GetDocument());
    return layout ? &CModeTestState::Of(*layout) : nullptr;
}

bool CModetestView::CommandEnabled(CommandFlag flag) const
{
    CModeTestState* state = State();
    return state && state->Enabled(flag);
}

void CModetestView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    auto* document = qobject_cast<CLayoutDocument*>(GetDocument());
    if (!document || document->Data().lampPositions.empty())
        return;
    // The handed-over lamps, fitted to the client and centred.
    const std::vector<CLamp>& lamps = document->Data().lampPositions;
    const CRect bounds = LampBounds(lamps);
    const int minX = bounds.left, maxX = bounds.right, minY = bounds.top, maxY = bounds.bottom;
    const int dx = maxX - minX, dy = maxY - minY;
    int zoom = 1;
    if (dx <= dy && dy > 0)
        zoom = height() / dy;
    else if (dx > dy)
        zoom = width() / dx;
    zoom = std::clamp(zoom, 1, 20);
    const int originX = (width() - (maxX + minX) * zoom) / 2;
    const int originY = (height() - (maxY + minY) * zoom) / 2;
    const double corner = static_cast<int>(zoom * 0.9) / 2.0;
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(QColor(58, 110, 165));
    for (const CLamp& lamp : lamps) {
        painter.drawRoundedRect(QRect(originX + lamp.x * zoom - zoom / 2, originY + lamp.y * zoom - zoom / 2,
                                      zoom, zoom),
                                corner, corner);
    }
}

void CModetestView::OnCreateData()
{
    auto* layout = dynamic_cast<CLayoutDocument*>(GetDocument());
    if (!layout)
        return;
    const CLayoutDocument::CompiledSnapshot& compiled = layout->CreateData();
    if (CModeTestState* state = State())
        state->DataCompiled();
    Q_EMIT Note(CompiledSummary(*compiled));
}

QString CModetestView::CompiledSummary(const CCompiledEffects& compiled)
{
    // The controller's firmware tables hold at most this many entries; a
    // project that outgrows them is told now rather than when the build fails.
    return QString::fromStdString(GetLangText("MODETESTVIEW_ONEDITCHANGE_CD"))
        .arg(compiled.modes.size())
        .arg(compiled.lampSequenceTable.size())
        .arg(kMaxLampSequences)
        .arg(compiled.bandTable.size())
        .arg(kMaxBandLists)
        .arg(compiled.colourTable.size())
        .arg(kMaxColourLists);
}

namespace {

// Refresh is handled here: its id 31761 is also the main frame's German
// language switch, which must not be taken over while this view is active.
constexpr int kRefreshId = 31761;

} // namespace

std::array<int, 12> CModetestView::ContextMenuIds()
{
    return {cmd::ZoomDialog, cmd::EditMode, cmd::CreateData, 0, cmd::PartialPlay, cmd::ParallelPlay, cmd::SequentialPlay, 0,
            kRefreshId, cmd::CreateBinFile, cmd::WriteToController, cmd::FileSaveAs};
}

void CModetestView::contextMenuEvent(QContextMenuEvent* event)
{
    struct Item {
        int id;
        const char* key;
        const char* english;
    };
    static const Item items[] = {
        {cmd::ZoomDialog, "ID_LARGEN3", "Zoom In/Out(&W)\tCtrl+W"},
        {cmd::EditMode, "ID_PAGESHOW", "Edit Mode(&E)\tCtrl+E"},
        {cmd::CreateData, "ID_EDIT_CHANGE", "Creat Data(&D)\tCtrl+D"},
        {cmd::PartialPlay, "ID_OUT_LIST3", "Partial Play(&Q)\tCtrl+Q"},
        {cmd::ParallelPlay, "ID_OUT_LIST", "Parallel Play(&F)\tCtrl+F"},
        {cmd::SequentialPlay, "ID_OUT_LIST2", "Sequential Play(&G)\tCtrl+G"},
        {kRefreshId, "ID_MODETESTVIEW_REFRESH", "Refresh(&R)"},
        {cmd::CreateBinFile, "ID_OUT_TEXT4", "OutPut DSP.BIN(&T)\tCtrl+T"},
        {cmd::WriteToController, "ID_OUT_TEXT5", "Write CMOS(&Y)\tCtrl+Y"},
        {cmd::FileSaveAs, "ID_FILE_SAVE_AS", "Save As(&A)..."},
    };
    CCommandRegistry* registry = nullptr;
    if (GetDocument() && GetDocument()->GetDocTemplate())
        registry = &GetDocument()->GetDocTemplate()->App().Registry();

    QMenu menu(window());
    for (int id : ContextMenuIds()) {
        if (id == 0) {
            menu.addSeparator();
            continue;
        }
        const Item* item = std::find_if(std::begin(items), std::end(items), [id](const Item& i) { return i.id == id; });
        std::string text = lumaro::GetLangText(item->key);
        QAction* action = menu.addAction(QString::fromStdString(text.empty() ? item->english : text));
        if (id == kRefreshId) {
            connect(action, &QAction::triggered, this, [this] { update(); });
        } else if (registry) {
            action->setEnabled(registry->Query(id).Enabled().value_or(true));
            connect(action, &QAction::triggered, this, [registry, id] { registry->Dispatch(id); });
        } else {
            action->setEnabled(false);
        }
    }
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5))
                                                                    : event->globalPos();
    menu.exec(at);
}

} // namespace lumaro::gui
