// The mode test view offscreen with 10,000 lamps: a paint after the picks
// changed, a paint with nothing changed, and the moves of a left drag that
// paints 1,000 lamps into the group list, each followed by its paint. The
// budget is one frame at 60 Hz (16 ms) per paint and per move.
#include "gui/document/LayoutDocument.h"
#include "gui/preview/ModeTestState.h"
#include "gui/preview/ModetestView.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace lumaro;
using namespace lumaro::gui;

constexpr int kSide = 100; // 100 × 100 lamps

struct Fixture {
    Fixture()
    {
        CEditImgDoc project;
        for (int i = 0; i < kSide * kSide; ++i)
            project.lampPositions.emplace_back(i % kSide, i / kSide, i, 0, 1, 1);
        for (std::uint32_t i = 0; i < 2000; i += 2)
            project.layers[0].push_back(i);
        document.OpenProject(std::move(project));
        view = std::make_unique<CModetestView>(&document);
        view->resize(1280, 1024);
        image = QImage(view->size(), QImage::Format_ARGB32_Premultiplied);
        view->render(&image);
    }
    CModeTestState& State() { return CModeTestState::Of(document); }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(view.get(), &event);
    }

    CLayoutDocument document;
    std::unique_ptr<CModetestView> view;
    QImage image;
};

// Made in main, after the application and gone before it.
Fixture* g_fixture = nullptr;

Fixture& Shared()
{
    return *g_fixture;
}

void BM_PaintAfterAChange(benchmark::State& state)
{
    Fixture& f = Shared();
    bool picking = false;
    for (auto _ : state) {
        // Showing or hiding the group picks redraws every lamp.
        picking = !picking;
        f.State().SetPickRequests(
            {.group = picking ? CModeTestState::GroupPick::Add : CModeTestState::GroupPick::None});
        f.view->render(&f.image);
    }
    state.counters["lamps"] = kSide * kSide;
}
BENCHMARK(BM_PaintAfterAChange)->Unit(benchmark::kMillisecond);

void BM_PaintUnchanged(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        f.view->render(&f.image);
    state.counters["lamps"] = kSide * kSide;
}
BENCHMARK(BM_PaintUnchanged)->Unit(benchmark::kMillisecond);

// A drag through 1,000 lamps, snaking over ten rows: each iteration is one
// move onto the next lamp and its paint. A new drag starts (untimed) after
// the last lamp, with the previous one undone.
void BM_DragPaintsThousandLamps(benchmark::State& state)
{
    Fixture& f = Shared();
    f.State().SetPickRequests({.group = CModeTestState::GroupPick::Add});
    std::vector<QPoint> path;
    for (int row = 0; row < 10; ++row) {
        for (int k = 0; k < kSide; ++k)
            path.push_back(QPoint(row % 2 ? kSide - 1 - k : k, row));
    }
    f.view->PlaceLamps();
    auto at = [&f, &path](std::size_t i) { return f.view->CellCentre(path[i].x(), path[i].y()); };
    std::size_t next = path.size();
    for (auto _ : state) {
        if (next == path.size()) {
            state.PauseTiming();
            if (f.document.Data().picks.lamps.size() == path.size()) {
                f.Mouse(QEvent::MouseButtonRelease, at(next - 1), Qt::NoButton);
                f.document.UndoStack().undo();
            }
            if (!f.document.Data().picks.lamps.empty())
                state.SkipWithError("a drag is not one undo step");
            f.Mouse(QEvent::MouseButtonPress, at(0), Qt::LeftButton);
            next = 1;
            state.ResumeTiming();
        }
        f.Mouse(QEvent::MouseMove, at(next++), Qt::LeftButton);
        f.view->render(&f.image);
    }
    f.Mouse(QEvent::MouseButtonRelease, at(next - 1), Qt::NoButton);
    if (f.document.Data().picks.lamps.size() != next)
        state.SkipWithError("the drag missed lamps");
    f.document.UndoStack().undo();
    state.counters["lamps"] = kSide * kSide;
}
BENCHMARK(BM_DragPaintsThousandLamps)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto fixture = std::make_unique<Fixture>();
    g_fixture = fixture.get();
    benchmark::RunSpecifiedBenchmarks();
    g_fixture = nullptr;
    fixture.reset();
    benchmark::Shutdown();
    return 0;
}
