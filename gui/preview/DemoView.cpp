#include "gui/preview/DemoView.h"

#include "core/app/FileSystem.h"
#include "core/app/LangText.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoMovie.h"
#include "core/preview/DemoTrace.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/FilePath.h"
#include "gui/app/MainFrame.h"
#include "gui/app/MessageText.h"
#include "gui/app/Prompts.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/ExportPreviewDlg.h"
#include "gui/preview/ZoomDlg.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace lumaro::gui {

namespace {

// Beyond this a scaled picture only covers the window anyway.
constexpr double kMaxPictureSide = 1.0e6;

} // namespace

CDemoView::CDemoView(CDocument* document)
    : CView(document), m_canvas(this), m_player(m_canvas, m_clock, *this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    RegisterCommands();
    if (CDemoDoc* demo = Document()) {
        connect(demo, &CDemoDoc::HandOverChanged, this, [this] {
            m_demoZoom = 0;
            update();
        });
        connect(demo, &CDemoDoc::StartRequested, this, [this] { OnStartRequested(); });
        connect(demo, &CDemoDoc::PictureChanged, this, qOverload<>(&QWidget::update));
    }
    connect(&m_controller, &CControllerPlayer::FrameDue, this, [this](std::size_t index) {
        DrawControllerFrame(index, false);
        update();
    });
    connect(&m_controller, &CControllerPlayer::StateChanged, this, qOverload<>(&QWidget::update));
    connect(&m_controller, &CControllerPlayer::Failed, this, &CDemoView::OnControllerFailed);
}

CDemoView::~CDemoView()
{
    // Every mode thread ends here, before the canvas and the play data go.
    m_player.Stop();
}

CDemoDoc* CDemoView::Document() const
{
    return qobject_cast<CDemoDoc*>(GetDocument());
}

// --- commands --------------------------------------------------------------

void CDemoView::RegisterCommands()
{
    OnCommand(cmd::DemoScale, [this] { OnDemoScale(); });
    OnCommand(cmd::DemoRect, [this] {
        if (CDemoDoc* demo = Document())
            demo->SetShape(DemoShape::Rectangle);
        m_canvas.SetShape(DemoShape::Rectangle);
    });
    OnCommand(cmd::DemoCircle, [this] {
        if (CDemoDoc* demo = Document())
            demo->SetShape(DemoShape::RoundedSquare);
        m_canvas.SetShape(DemoShape::RoundedSquare);
    });
    OnUpdate(cmd::DemoRect,
             [this](CCmdUI& ui) { ui.SetCheck(Document() && Document()->Shape() == DemoShape::Rectangle); });
    OnUpdate(cmd::DemoCircle, [this](CCmdUI& ui) {
        ui.SetCheck(Document() && Document()->Shape() == DemoShape::RoundedSquare);
    });

    const std::pair<int, PictureCommand> pictureCommands[] = {
        {cmd::OpenBackImage, OpenImageFlag},    {cmd::BmpAdjustBig, AdjustBigFlag},
        {cmd::BmpAdjustSmall, AdjustSmallFlag}, {cmd::WidenBmp, WidenFlag},
        {cmd::MinishBmp, MinishFlag},           {cmd::MoveBmp, MoveFlag},
        {cmd::SavePlacement, SaveCodeFlag},     {cmd::LoadPlacement, OpenCodeFlag}};
    for (auto [id, flag] : pictureCommands)
        OnUpdate(id, [this, flag = flag](CCmdUI& ui) { ui.Enable(m_flags[flag]); });
    OnCommand(cmd::OpenBackImage, [this] { OnOpenBackImage(); });
    auto picture = [this]() -> CDemoDoc::Picture* {
        CDemoDoc* demo = Document();
        return demo ? &demo->BackPicture() : nullptr;
    };
    OnCommand(cmd::BmpAdjustBig, [picture] {
        if (auto* p = picture())
            p->step = 0.5;
    });
    OnCommand(cmd::BmpAdjustSmall, [picture] {
        if (auto* p = picture())
            p->step = 0.01;
    });
    // One way of editing at a time: widen and minish together would undo
    // each other on every click.
    auto mode = [picture](bool CDemoDoc::Picture::*chosen) {
        return [picture, chosen] {
            if (auto* p = picture()) {
                p->widenMode = p->minishMode = p->moveMode = false;
                p->*chosen = true;
            }
        };
    };
    OnCommand(cmd::WidenBmp, mode(&CDemoDoc::Picture::widenMode));
    OnCommand(cmd::MinishBmp, mode(&CDemoDoc::Picture::minishMode));
    OnCommand(cmd::MoveBmp, mode(&CDemoDoc::Picture::moveMode));
    OnCommand(cmd::StartDemo, [this] {
        if (CDemoDoc* demo = Document())
            demo->Start();
    });
    OnCommand(cmd::HelpWhatsNew, [this] {
        if (CMainFrame* main = MainFrame())
            main->OpenHelpDocument("WHATNEW_PATH", "DEMOVIEW_ONHELPWHATSNEW_OWN");
    });
    OnCommand(cmd::ExportPreview, [this] { OnExportPreview(); });
    OnCommand(cmd::ControllerPlay, [this] { OnControllerPlay(); });
    OnUpdate(cmd::ControllerPlay, [this](CCmdUI& ui) {
        const CDemoDoc* demo = Document();
        ui.Enable(demo && demo->HandOver().compiled);
        ui.SetCheck(m_controller.Current() != CControllerPlayer::State::Idle);
    });
}

