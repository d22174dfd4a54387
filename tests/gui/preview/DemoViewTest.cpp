#include "GuiTestSupport.h"

#include "core/preview/PlacementFile.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/layout/EditImgView.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/DemoView.h"
#include "gui/preview/ExportPreviewDlg.h"
#include "gui/preview/ZoomDlg.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <tuple>

namespace lumaro::gui::test {
namespace {

using namespace std::chrono_literals;

// A layout of 10 × 4 lamps with two sweeps in the mode list and one in
// program group 1, opened in the demo window by the layout view's
// "Parataxis demo".
class DemoViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
        main = s->app->MainFrame();
        main->resize(1000, 800);
        auto* layout = dynamic_cast<CLayoutDocument*>(main->GetActiveDocument());
        ASSERT_NE(layout, nullptr);
        Registry().Dispatch(cmd::NewEmptyLayout);
        dynamic_cast<CEditImgView*>(main->GetActiveView())->FinishScanNow();
        EditProject(*layout, [](CEditImgDoc& data) {
            for (int i = 0; i < 40; ++i) {
                data.lamps.emplace_back(i % 10, i / 10, i, 0x00FF00, 5, 1);
                // A port a row, chained against the numbering.
                data.lamps.back().port = 1 + i / 10;
                data.lamps.back().order = 10 - i % 10;
            }
            data.lampPositions = data.lamps;
            CModeItem sweep;
            sweep.type = "CM_LEFTTORIGHT_GC";
            sweep.name = "sweep";
            sweep.areaRight = 10;
            sweep.areaBottom = 10;
            sweep.interval = 1;
            sweep.loop = 1000;
            sweep.colours = {255, 0, 0};
            data.modes = {sweep, sweep};
            data.programGroups[1] = {sweep};
        });
        ASSERT_TRUE(Registry().Query(cmd::ParallelPlay).Enabled().value_or(false));
        ASSERT_TRUE(Registry().Dispatch(cmd::ParallelPlay));
        ProcessEvents();
        demo = dynamic_cast<CDemoDoc*>(main->GetActiveDocument());
        view = dynamic_cast<CDemoView*>(main->GetActiveView());
        ASSERT_NE(demo, nullptr);
        ASSERT_NE(view, nullptr);
        view->resize(800, 600);
        s->log.fillDialog = [this](QDialog& dialog) {
            if (auto* zoom = dynamic_cast<CZoomDlg*>(&dialog)) {
                zoom->ValueBox()->setValue(zoomAnswer);
                zoom->setResult(QDialog::Accepted);
            }
        };
    }
    void TearDown() override { s.reset(); }

    CCommandRegistry& Registry() { return s->app->Registry(); }
    void Paint() { view->repaint(); }
    QPoint LampCentre(int x, int y) const
    {
        const CDemoGeometry& g = view->Geometry();
        return {g.originX + x * g.zoom, g.originY + y * g.zoom};
    }
    template <class Predicate> static bool Eventually(Predicate done)
    {
        for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(2ms)) {
            ProcessEvents();
            if (done())
                return true;
        }
        return false;
    }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
    CMainFrame* main = nullptr;
    CDemoDoc* demo = nullptr;
    CDemoView* view = nullptr;
    int zoomAnswer = 6;
};

