#include "gui/layout/LayoutViewConnection.h"

#include "core/app/LangText.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/MainFrame.h"
#include "gui/layout/EditImgView.h"
#include "gui/widgets/StatusBarXP.h"

#include <QPointer>

namespace lumaro::gui {

namespace {

QByteArray Text(const char* key)
{
    return QString::fromStdString(GetLangText(key)).toUtf8();
}

// What the layout views of one main frame have put in its bars. A child of
// the status bar, so it and the connections through it go with the bar.
class LayoutStatus : public QObject {
public:
    explicit LayoutStatus(QObject* parent) : QObject(parent) { setObjectName(Name()); }
    static QString Name() { return QStringLiteral("LayoutStatus"); }

    int views = 0;               // connected views not yet gone
    bool cellShown = false;      // the panes show a view's cell, not their first texts
    const void* owner = nullptr; // the view whose cell they show, while it lives
};

LayoutStatus& StatusOn(CStatusBarXP& status)
{
    if (auto* state = dynamic_cast<LayoutStatus*>(
            status.findChild<QObject*>(LayoutStatus::Name(), Qt::FindDirectChildrenOnly)))
        return *state;
    return *new LayoutStatus(&status);
}

// The fields about the cell itself, as opposed to the layout.
constexpr int kCellFields[] = {CCoordinatesBar::kX, CCoordinatesBar::kY, CCoordinatesBar::kId,
                               CCoordinatesBar::kPort, CCoordinatesBar::kLamp};

// The layout's lamp count in the status pane and the coordinates bar.
void ShowTotal(CStatusBarXP& status, CCoordinatesBar& coordinates, const HoveredCell& hovered, bool inPane)
{
    if (inPane)
        status.SetPaneText(2,
                           QString(hovered.totalIndent, QLatin1Char(' ')) +
                               QString::asprintf("%s %6d ", Text("IDD103_1119").constData(), hovered.total));
    coordinates.SetField(CCoordinatesBar::kTotal, QString::asprintf("%3d", hovered.total));
}

} // namespace

void ShowHoveredCell(CStatusBarXP& status, CCoordinatesBar& coordinates, const HoveredCell& hovered)
{
    ShowTotal(status, coordinates, hovered, true);
    if (!hovered.cell) {
        for (int pane : {1, 3})
            status.SetPaneText(pane, QString());
        for (int field : kCellFields)
            coordinates.SetField(field, QString());
        return;
    }
    const QPoint cell = *hovered.cell;
    status.SetPaneText(1, QString::asprintf("  x=%6d,    y=%6d,   %s %6d", cell.x(), cell.y(),
                                            Text("IDD103_1118").constData(), hovered.number));
    coordinates.SetField(CCoordinatesBar::kX, QString::asprintf("%6d", cell.x()));
    coordinates.SetField(CCoordinatesBar::kY, QString::asprintf("%6d", cell.y()));
    coordinates.SetField(CCoordinatesBar::kId, QString::asprintf("%3d", hovered.number));
    if (!hovered.chain)
        return;
    const HoveredCell::Chain chain = *hovered.chain;
    status.SetPaneText(3, QString::asprintf("    %s %4d, %s %6d", Text("IDD103_1121").constData(), chain.port,
                                            Text("IDD103_1122").constData(), chain.order));
    coordinates.SetField(CCoordinatesBar::kPort, QString::asprintf("%3d", chain.port));
    coordinates.SetField(CCoordinatesBar::kLamp, QString::asprintf("%3d", chain.order));
}

void ShowLayoutZoom(CCoordinatesBar& coordinates, int zoom)
{
    coordinates.SetField(CCoordinatesBar::kZoom, QString::asprintf("%2d", zoom));
}

void ClearLayoutStatus(CStatusBarXP& status, CCoordinatesBar& coordinates)
{
    for (int pane : {1, 2, 3})
        status.SetPaneText(pane, QString());
    for (int field : kCellFields)
        coordinates.SetField(field, QString());
    coordinates.SetField(CCoordinatesBar::kTotal, QString());
    coordinates.SetField(CCoordinatesBar::kZoom, QString());
}

void ConnectLayoutViewToMainFrame(CEditImgView& view, CMainFrame& main)
{
    CStatusBarXP* status = main.StatusBarXP();
    const QPointer<CCoordinatesBar> coordinates = main.CoordinatesBar();
    if (!status || !coordinates)
        return;
    LayoutStatus& state = StatusOn(*status);
    ++state.views;
    // The state object is the receiver: once the bar is gone nothing is shown.
    QObject::connect(&view, &CEditImgView::HoveredCellChanged, &state,
                     [&view, &state, status, coordinates](const HoveredCell& hovered) {
                         if (!view.IsActive() || !coordinates)
                             return;
                         // Without a cell (a view just activated) only another
                         // view's cell is replaced; the first texts stay.
                         if (!hovered.cell && (!state.cellShown || state.owner == &view)) {
                             // The count is the layout's, whatever the pointer does.
                             ShowTotal(*status, *coordinates, hovered, state.cellShown);
                             return;
                         }
                         ShowHoveredCell(*status, *coordinates, hovered);
                         state.cellShown = true;
                         state.owner = &view;
                     });
    QObject::connect(&view, &CEditImgView::ZoomChanged, &state, [&view, coordinates](int zoom) {
        if (view.IsActive() && coordinates)
            ShowLayoutZoom(*coordinates, zoom);
    });
    QObject::connect(&view, &QObject::destroyed, &state,
                     [&state, gone = static_cast<const void*>(&view), status, coordinates] {
                         if (state.owner == gone)
                             state.owner = nullptr;
                         if (--state.views > 0 || !coordinates)
                             return;
                         ClearLayoutStatus(*status, *coordinates);
                         state.cellShown = false;
                     });
}

} // namespace lumaro::gui