void CDemoView::OnDemoScale()
{
    CDemoDoc* demo = Document();
    if (!demo)
        return;
    if (m_demoZoom == 0) {
        const QSize client = demo->ClientSize().isValid() ? demo->ClientSize() : size();
        m_demoZoom = CDemoGeometry::FitZoom(demo->HandOver().lamps, client.width(), client.height());
    }
    CZoomDlg dialog(m_demoZoom, window());
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_demoZoom = dialog.Value();
    demo->SetCellSize(m_demoZoom);
    // A placed picture follows the new zoom.
    if (demo->Placement().state == 1)
        demo->Placement().state = 2;
    update();
}

void CDemoView::OnOpenBackImage()
{
    CDemoDoc* demo = Document();
    CEditorApp* app = App();
    if (!demo || !app)
        return;
    const QString path =
        app->Prompts().openFileName(app->MainFrame(), QStringLiteral("bitmap Files(*.bmp);;All Files(*.*)"));
    if (!path.isEmpty()) {
        app->SetCurrentDirectoryFromFile(path);
        demo->BackPicture().path = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
        std::fill(m_flags.begin() + 1, m_flags.end(), true);
    }
    demo->BackPicture().shown = true;
    demo->BackPicture().lampsShown = true;
    update();
}

void CDemoView::OnStartRequested()
{
    m_player.Stop();
    m_controller.Stop();
    m_controllerDrawn = CControllerPlayer::kNoFrame;
    m_flags.fill(false);
    m_modeShown = false;
    m_currentMode = -1;
    ++m_frameGeneration; // the lamps drawn so far go with the old play
    update();
}

// --- paint -------------------------------------------------------------------

void CDemoView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    CDemoDoc* demo = Document();
    if (!demo) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const bool first = m_paintCount == 0;
    if (first)
        demo->SetClientSize(size());
    PlaceLamps();
    ++m_paintCount;
    demo->SetCellSize(m_demoZoom);

    CPlacement& placement = demo->Placement();
    if (placement.state == 2) {
        const QSize client = demo->ClientSize();
        demo->BackPicture().spot =
            placement.SpotAt(demo->CellSize(), client.width() / 2, client.height() / 2);
        placement.state = 1;
    }
    const bool rebuilt = RebuildFrameIfChanged();
    if (m_controller.Current() == CControllerPlayer::State::Playing &&
        (rebuilt || m_controllerDrawn == CControllerPlayer::kNoFrame))
        DrawControllerFrame(m_controller.ShownFrame(), true);
    PlayIfDue();
    m_canvas.PaintOn(painter);
    if (m_controller.Current() != CControllerPlayer::State::Idle)
        DrawControllerCaption(painter);
    else
        DrawCaption(painter);
}