TEST_F(DemoViewTest, PlaysOnlyAfterStartAndAProgramGroupReplacesThePlay)
{
    EXPECT_FALSE(main->MainToolBar()->isEnabled());
    EXPECT_EQ(demo->PlayMode(), CDemoDoc::PlayParallel);
    Paint();
    // The picture is shown (no picture chosen, no lamps): nothing plays yet.
    EXPECT_EQ(view->ModeThreads(), 0u);
    EXPECT_EQ(view->Frame().pixelColor(LampCentre(0, 0)), QColor(Qt::black));
    EXPECT_EQ(view->DemoZoom(), 20) << "10 × 4 lamps fit by width at 80, limited to 20";

    Registry().Dispatch(cmd::StartDemo);
    Paint();
    EXPECT_EQ(view->ModeThreads(), 2u);
    EXPECT_EQ(demo->PlayMode(), CDemoDoc::Playing);
    for (int flag = 0; flag < CDemoView::kPictureCommands; ++flag)
        EXPECT_FALSE(view->PictureCommandEnabled(CDemoView::PictureCommand(flag)));
    EXPECT_FALSE(Registry().Query(cmd::OpenBackImage).Enabled().value_or(true));

    Registry().Dispatch(cmd::ProgramGroup(1));
    EXPECT_EQ(demo->ProgramGroup(), 1);
    EXPECT_EQ(demo->Modes().size(), 1u);
    EXPECT_TRUE(Registry().Query(cmd::ProgramGroup(1)).Checked().value_or(false));
    EXPECT_FALSE(Registry().Query(cmd::ProgramGroup(0)).Checked().value_or(true));
    EXPECT_EQ(view->ModeThreads(), 0u) << "the old play ended before the new one";
    Paint();
    EXPECT_EQ(view->ModeThreads(), 1u);

    // Sequential play starts at once, without a delay, and draws on the frame.
    CPlayHandOver handOver = demo->HandOver();
    handOver.playMode = CPlayHandOver::Sequential;
    demo->SetHandOver(handOver);
    demo->Start();
    Paint();
    EXPECT_TRUE(Eventually([&] { return view->Frame().pixelColor(LampCentre(0, 0)) != QColor(Qt::black); }));

    // Closing the playing window ends its threads before it goes.
    QPointer<CDemoView> watched(view);
    main->GetActiveFrame()->close();
    ProcessEvents();
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(main->MainToolBar()->isEnabled());
}

TEST_F(DemoViewTest, BackgroundPictureOpensScalesMovesAndKeepsItsPlaceAcrossAZoomChange)
{
    // Cancelled: the lamps show, the picture commands stay as they were.
    s->log.openName.clear();
    Registry().Dispatch(cmd::OpenBackImage);
    EXPECT_FALSE(view->PictureCommandEnabled(CDemoView::WidenFlag));
    Paint();
    EXPECT_EQ(view->Frame().pixelColor(LampCentre(3, 2)), QColor(255, 0, 0));

    QImage bitmap(40, 30, QImage::Format_RGB32);
    bitmap.fill(QColor(0, 0, 200));
    const QString bmp = install.FilePath(QStringLiteral("site.bmp"));
    ASSERT_TRUE(bitmap.save(bmp));
    s->log.openName = bmp;
    Registry().Dispatch(cmd::OpenBackImage);
    EXPECT_TRUE(view->PictureCommandEnabled(CDemoView::OpenCodeFlag));
    Paint();
    EXPECT_EQ(view->Frame().pixelColor(5, 5), QColor(0, 0, 200));

    CDemoDoc::Picture& picture = demo->BackPicture();
    Registry().Dispatch(cmd::BmpAdjustBig);
    Registry().Dispatch(cmd::MinishBmp);
    for (double expected : {0.5, 0.0, 0.0}) {
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 100));
        EXPECT_DOUBLE_EQ(picture.spot.scale, expected);
    }
    Registry().Dispatch(cmd::WidenBmp);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_DOUBLE_EQ(picture.spot.scale, 1.0);
    Registry().Dispatch(cmd::MoveBmp);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(130, 90));
    EXPECT_EQ(std::pair(picture.spot.x, picture.spot.y), std::pair(30, -10));
    Paint();

    // Saved at one zoom, the picture keeps its place and size relative to
    // the lamps at another, and a load puts it back there.
    const CDemoGeometry before = view->Geometry();
    const CPictureSpot saved = picture.spot;
    s->log.saveName = install.FilePath(QStringLiteral("bmp.h"));
    Registry().Dispatch(cmd::SavePlacement);
    QFile file(s->log.saveName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), bytes.size() - 1);
    Paint();
    zoomAnswer = before.zoom / 2;
    Registry().Dispatch(cmd::DemoScale);
    Paint();
    const CDemoGeometry after = view->Geometry();
    ASSERT_EQ(after.zoom, before.zoom / 2);
    EXPECT_NEAR(picture.spot.scale, saved.scale / 2, 1e-9);
    EXPECT_NEAR(picture.spot.x - after.originX, (saved.x - before.originX) / 2.0, 1.0);
    EXPECT_NEAR(picture.spot.y - after.originY, (saved.y - before.originY) / 2.0, 1.0);

    picture.spot = {};
    s->log.openName = s->log.saveName;
    Registry().Dispatch(cmd::LoadPlacement);
    Paint();
    EXPECT_NEAR(picture.spot.x - after.originX, (saved.x - before.originX) / 2.0, 1.0);

    // A damaged placement file is refused with its message; the picture stays.
    const CPictureSpot kept = picture.spot;
    install.WriteDataFile("bad.h", "\x05nope,");
    s->log.openName = QString::fromStdString((install.Folder() / "bad.h").string());
    Registry().Dispatch(cmd::LoadPlacement);
    Paint();
    EXPECT_EQ(picture.spot, kept);
    EXPECT_FALSE(s->log.messages.isEmpty());
}

