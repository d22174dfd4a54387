#pragma once

#include "core/app/Status.h"
#include "core/preview/DemoFrame.h"
#include "core/preview/DemoGeometry.h"
#include "core/preview/DemoMovie.h"
#include "core/preview/DemoPlayer.h"
#include "core/preview/PlacementFile.h"
#include "core/preview/SteadyDemoClock.h"
#include "gui/app/View.h"
#include "gui/preview/ControllerPlayer.h"
#include "gui/preview/DemoImageCanvas.h"

#include <QImage>

#include <array>
#include <functional>
#include <memory>

namespace lumaro::gui {

class CDemoDoc;

// The demo view of template 131. Until Start it shows the lamps over the
// background picture, which the mouse widens, shrinks and moves; its paint
// then plays the document's modes in the order of the play command, the
// mode threads drawing into a picture the view owns. Start, a program
// group, closing the window: every mode thread has ended and been joined
// before anything it reads goes.
class CDemoView : public CView, private IDemoPlayObserver {
    Q_OBJECT
public:
    // The eight picture commands, all but the first off until a picture was chosen.
    enum PictureCommand {
        OpenImageFlag,
        AdjustBigFlag,
        AdjustSmallFlag,
        WidenFlag,
        MinishFlag,
        MoveFlag,
        SaveCodeFlag,
        OpenCodeFlag,
        kPictureCommands
    };

    explicit CDemoView(CDocument* document);
    ~CDemoView() override;

    CDemoDoc* Document() const;
    int DemoZoom() const { return m_demoZoom; }
    const CDemoGeometry& Geometry() const { return m_geometry; }
    int PaintCount() const { return m_paintCount; }
    bool PictureCommandEnabled(PictureCommand flag) const { return m_flags[flag]; }
    // What the mode threads have drawn so far, over the background.
    QImage Frame() const { return m_canvas.Copy(); }
    std::size_t RunningModes() const { return m_player.RunningCount(); }
    std::size_t ModeThreads() const { return m_player.WorkerCount(); }
    // Controller Play: the program group built and run on the simulated
    // controller, its frames shown in place of the painters'.
    CControllerPlayer& ControllerPlayer() { return m_controller; }

    // The play of the document as the painters would draw it over durationMs,
    // as a GIF or a video by the path's extension: of this window at its
    // present size and placement, or at `size` with the lamps fitted and
    // centred and the picture where it sits over them in the window. A video
    // has framesPerSecond.
    Status ExportPreview(const QString& path, std::int64_t durationMs,
                         const std::function<bool(double)>& progress = {}, QSize size = {},
                         int framesPerSecond = 25) const;

Q_SIGNALS:
    // In Sequential order: the mode that has begun, for the status bar.
    void SequentialModeShown(const QString& type, int layer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

public:
    void OnActivateView(bool active) override;

private:
    // Worker threads: handed to the window's thread.
    void ModeStarted(std::int32_t index) override;
    void RestartRequested(std::uint64_t generation) override;

    void RegisterCommands();
    void DisableCoordinatesBar();

    void PlaceLamps();
    bool RebuildFrameIfChanged();
    QImage Background(bool withLamps) const;
    void PlayIfDue();
    void StartPlayer(DemoOrder order);
    void DrawCaption(QPainter& painter);
    void ShowContextMenu(const QPoint& at);

    void OnDemoScale();
    void OnOpenBackImage();
    void OnStartRequested();
    void OnExportPreview();
    void OnControllerPlay();
    void OnControllerFailed(const Status& failure);
    void DrawControllerFrame(std::size_t index, bool whole);
    void DrawControllerCaption(QPainter& painter);

    // What an export plays and draws on, taken on the window's thread so
    // that the worker that encodes it reads nothing of the window.
    struct PreviewJob {
        std::vector<CModeItem> modes;
        std::shared_ptr<const CCompiledEffects> tables;
        std::vector<CLamp> lamps;
        DemoTraceOptions trace;
        CDemoFrame background;
        DemoMovieOptions movie;
    };
    PreviewJob PreviewJobFor(std::int64_t durationMs, QSize size, int framesPerSecond,
                             DemoMovieFormat format) const;
    QImage ExportBackground(QSize size, const CDemoGeometry& fitted) const;
    // The back picture, if there is one, at spot.
    void DrawPicture(QImage& image, const CPictureSpot& spot) const;
    static Status RunPreviewJob(const PreviewJob& job, const QString& path,
                                const std::function<bool(double)>& progress, std::stop_token cancel = {});

    int m_paintCount = 0;
    int m_demoZoom = 0; // 0 until first fitted
    CDemoGeometry m_geometry;
    std::array<bool, kPictureCommands> m_flags{true, false, false, false, false, false, false, false};
    int m_currentMode = -1;
    DemoOrder m_order = DemoOrder::Parallel;
    bool m_modeShown = false;

    // The picture behind the lamps, loaded once per path.
    mutable QString m_loadedPath;
    mutable QImage m_source;
    // What the frame was last built from; a change builds it anew.
    struct FrameKey {
        QSize size;
        CDemoGeometry geometry;
        QString path;
        CPictureSpot spot;
        bool shown = false;
        bool lampsShown = false;
        std::uint64_t generation = 0;
        bool operator==(const FrameKey&) const = default;
    };
    FrameKey m_frameKey;
    std::uint64_t m_frameGeneration = 1;

    CControllerPlayer m_controller;
    std::size_t m_controllerDrawn = CControllerPlayer::kNoFrame;

    CSteadyDemoClock m_clock;
    CDemoImageCanvas m_canvas;
    // Last, so that it goes first: its threads draw on the canvas above.
    CDemoPlayer m_player;
};

} // namespace lumaro::gui