void CDemoView::PlaceLamps()
{
    CDemoDoc* demo = Document();
    const QSize client = demo->ClientSize();
    const std::vector<CLamp>& lamps = demo->HandOver().lamps;
    if (m_demoZoom == 0 || m_paintCount == 0)
        m_demoZoom = CDemoGeometry::FitZoom(lamps, client.width(), client.height());
    // A zoom entered in Demo Scale takes effect within the painting's limit.
    m_demoZoom = std::clamp(m_demoZoom, 1, CDemoGeometry::kMaxZoom);
    m_geometry = CDemoGeometry::Centre(lamps, m_demoZoom, client.width(), client.height());
}

bool CDemoView::RebuildFrameIfChanged()
{
    CDemoDoc* demo = Document();
    const CDemoDoc::Picture& picture = demo->BackPicture();
    const FrameKey key{size(),        m_geometry,         picture.path,     picture.spot,
                       picture.shown, picture.lampsShown, m_frameGeneration};
    if (key == m_frameKey)
        return false;
    m_frameKey = key;
    m_canvas.Reset(Background(picture.shown && picture.lampsShown), demo->HandOver().lamps, m_geometry);
    return true;
}

QImage CDemoView::Background(bool withLamps) const
{
    const CDemoDoc* demo = Document();
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::black);
    DrawPicture(image, demo->BackPicture().spot);
    if (withLamps) {
        const DemoPixels pixels = PixelsOf(image);
        for (const CLamp& lamp : demo->HandOver().lamps)
            PaintDemoCell(pixels, m_geometry.CellOf(lamp), {255, 0, 0}, DemoShape::RoundedSquare,
                          m_geometry.CornerEllipse());
    }
    return image;
}

void CDemoView::PlayIfDue()
{
    CDemoDoc* demo = Document();
    if (demo->BackPicture().shown)
        return;
    switch (demo->PlayMode()) {
    case CDemoDoc::PlaySequential:
        demo->SetPlayMode(CDemoDoc::Idle);
        StartPlayer(DemoOrder::Sequential);
        break;
    case CDemoDoc::PlayParallel:
    case CDemoDoc::Replay:
        demo->SetPlayMode(CDemoDoc::Playing);
        StartPlayer(DemoOrder::Parallel);
        break;
    case CDemoDoc::PlayPartial:
        demo->SetPlayMode(CDemoDoc::Idle);
        StartPlayer(DemoOrder::Partial);
        break;
    default:
        break;
    }
}

void CDemoView::StartPlayer(DemoOrder order)
{
    CDemoDoc* demo = Document();
    CDemoPlayer::Play play;
    play.modes = demo->Modes();
    play.tables = demo->HandOver().compiled;
    play.lamps = demo->HandOver().lamps;
    play.order = order;
    play.first = demo->HandOver().firstSelected;
    play.last = demo->HandOver().lastSelected;
    play.shape = demo->Shape();
    m_canvas.SetShape(play.shape);
    m_order = order;
    m_modeShown = false;
    m_player.Start(std::move(play));
}