TEST_F(DemoViewTest, ExportPreviewWritesAnAnimatedGifOfTheWindow)
{
    Registry().Dispatch(cmd::DemoCircle);
    EXPECT_TRUE(Registry().Query(cmd::DemoCircle).Checked().value_or(false));
    Paint();
    const QString path = install.FilePath(QStringLiteral("preview.gif"));
    double last = 0;
    const Status written = view->ExportPreview(path, 3000, [&last](double share) {
        last = share;
        return true;
    });
    ASSERT_TRUE(written) << written.detail;
    EXPECT_DOUBLE_EQ(last, 1.0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(6), QByteArray("GIF89a"));
    Registry().Dispatch(cmd::DemoRect);
}

TEST_F(DemoViewTest, ExportAtAChosenSizeRefitsTheLampsAndTheDialogKeepsTheChoice)
{
    {
        CExportPreviewDlg dialog(install.SettingsFile(), QSize(800, 600));
        EXPECT_EQ(dialog.SizeBox()->currentData().toSize(), QSize()) << "the window's size at first";
        dialog.SecondsBox()->setValue(7);
        dialog.SizeBox()->setCurrentIndex(dialog.SizeBox()->findData(QSize(1280, 720)));
        dialog.RateBox()->setCurrentIndex(dialog.RateBox()->findData(60));
        dialog.accept();
    }
    const CExportPreviewDlg again(install.SettingsFile(), QSize(800, 600));
    const CExportPreviewDlg::Choice kept = again.Chosen();
    EXPECT_EQ(std::make_tuple(kept.seconds, kept.size, kept.framesPerSecond),
              std::make_tuple(7, QSize(1280, 720), 60));

    Paint();
    const QString path = install.FilePath(QStringLiteral("large.gif"));
    const Status written = view->ExportPreview(path, 500, {}, kept.size);
    ASSERT_TRUE(written) << written.detail;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(10), QByteArray("GIF89a\x00\x05\xd0\x02", 10)) << "1280 x 720";
}

// Outside the thread-sanitizer run of DemoView*, which cannot see into the
// encoder's own threads.
using DemoVideoExportTest = DemoViewTest;

TEST_F(DemoVideoExportTest, AVideoOfAnOddSizedWindowLeavesOutTheOddPixel)
{
    view->resize(641, 481);
    Paint();
    ASSERT_EQ(view->width() % 2, 1);
    const QString path = install.FilePath(QStringLiteral("window.mp4"));
    const Status written = view->ExportPreview(path, 200);
    ASSERT_TRUE(written) << written.detail;
    EXPECT_TRUE(QFile(path).size() > 0);
}

// Processes whose working folder lies below folder.
int ProcessesIn(const QString& folder)
{
    int found = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        std::error_code linkError;
        const fs::path cwd = fs::read_symlink(entry.path() / "cwd", linkError);
        if (!linkError && QString::fromStdString(cwd.string()).startsWith(folder))
            ++found;
    }
    return found;
}

TEST_F(DemoViewTest, ControllerPlayShowsTheSimulatedControllersFramesAndClosingEndsIt)
{
    fs::copy(fs::path(LUMARO_SOURCE_DIR) / "data" / "sys", install.Folder() / "sys",
             fs::copy_options::recursive);
    CControllerPlayer& controller = view->ControllerPlayer();
    auto waitFor = [&](auto done, std::chrono::seconds limit) {
        for (auto until = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(5ms)) {
            ProcessEvents();
            if (done())
                return true;
        }
        return false;
    };

    // Group 0 has no modes: the controller has nothing to play.
    ASSERT_TRUE(Registry().Query(cmd::ControllerPlay).Enabled().value_or(false));
    Registry().Dispatch(cmd::ControllerPlay);
    ASSERT_EQ(s->log.messages.size(), 1);
    EXPECT_TRUE(s->log.messages[0].contains(QStringLiteral("has no modes")));
    EXPECT_EQ(controller.Current(), CControllerPlayer::State::Idle);

    // Group 1 is built and simulated in the background while the window
    // paints, then played: the lamps show the frame due, on their own cells.
    Registry().Dispatch(cmd::ProgramGroup(1));
    Registry().Dispatch(cmd::ControllerPlay);
    EXPECT_EQ(controller.Current(), CControllerPlayer::State::Building);
    EXPECT_TRUE(Registry().Query(cmd::ControllerPlay).Checked().value_or(false));
    const int paints = view->PaintCount();
    auto busy = [&] {
        return controller.Current() == CControllerPlayer::State::Building ||
               controller.Current() == CControllerPlayer::State::Simulating;
    };
    waitFor([&] { return !busy(); }, 60s);
    ASSERT_EQ(controller.Current(), CControllerPlayer::State::Playing)
        << s->log.messages.join(QLatin1Char('\n')).toStdString();
    Paint();
    EXPECT_GT(view->PaintCount(), paints);
    EXPECT_EQ(view->ModeThreads(), 0u) << "the painters make way";
    const auto& frames = controller.Frames();
    ASSERT_GT(frames.size(), 5u);
    EXPECT_NEAR(frames[2].latchMs - frames[1].latchMs, frames[3].latchMs - frames[2].latchMs, 2.0);
    EXPECT_GT(controller.Seconds(), 1.0);
    ASSERT_TRUE(waitFor([&] { return controller.ShownFrame() >= 3; }, 10s)) << "paced, the frames go on";
    const QImage shown = view->Frame();
    const auto& lamps = frames[controller.ShownFrame()].lamps;
    ASSERT_EQ(lamps.size(), 40u);
    EXPECT_TRUE(std::any_of(lamps.begin(), lamps.end(), [](DemoRgb c) { return c == DemoRgb{255, 0, 0}; }));
    for (int i = 0; i < 40; ++i) {
        const DemoRgb c = lamps[static_cast<std::size_t>(i)];
        EXPECT_EQ(shown.pixelColor(LampCentre(i % 10, i / 10)), QColor(c.red, c.green, c.blue))
            << "lamp " << i;
    }

    // Closing the window while the simulator runs ends it and its folder.
    Registry().Dispatch(cmd::ControllerPlay);
    ASSERT_TRUE(waitFor([&] { return controller.Current() == CControllerPlayer::State::Simulating; }, 60s));
    const QString folder = controller.WorkFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_GT(ProcessesIn(folder), 0);
    main->GetActiveFrame()->close();
    ProcessEvents();
    EXPECT_EQ(ProcessesIn(folder), 0);
    EXPECT_FALSE(fs::exists(folder.toStdString()));
}

} // namespace
} // namespace lumaro::gui::test