void CDemoView::DrawCaption(QPainter& painter)
{
    CDemoDoc* demo = Document();
    if (!m_modeShown || m_order == DemoOrder::Sequential || m_currentMode < 0 ||
        static_cast<std::size_t>(m_currentMode) >= demo->Modes().size())
        return;
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    const int x = rect().right() - 160;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    painter.drawText(QRect(x, rect().top() + 10, 160, 20), flags,
                     QString::asprintf("Program Group %d [%d]", demo->ProgramGroup(),
                                       static_cast<int>(demo->Modes().size())));
    painter.drawText(QRect(x, rect().top() + 30, 160, 20), flags, QString(33, QLatin1Char(' ')));
    painter.drawText(QRect(x, rect().top() + 30, 160, 20), flags,
                     QString::fromStdString(demo->Modes()[static_cast<std::size_t>(m_currentMode)].name));
}

// --- the play's reports (worker threads) -----------------------------------------

void CDemoView::ModeStarted(std::int32_t index)
{
    QMetaObject::invokeMethod(
        this,
        [this, index] {
            CDemoDoc* demo = Document();
            if (!demo || index < 0 || static_cast<std::size_t>(index) >= demo->Modes().size())
                return;
            m_currentMode = index;
            m_modeShown = true;
            if (m_order == DemoOrder::Sequential) {
                const CModeItem& mode = demo->Modes()[static_cast<std::size_t>(index)];
                Q_EMIT SequentialModeShown(QString::fromStdString(mode.type), mode.layer);
            }
            update();
        },
        Qt::QueuedConnection);
}

void CDemoView::RestartRequested(std::uint64_t generation)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            CDemoDoc* demo = Document();
            if (!demo || demo->PlayMode() != CDemoDoc::Playing || generation != m_player.Generation())
                return;
            ++m_frameGeneration;
            RebuildFrameIfChanged();
            m_player.Restart(generation);
            update();
        },
        Qt::QueuedConnection);
}

// --- mouse, activation, context menu ---------------------------------------------

void CDemoView::DisableCoordinatesBar()
{
    Q_EMIT CoordinatesBarUsed(false);
}

void CDemoView::mousePressEvent(QMouseEvent* event)
{
    CDemoDoc* demo = Document();
    if (!demo || event->button() != Qt::LeftButton || !demo->BackPicture().shown)
        return;
    CDemoDoc::Picture& picture = demo->BackPicture();
    picture.press = event->position().toPoint();
    if (picture.widenMode) {
        picture.spot.scale += picture.step;
        update();
    }
    if (picture.minishMode && picture.spot.scale > 0.1) {
        // A step larger than what is left ends at 0, never below.
        picture.spot.scale = std::max(0.0, picture.spot.scale - picture.step);
        update();
    }
}

void CDemoView::mouseReleaseEvent(QMouseEvent* event)
{
    CDemoDoc* demo = Document();
    if (!demo || event->button() != Qt::LeftButton || !demo->BackPicture().shown)
        return;
    CDemoDoc::Picture& picture = demo->BackPicture();
    if (picture.moveMode) {
        const QPoint moved = event->position().toPoint() - picture.press;
        picture.spot.x += moved.x();
        picture.spot.y += moved.y();
        update();
    }
}

void CDemoView::mouseMoveEvent(QMouseEvent* event)
{
    Q_UNUSED(event);
    DisableCoordinatesBar();
}

void CDemoView::OnActivateView(bool active)
{
    if (active)
        DisableCoordinatesBar();
}

void CDemoView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    ShowContextMenu(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5))
                                                                   : event->globalPos());
}

void CDemoView::ShowContextMenu(const QPoint& at)
{
    CEditorApp* app = App();
    CCommandRegistry* registry = app ? &app->Registry() : nullptr;
    QMenu menu(window());
    // Texts from the language file only, as the menus of the other windows.
    auto add = [&](QMenu& into, int id, const char* key) {
        QAction* action = into.addAction(LangText(key));
        if (!registry) {
            action->setEnabled(false);
            return;
        }
        const CCmdUI state = registry->Query(id);
        action->setEnabled(state.Enabled().value_or(true));
        if (state.Checked()) {
            action->setCheckable(true);
            action->setChecked(*state.Checked());
        }
        connect(action, &QAction::triggered, this, [registry, id] { registry->Dispatch(id); });
    };
    add(menu, cmd::DemoScale, "ID_EDIT_SIZE");
    QMenu* groups = menu.addMenu(LangText("ID_EDIT_PGROUP"));
    for (int g = 0; g < CDemoDoc::kProgramGroups; ++g) {
        const QByteArray key = "ID_PRG_" + QByteArray::number(g);
        add(*groups, cmd::ProgramGroup(g), key.constData());
    }
    menu.addSeparator();
    add(menu, cmd::OpenBackImage, "ID_EDITBACKIMAGE");
    add(menu, cmd::BmpAdjustBig, "ID_EDIT_WIDE");
    add(menu, cmd::BmpAdjustSmall, "ID_EDIT_THIN");
    add(menu, cmd::WidenBmp, "ID_ADDBMP");
    add(menu, cmd::MinishBmp, "ID_REDUCEBMP");
    add(menu, cmd::MoveBmp, "ID_MOVEBMP");
    add(menu, cmd::SavePlacement, "ID_SAVE_CODE");
    add(menu, cmd::LoadPlacement, "ID_OPEN_CODE");
    menu.addSeparator();
    add(menu, cmd::StartDemo, "ID_EDITDO");
    add(menu, cmd::DemoStop, "ID_DEMO_STOP");
    add(menu, cmd::ControllerPlay, "ID_DEMO_CONTROLLER_PLAY");
    menu.addSeparator();
    add(menu, cmd::ExportPreview, "ID_EXPORT_PREVIEW");
    menu.exec(at);
}

// --- controller play ---------------------------------------------------------------

void CDemoView::OnControllerPlay()
{
    CDemoDoc* demo = Document();
    CEditorApp* app = App();
    if (!demo || !app || !demo->HandOver().compiled)
        return;
    // The painters make way, as for Start: the window shows what the controller shows.
    OnStartRequested();
    demo->SetPlayMode(CDemoDoc::Idle);
    demo->BackPicture().shown = false;
    const Status started = m_controller.Start(*demo->HandOver().compiled, demo->HandOver().chainedLamps,
                                              demo->ProgramGroup(), app->DataFolder() / "sys");
    update();
    if (!started)
        OnControllerFailed(started);
}

void CDemoView::OnControllerFailed(const Status& failure)
{
    update();
    CEditorApp* app = App();
    if (!app)
        return;
    QString text = LangTextWith(failure.key, failure.args);
    // What the compiler or the simulator said last, for the one who asks why.
    QStringList lines = QString::fromStdString(failure.detail).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() > 6)
        lines = lines.mid(lines.size() - 6);
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')).trimmed();
    app->Prompts().message(app->MainFrame(), text, QMessageBox::Warning, QMessageBox::Ok);
}

void CDemoView::DrawControllerFrame(std::size_t index, bool whole)
{
    const auto& frames = m_controller.Frames();
    if (index >= frames.size())
        return;
    const std::vector<DemoRgb>& now = frames[index].lamps;
    const std::vector<DemoRgb>* before =
        !whole && m_controllerDrawn < frames.size() ? &frames[m_controllerDrawn].lamps : nullptr;
    const DemoShape shape = Document()->Shape();
    m_canvas.SetShape(shape);
    for (std::size_t lamp = 0; lamp < now.size(); ++lamp)
        if (!before || lamp >= before->size() || !((*before)[lamp] == now[lamp]))
            m_canvas.DrawLamp(static_cast<std::int32_t>(lamp), now[lamp], shape);
    m_controllerDrawn = index;
}

void CDemoView::DrawControllerCaption(QPainter& painter)
{
    const QString group = LangText(("ID_PRG_" + std::to_string(m_controller.Group())).c_str());
    QString state;
    switch (m_controller.Current()) {
    case CControllerPlayer::State::Building:
        state = LangText("ID_MSG_DEMO_CPLAY_BUILDING");
        break;
    case CControllerPlayer::State::Simulating:
        state = LangTextWith("ID_MSG_DEMO_CPLAY_SIMULATING",
                             {QString::number(m_controller.Seconds(), 'f', 1).toStdString()});
        break;
    default:
        state = LangTextWith("ID_MSG_DEMO_CPLAY_PLAYING",
                             {QString::number(m_controller.PlayedMs() / 1000, 'f', 1).toStdString(),
                              QString::number(m_controller.Seconds(), 'f', 1).toStdString(),
                              QString::number(m_controller.FrameMs(), 'f', 1).toStdString()});
        break;
    }
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    const int width = std::max(painter.fontMetrics().horizontalAdvance(state), 160) + 10;
    const int x = rect().right() - width;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    painter.drawText(QRect(x, rect().top() + 10, width, 20), flags,
                     LangText("ID_DEMO_CONTROLLER_PLAY") + QStringLiteral(" - ") + group);
    painter.drawText(QRect(x, rect().top() + 30, width, 20), flags, state);
}

// --- export ----------------------------------------------------------------------

CDemoView::PreviewJob CDemoView::PreviewJobFor(std::int64_t durationMs, QSize size, int framesPerSecond,
                                               DemoMovieFormat format) const
{
    const CDemoDoc* demo = Document();
    PreviewJob job;
    if (!demo)
        return job;
    switch (demo->StartPlayMode()) {
    case CDemoDoc::PlaySequential:
        job.trace.order = DemoOrder::Sequential;
        break;
    case CDemoDoc::PlayPartial:
        job.trace.order = DemoOrder::Partial;
        break;
    default:
        job.trace.order = DemoOrder::Parallel;
        break;
    }
    job.trace.first = demo->HandOver().firstSelected;
    job.trace.last = demo->HandOver().lastSelected;
    job.trace.durationMs = durationMs;
    job.trace.shape = demo->Shape();
    job.modes = demo->Modes();
    job.tables =
        demo->HandOver().compiled ? demo->HandOver().compiled : std::make_shared<const CCompiledEffects>();
    job.lamps = demo->HandOver().lamps;

    job.movie.geometry = m_geometry;
    QImage background;
    if (size.isEmpty()) {
        background = Background(false);
        // 4:2:0 wants even sides: a video of the window leaves out an odd
        // last column or row rather than refusing the window.
        if (format != DemoMovieFormat::Gif)
            background = background.copy(0, 0, background.width() & ~1, background.height() & ~1);
    } else {
        // A chosen size is not the window's shape: fit both ways, so no lamp is cut off.
        job.movie.geometry = CDemoGeometry::Centre(
            job.lamps, CDemoGeometry::FitWholeZoom(job.lamps, size.width(), size.height()), size.width(),
            size.height());
        background = ExportBackground(size, job.movie.geometry);
    }
    job.background = CDemoFrame(background.width(), background.height());
    for (int y = 0; y < background.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(background.constScanLine(y));
        std::copy(row, row + background.width(),
                  job.background.pixels.begin() + static_cast<std::ptrdiff_t>(y) * background.width());
    }
    job.movie.shape = job.trace.shape;
    job.movie.durationMs = durationMs;
    job.movie.framesPerSecond = framesPerSecond;
    return job;
}

QImage CDemoView::ExportBackground(QSize size, const CDemoGeometry& fitted) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    DrawPicture(image, SpotOver(Document()->BackPicture().spot, m_geometry, fitted));
    return image;
}

void CDemoView::DrawPicture(QImage& image, const CPictureSpot& spot) const
{
    const QString& path = Document()->BackPicture().path;
    if (path.isEmpty())
        return;
    // Loaded once per path; a file that does not load draws nothing.
    if (m_loadedPath != path) {
        m_loadedPath = path;
        m_source = QImage(path);
    }
    const double w = std::trunc(m_source.width() * spot.scale);
    const double h = std::trunc(m_source.height() * spot.scale);
    if (!m_source.isNull() && w >= 1 && h >= 1 && w <= kMaxPictureSide && h <= kMaxPictureSide) {
        QPainter painter(&image);
        painter.drawImage(QRectF(spot.x, spot.y, w, h), m_source);
    }
}

Status CDemoView::RunPreviewJob(const PreviewJob& job, const QString& path,
                                const std::function<bool(double)>& progress, std::stop_token cancel)
{
    if (!job.tables)
        return Status::Fail(CDemoMovie::kFailedKey, "nothing to play");
    DemoTraceOptions trace = job.trace;
    trace.cancel = cancel;
    // Played and encoded as it goes: a long export holds no trace.
    return CDemoMovie::Write(job.modes, *job.tables, job.lamps, trace, job.background, job.movie,
                             PathOf(path), progress);
}

Status CDemoView::ExportPreview(const QString& path, std::int64_t durationMs,
                                const std::function<bool(double)>& progress, QSize size,
                                int framesPerSecond) const
{
    return RunPreviewJob(PreviewJobFor(durationMs, size, framesPerSecond, DemoMovieFormatOf(PathOf(path))),
                         path, progress);
}

void CDemoView::OnExportPreview()
{
    CEditorApp* app = App();
    if (!app)
        return;
    const fs::path settings = CLangText::SettingsPath();
    CExportPreviewDlg ask(settings, size(), window());
    if (ExecDialog(ask) != QDialog::Accepted)
        return;
    const CExportPreviewDlg::Choice choice = ask.Chosen();
    const QString suffix = CExportPreviewDlg::LastFormat(settings);
    QString path = app->Prompts().saveFileName(
        app->MainFrame(), LangText("DEMOVIEW_ONEXPORT_FILTER"),
        QDir(app->CurrentDirectory()).filePath(QStringLiteral("preview.") + suffix));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    app->SetCurrentDirectoryFromFile(path);
    CExportPreviewDlg::KeepFormat(settings, QFileInfo(path).suffix());

    // The encoding runs on a worker; the window keeps painting and the
    // progress dialog's Cancel ends it.
    QProgressDialog dialog(LangText("DEMOVIEW_ONEXPORT_PROGRESS"), LangText("DEMOVIEW_ONEXPORT_CANCEL"), 0,
                           1000, window());
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    std::atomic<int> done{0};
    std::atomic<bool> finished{false};
    Status outcome;
    const PreviewJob job = PreviewJobFor(std::int64_t{choice.seconds} * 1000, choice.size,
                                         choice.framesPerSecond, DemoMovieFormatOf(PathOf(path)));
    std::jthread worker([&](std::stop_token stop) {
        outcome = RunPreviewJob(
            job, path,
            [&](double share) {
                done = static_cast<int>(share * 1000);
                return !stop.stop_requested();
            },
            stop);
        finished = true;
    });
    QTimer poll;
    connect(&poll, &QTimer::timeout, &dialog, [&] {
        dialog.setValue(std::min(done.load(), 999));
        if (finished)
            dialog.accept();
    });
    poll.start(50);
    if (dialog.exec() != QDialog::Accepted || dialog.wasCanceled())
        worker.request_stop();
    // The worker ends at its next draw; the window paints on meanwhile.
    if (!finished) {
        QEventLoop wait;
        QTimer check;
        connect(&check, &QTimer::timeout, &wait, [&] {
            if (finished)
                wait.quit();
        });
        check.start(10);
        wait.exec();
    }
    worker.join();
    if (outcome) {
        Q_EMIT Note(LangTextWith("ID_MSG_DEMO_EXPORTED", {QDir::toNativeSeparators(path).toStdString()}));
    } else if (outcome.key != CDemoMovie::kCancelledKey) {
        app->Prompts().message(app->MainFrame(), LangTextWith(outcome.key, outcome.args),
                               QMessageBox::Warning, QMessageBox::Ok);
    }
}

} // namespace lumaro::gui
