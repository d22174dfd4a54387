#include "GuiTestSupport.h"

#include "core/TestSupport.h"
#include "core/layout/LampEditor.h"
#include "core/layout/LampScanner.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/layout/EditImgView.h"
#include "gui/layout/LayoutDialogs.h"
#include "gui/preview/ModeTestState.h"
#include "gui/preview/ModetestView.h"
#include "gui/widgets/LampColour.h"
#include "gui/widgets/StatusBarXP.h"
#include "picture/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lumaro::gui::test {
namespace {

std::string ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

template <class T> T* Child(QWidget& dialog, int id)
{
    for (T* child : dialog.findChildren<T*>()) {
        if (ControlIdOf(child) == id)
            return child;
    }
    return nullptr;
}

// A site picture: white, with dark spots on a 20-pixel pitch at the given cells.
QImage SitePicture(int width, int height, const std::vector<QPoint>& spots)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (QPoint spot : spots)
        painter.fillRect(spot.x() * 20 + 5, spot.y() * 20 + 5, 12, 12, QColor(20, 40, 200));
    return image;
}

class EditImgViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
        ASSERT_NE(View(), nullptr);
        s->app->MainFrame()->resize(1100, 800);
        ProcessEvents();
    }
    void TearDown() override { s.reset(); }

    CEditImgView* View() { return dynamic_cast<CEditImgView*>(s->app->MainFrame()->GetActiveView()); }
    CLayoutDocument& Doc() { return *View()->GetLayoutDocument(); }
    const CEditImgDoc& Data() { return Doc().Data(); }
    CCommandRegistry& Registry() { return s->app->Registry(); }
    bool Enabled(int id) { return Registry().Query(id).Enabled().value_or(true); }
    bool Checked(int id) { return Registry().Query(id).Checked().value_or(false); }

    QString SavePicture(const QImage& image, const QString& name)
    {
        const QString path = install.FilePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    // A view in the lamp-editing state with no lamps, ready for inserting.
    void EmptyLayout()
    {
        Registry().Dispatch(cmd::NewEmptyLayout);
        View()->FinishScanNow();
    }

    QPoint CellPoint(int cx, int cy)
    {
        const int zoom = View()->Zoom();
        return QPoint(cx * zoom + zoom / 2, cy * zoom + zoom / 2);
    }
    void Click(int cx, int cy) { QTest::mouseClick(View(), Qt::LeftButton, {}, CellPoint(cx, cy)); }

    std::vector<std::tuple<int, int, int>> Cells()
    {
        std::vector<std::tuple<int, int, int>> cells;
        for (const CLamp& lamp : Data().lamps)
            cells.emplace_back(lamp.x, lamp.y, lamp.number);
        return cells;
    }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
};

// --- picture and scan ------------------------------------------------------

TEST_F(EditImgViewTest, NewViewEnablesNothingButOpeningAPicture)
{
    for (int id :
         {cmd::PickBackColour, cmd::ScanScope, cmd::OtherValue, cmd::Scan, cmd::InsertLamp, cmd::DeleteLamp,
          cmd::PortEdit, cmd::PortTableOut, cmd::TransferData, cmd::ShowGrid, cmd::SwitchWindow, cmd::Zoom4,
          cmd::Zoom28, cmd::ZoomInTool, cmd::PanTool, cmd::PointerTool, cmd::ParallelPlay})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(cmd::OpenImage));
    EXPECT_TRUE(Enabled(cmd::NewEmptyLayout));
    EXPECT_TRUE(s->app->MainFrame()->LampToolBar()->isVisibleTo(s->app->MainFrame()));
}

TEST_F(EditImgViewTest, OpenImageFitsThePictureAndScanMatchesTheCore)
{
    const QImage picture = SitePicture(320, 240, {{0, 0}, {1, 0}, {3, 2}, {7, 5}, {15, 11}});
    s->log.openName = SavePicture(picture, QStringLiteral("site.bmp"));
    Registry().Dispatch(cmd::OpenImage);
    CEditImgView* view = View();
    ASSERT_TRUE(view->PictureShown());
    const double fit = CScaledPicture::FitFactor(320, 240, view->width(), view->height());
    EXPECT_DOUBLE_EQ(view->Picture().Fit(), fit);
    EXPECT_EQ(Data().scanScope, (CRect{1, 1, static_cast<int>(320 * fit) - 20, static_cast<int>(240 * fit)}));
    EXPECT_EQ(Data().backgroundColour, 0xFFFFFFu);
    EXPECT_TRUE(Enabled(cmd::PickBackColour));
    EXPECT_TRUE(Enabled(cmd::Scan));
    EXPECT_FALSE(Enabled(cmd::InsertLamp));
    // The folder of the chosen picture becomes the current directory.
    EXPECT_EQ(s->app->CurrentDirectory(), QDir(install.FilePath(QString())).absolutePath());

    // What the core scans from the same picture at the same fit.
    CEditImgDoc expected = Data();
    CScaledPicture reference = PictureFromImage(picture);
    reference.SetFit(fit);
    ASSERT_TRUE(CLampScanner::Begin(expected));
    ASSERT_TRUE(CLampScanner::Finish(expected, reference));
    ASSERT_GT(expected.lamps.size(), 3u);

    Registry().Dispatch(cmd::Scan);
    EXPECT_TRUE(view->ScanPending());
    EXPECT_TRUE(Data().lamps.empty());
    EXPECT_FALSE(Enabled(cmd::PickBackColour));
    EXPECT_FALSE(Enabled(cmd::Scan));
    EXPECT_TRUE(Enabled(cmd::InsertLamp));
    EXPECT_TRUE(Enabled(cmd::Zoom4));
    // The scan runs on the view's one-shot timer.
    QTest::qWait(CEditImgView::kScanDelayMs + 300);
    EXPECT_FALSE(view->ScanPending());
    EXPECT_EQ(Data().lamps, expected.lamps);
    EXPECT_TRUE(Data().scanned);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(view->PictureShown());

    // Scanning is once per view.
    const CRect scope = Data().scanScope;
    view->RunCommand(cmd::ScanScope);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(Data().scanScope, scope);
    view->RunCommand(cmd::Scan);
    EXPECT_FALSE(view->ScanPending());
    EXPECT_EQ(Data().lamps, expected.lamps);
}

TEST_F(EditImgViewTest, ThePictureShowsTheColoursTheScanReads)
{
    // A picture of distinct pixels, shown at a fit factor that is not whole.
    QImage picture(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(x * 6, y * 10, (x * 7 + y * 3) % 256));
    s->log.openName = SavePicture(picture, QStringLiteral("pixels.bmp"));
    Registry().Dispatch(cmd::OpenImage);
    CEditImgView* view = View();
    ASSERT_GT(view->Picture().Fit(), 1.0);
    const QImage shown = view->grab().toImage();
    const CRect scope = Data().scanScope;
    int compared = 0;
    for (int py = 3; py < view->height() - CEditImgView::kBarThickness; py += 7) {
        for (int px = 3; px < view->width() - CEditImgView::kBarThickness; px += 7) {
            if (px == scope.left || px == scope.right || py == scope.top || py == scope.bottom)
                continue; // the scope's outline
            const std::uint32_t c = view->Picture().ColourAt(px, py);
            const QColor expected(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
            ASSERT_EQ(shown.pixelColor(px, py), expected) << px << "," << py;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST_F(EditImgViewTest, UnreadablePictureShowsItsMessageAndLeavesTheView)
{
    const QString path = install.FilePath(QStringLiteral("broken.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM not really a bitmap");
    file.close();
    const CRect scope = Data().scanScope;
    s->log.openName = path;
    Registry().Dispatch(cmd::OpenImage);
    ASSERT_EQ(s->log.messages.size(), 1);
    EXPECT_TRUE(s->log.messages.front().startsWith(QStringLiteral("The picture cannot be read.")));
    EXPECT_FALSE(View()->PictureShown());
    EXPECT_FALSE(Enabled(cmd::Scan));
    EXPECT_EQ(Data().scanScope, scope);
}

TEST_F(EditImgViewTest, TooLargePictureShowsItsSizeAndLeavesTheView)
{
    const QString path = install.FilePath(QStringLiteral("huge.png"));
    ::lumaro::test::WriteText(path.toStdString(), ::lumaro::test::PngHeader(100000, 70000));
    s->log.openName = path;
    Registry().Dispatch(cmd::OpenImage);
    const QString text =
        QStringLiteral("The picture is too large (100000 x 70000 pixels). Please choose a smaller picture.");
    EXPECT_EQ(s->log.messages, QStringList{text});
    EXPECT_FALSE(View()->PictureShown());
}

TEST_F(EditImgViewTest, RefusedGridNamesItsValuesAndChangesNothing)
{
    s->log.openName = SavePicture(SitePicture(200, 100, {{1, 1}}), QStringLiteral("s.bmp"));
    Registry().Dispatch(cmd::OpenImage);
    EditProject(Doc(), [](CEditImgDoc& data) { data.objectSize = 0.0f; });
    Doc().SetModifiedFlag(false);
    Registry().Dispatch(cmd::Scan);
    EXPECT_FALSE(View()->ScanPending());
    ASSERT_EQ(s->log.messages.size(), 1);
    EXPECT_TRUE(s->log.messages.front().contains(QStringLiteral("scan grid cannot be used")));
    // The values in the user's language, not the command line's detail.
    EXPECT_TRUE(
        s->log.messages.front().endsWith(QStringLiteral("\nThe grid step inf is not a positive number.")))
        << s->log.messages.front().toStdString();
    EXPECT_TRUE(View()->ScanAllowed());
    EXPECT_TRUE(Enabled(cmd::Scan));
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(EditImgViewTest, EmptyLayoutKeepsItsToleranceAndEntersEditing)
{
    EmptyLayout();
    EXPECT_TRUE(Data().lamps.empty());
    EXPECT_TRUE(Data().scanned);
    EXPECT_EQ(Data().backgroundTolerance, 8421504);
    EXPECT_NEAR(Data().gridStep, 5.12, 1e-6);
    EXPECT_TRUE(Enabled(cmd::InsertLamp));
    EXPECT_FALSE(Enabled(cmd::Scan));
    EXPECT_TRUE(View()->ScanAllowed());
    Registry().Dispatch(cmd::OpenEmptyLayout);
    EXPECT_TRUE(View()->ScanPending());
}

TEST_F(EditImgViewTest, BackColourPickAndScopeRubberBand)
{
    QImage picture = SitePicture(400, 300, {});
    picture.setPixelColor(50, 40, QColor(1, 2, 3));
    s->log.openName = SavePicture(picture, QStringLiteral("b.bmp"));
    Registry().Dispatch(cmd::OpenImage);
    const double fit = View()->Picture().Fit();
    const QPoint onPixel(static_cast<int>(50 * fit + fit / 2), static_cast<int>(40 * fit + fit / 2));

    // Not armed: a double-click picks nothing.
    QTest::mouseDClick(View(), Qt::LeftButton, {}, onPixel);
    EXPECT_EQ(Data().backgroundColour, 0xFFFFFFu);
    Registry().Dispatch(cmd::PickBackColour);
    QTest::mouseDClick(View(), Qt::LeftButton, {}, onPixel);
    EXPECT_EQ(Data().backgroundColour, 0x030201u);
    EXPECT_EQ(s->log.messages, QStringList{QStringLiteral("Set the background color.")});

    // Drawn from bottom right to top left, stored normalised.
    Registry().Dispatch(cmd::ScanScope);
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseMove(View(), QPoint(200, 120));
    EXPECT_EQ(Data().scanScope.right, 200);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_EQ(Data().scanScope, (CRect{100, 50, 300, 200}));
    // Disarmed after the drag.
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(Data().scanScope, (CRect{100, 50, 300, 200}));
}

TEST_F(EditImgViewTest, OtherValueTakesOnlyValuesInRange)
{
    s->log.openName = SavePicture(SitePicture(100, 100, {}), QStringLiteral("o.bmp"));
    Registry().Dispatch(cmd::OpenImage);
    auto enter = [this](const char* lamp, const char* object, const char* tolerance) {
        s->log.fillDialog = [=](QDialog& dialog) {
            Child<QLineEdit>(dialog, COtherValueDlg::kLampSize)->setText(QString::fromLatin1(lamp));
            Child<QLineEdit>(dialog, COtherValueDlg::kObjectSize)->setText(QString::fromLatin1(object));
            Child<QLineEdit>(dialog, COtherValueDlg::kTolerance)->setText(QString::fromLatin1(tolerance));
            dialog.accept();
        };
        s->log.messages.clear();
        Registry().Dispatch(cmd::OtherValue);
    };
    enter("25.5", "3000", "40");
    EXPECT_FLOAT_EQ(Data().lampSize, 25.5f);
    EXPECT_FLOAT_EQ(Data().objectSize, 3000.0f);
    EXPECT_EQ(Data().backgroundTolerance, 40);
    EXPECT_TRUE(s->log.messages.isEmpty());

    enter("1", "-5", "255");
    EXPECT_FLOAT_EQ(Data().lampSize, 25.5f);
    EXPECT_FLOAT_EQ(Data().objectSize, -5.0f); // taken as entered
    EXPECT_EQ(Data().backgroundTolerance, 40);
    EXPECT_EQ(s->log.messages.size(), 2);

    enter("999.9", "10", "1");
    EXPECT_FLOAT_EQ(Data().lampSize, 999.9f);
    EXPECT_EQ(Data().backgroundTolerance, 1);
    enter("1000", "10", "0");
    EXPECT_FLOAT_EQ(Data().lampSize, 999.9f);
    EXPECT_EQ(Data().backgroundTolerance, 1);
    EXPECT_EQ(s->log.dialogs.back(), QStringLiteral("Other Value"));
}

// --- view state ------------------------------------------------------------

TEST_F(EditImgViewTest, ZoomCommandsKeysToolsAndChecks)
{
    EmptyLayout();
    Registry().Dispatch(cmd::Zoom24);
    EXPECT_EQ(View()->Zoom(), 24);
    EXPECT_TRUE(Checked(cmd::Zoom24));
    EXPECT_FALSE(Checked(cmd::Zoom4));
    Registry().Dispatch(cmd::Zoom4);
    EXPECT_EQ(View()->Zoom(), 4);

    Registry().Dispatch(cmd::ZoomInTool);
    EXPECT_EQ(View()->CurrentTool(), CEditImgView::ZoomInTool);
    EXPECT_TRUE(Checked(cmd::ZoomInTool));
    EXPECT_EQ(View()->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseClick(View(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(View()->Zoom(), 5);
    QTest::keyClick(View(), Qt::Key_PageDown);
    EXPECT_EQ(View()->Zoom(), 5);
    Registry().Dispatch(cmd::ZoomOutTool);
    EXPECT_FALSE(Checked(cmd::ZoomInTool));
    QTest::mouseClick(View(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(View()->Zoom(), 5);
    QTest::keyClick(View(), Qt::Key_PageUp);
    EXPECT_EQ(View()->Zoom(), 10);
    QTest::keyClick(View(), Qt::Key_PageDown);
    EXPECT_EQ(View()->Zoom(), 5);

    Registry().Dispatch(cmd::PanTool);
    EXPECT_TRUE(Checked(cmd::PanTool));
    EXPECT_EQ(View()->cursor().shape(), Qt::OpenHandCursor);
    Registry().Dispatch(cmd::PointerTool);
    EXPECT_TRUE(Checked(cmd::PointerTool));
    EXPECT_EQ(View()->cursor().shape(), Qt::ArrowCursor);
    Registry().Dispatch(cmd::InsertLamp);
    EXPECT_TRUE(Checked(cmd::InsertLamp));
    EXPECT_FALSE(Checked(cmd::DeleteLamp));
    Registry().Dispatch(cmd::DeleteLamp);
    EXPECT_FALSE(Checked(cmd::InsertLamp));
    EXPECT_TRUE(Checked(cmd::DeleteLamp));
    EXPECT_EQ(View()->PortEdit().operation, CPortEditor::Delete);

    EXPECT_TRUE(Checked(cmd::ShowGrid));
    Registry().Dispatch(cmd::ShowGrid);
    EXPECT_FALSE(Checked(cmd::ShowGrid));

    CMainFrame& main = *s->app->MainFrame();
    EXPECT_TRUE(Checked(cmd::ShowCoordinatesBar));
    Registry().Dispatch(cmd::ShowCoordinatesBar);
    EXPECT_FALSE(Checked(cmd::ShowCoordinatesBar));
    const bool lampBar = main.LampToolBar()->isVisible();
    Registry().Dispatch(cmd::ShowLampToolBar);
    EXPECT_NE(main.LampToolBar()->isVisible(), lampBar);
    // "Parataxis demo" has lamps to play while they are being edited.
    EXPECT_TRUE(Enabled(cmd::ParallelPlay));
}

TEST_F(EditImgViewTest, ContextMenuIsRelabelledAndFollowsTheEnableTable)
{
    EmptyLayout();
    Registry().Dispatch(cmd::Zoom8);
    std::unique_ptr<QMenu> menu(View()->BuildContextMenu(nullptr));
    ASSERT_NE(menu, nullptr);
    std::vector<int> ids;
    QAction* zoom8 = nullptr;
    QAction* scan = nullptr;
    for (QAction* item : menu->actions()) {
        ids.push_back(item->isSeparator() ? 0 : item->data().toInt());
        if (item->data().toInt() == cmd::Zoom8)
            zoom8 = item;
        if (item->data().toInt() == cmd::Scan)
            scan = item;
    }
    EXPECT_EQ(ids, (std::vector<int>{57600, 32771, 57601, 0, 32794, 32795, 32796, 32797, 32802, 32803, 32804,
                                     0, 32792, 32798, 32799, 32805, 0, 32828, 32847}));
    ASSERT_TRUE(zoom8 && scan);
    EXPECT_EQ(zoom8->text(), QStringLiteral("8(&2)"));
    EXPECT_TRUE(zoom8->isChecked());
    EXPECT_FALSE(scan->isEnabled());
    menu->actions()[4]->trigger(); // zoom 4
    EXPECT_EQ(View()->Zoom(), 4);
}

TEST_F(EditImgViewTest, ScrollBarsWheelAndPan)
{
    EmptyLayout();
    QScrollBar* v = View()->VerticalBar();
    QScrollBar* h = View()->HorizontalBar();
    EXPECT_EQ(v->minimum(), 0);
    EXPECT_EQ(v->maximum(), 3000);
    EXPECT_EQ(v->width(), 15);

    // Forward at the top stays at the top; backward scrolls 120 pixels.
    QWheelEvent forward(QPointF(50, 50), View()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(View(), &forward);
    EXPECT_EQ(v->value(), 0);
    QWheelEvent back(QPointF(50, 50), View()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(View(), &back);
    EXPECT_EQ(v->value(), 120);

    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(h->value(), 2);
    h->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(h->value(), 1);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(h->value(), 11);
    h->triggerAction(QAbstractSlider::SliderPageStepSub);
    h->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(h->value(), 0);
    h->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(h->value(), 3000);
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(h->value(), 3000);
    h->triggerAction(QAbstractSlider::SliderToMinimum);

    // Clicks see the scrolled cell.
    Registry().Dispatch(cmd::Zoom16);
    EXPECT_EQ(View()->CellAt(QPoint(10, 10)), QPoint(0, 130 / 16));

    Registry().Dispatch(cmd::PanTool);
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(View(), QPoint(150, 230));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(150, 230));
    EXPECT_EQ(h->value(), 50);
    EXPECT_EQ(v->value(), 90);
}

TEST_F(EditImgViewTest, FirstPaintFitsTheZoomOnce)
{
    CLayoutDocument document;
    auto paint = [&document](const std::vector<QPoint>& cells, QSize size) {
        CEditImgDoc project;
        int n = 0;
        for (QPoint c : cells)
            project.lamps.emplace_back(c.x(), c.y(), n++, 0x00FF00, 5, 1);
        project.scanned = true;
        document.OpenProject(project);
        auto view = std::make_unique<CEditImgView>(&document);
        view->resize(size);
        view->grab();
        return view;
    };
    auto wide = paint({{0, 0}, {10, 4}, {5, 2}}, QSize(640, 480));
    EXPECT_EQ(wide->Zoom(), 20); // 640 / 10 = 64, held at 20
    EXPECT_EQ(wide->DrawCount(), 1);
    EXPECT_EQ(paint({{3, 3}}, QSize(640, 480))->Zoom(), 16);
    EXPECT_EQ(paint({{0, 0}, {2, 40}}, QSize(640, 480))->Zoom(), 12); // 480 / 40
    // Wider than the client in cells: never below 1.
    auto huge = paint({{0, 0}, {5000, 1}}, QSize(640, 480));
    EXPECT_EQ(huge->Zoom(), 1);
    huge->grab();
    EXPECT_EQ(huge->DrawCount(), 2);

    // Centred while no tool is active.
    auto centred = paint({{0, 0}, {10, 4}}, QSize(640, 480));
    EXPECT_EQ(centred->LampOrigin(0, 0), QPoint(0 - 10 + (640 - 10 * 20) / 2, 0 - 10 + (480 - 4 * 20) / 2));
}

TEST_F(EditImgViewTest, PaintShowsLampsPortsAndGrid)
{
    CLayoutDocument document;
    CEditImgDoc project;
    project.lamps = {CLamp(0, 0, 0, 0x00FF00, 5, 1), CLamp(4, 2, 1, 0x0000FF, 5, 1)};
    project.lamps[1].port = 1;
    project.lamps[1].order = 7;
    project.scanned = true;
    document.OpenProject(project);
    CEditImgView view(&document);
    view.resize(400, 300);
    const QImage image = view.grab().toImage();
    const int zoom = view.Zoom();
    ASSERT_EQ(zoom, 20);
    const QPoint green = view.LampOrigin(0, 0) + QPoint(zoom / 2, zoom / 2);
    const QPoint red = view.LampOrigin(4, 2) + QPoint(zoom / 10 + 1, zoom / 2);
    EXPECT_EQ(image.pixelColor(green), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(red), QColor(255, 0, 0));
    // The grid: black cells, lines in two greys.
    EXPECT_EQ(image.pixelColor(3 * zoom + 3, 10 * zoom + 3), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(zoom, 10 * zoom + 3), QColor(0x60, 0x60, 0x60));
    EXPECT_EQ(image.pixelColor(2 * zoom, 10 * zoom + 3), QColor(0x40, 0x40, 0x40));
    // The order number is drawn in white over the port's colour.
    bool white = false;
    const QPoint topLeft = view.LampOrigin(4, 2);
    for (int y = topLeft.y() + zoom / 5; y < topLeft.y() + 5 * zoom / 6; ++y)
        for (int x = topLeft.x() + zoom / 6; x < topLeft.x() + 5 * zoom / 6; ++x)
            white |= image.pixelColor(x, y).green() > 128; // light strokes over pure red
    EXPECT_TRUE(white);
}

// --- editing ---------------------------------------------------------------

TEST_F(EditImgViewTest, InsertAndDeleteByClickAndDrag)
{
    EmptyLayout();
    Registry().Dispatch(cmd::InsertLamp);
    Click(2, 3);
    Click(2, 1);
    Click(0, 5);
    // Column-major numbering: (0,5) before (2,1) before (2,3).
    EXPECT_EQ(Cells(), (std::vector<std::tuple<int, int, int>>{{0, 5, 0}, {2, 1, 1}, {2, 3, 2}}));
    EXPECT_TRUE(Doc().IsModified());

    Doc().SetModifiedFlag(false);
    const auto before = Cells();
    Click(2, 3); // occupied
    EXPECT_EQ(Cells(), before);
    EXPECT_FALSE(Doc().IsModified());

    // A drag inserts along its way and is one undo step.
    const int steps = Doc().UndoStack().count();
    QTest::mousePress(View(), Qt::LeftButton, {}, CellPoint(6, 0));
    QTest::mouseMove(View(), CellPoint(6, 1));
    QTest::mouseMove(View(), CellPoint(6, 2));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, CellPoint(6, 2));
    EXPECT_EQ(Data().lamps.size(), 6u);
    EXPECT_EQ(Doc().UndoStack().count(), steps + 1);

    Registry().Dispatch(cmd::DeleteLamp);
    Click(2, 1);
    EXPECT_EQ(Data().lamps.size(), 5u);
    EXPECT_FALSE(CLampEditor::FindLamp(Data(), 2, 1));
    for (std::size_t i = 0; i < Data().lamps.size(); ++i)
        EXPECT_EQ(Data().lamps[i].number, static_cast<int>(i)) << i;
    Doc().SetModifiedFlag(false);
    Click(9, 9); // empty cell
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(s->log.messages.isEmpty());
}

TEST_F(EditImgViewTest, InsertBeyondTheLeftEdgeWhileDraggingShowsItsMessage)
{
    EmptyLayout();
    Registry().Dispatch(cmd::Zoom16);
    Registry().Dispatch(cmd::InsertLamp);
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseMove(View(), QPoint(-40, 8));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(-40, 8));
    EXPECT_EQ(Data().lamps.size(), 1u);
    ASSERT_FALSE(s->log.messages.isEmpty());
    EXPECT_EQ(s->log.messages.back(), QStringLiteral("Out of range, the lamp is not inserted."));
}

TEST_F(EditImgViewTest, StatusPanesAndCoordinatesBarFollowThePointer)
{
    EmptyLayout();
    Registry().Dispatch(cmd::Zoom16);
    Registry().Dispatch(cmd::InsertLamp);
    Click(3, 4);
    // The first paint with lamps has fitted the zoom (one lamp: kept).
    View()->grab();
    Click(3, 5);
    EditProject(Doc(), [](CEditImgDoc& data) {
        data.lamps[1].port = 11;
        data.lamps[1].order = 2;
    });
    QTest::mouseMove(View(), CellPoint(3, 5));
    CMainFrame& main = *s->app->MainFrame();
    EXPECT_EQ(main.StatusBarXP()->PaneText(1), QStringLiteral("  x=     3,    y=     5,   ID:      1"));
    EXPECT_EQ(main.StatusBarXP()->PaneText(2), QStringLiteral("           TOTAL:      2 "));
    EXPECT_EQ(main.StatusBarXP()->PaneText(3), QStringLiteral("    PORT:   11, LAMP:      2"));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kX), QStringLiteral("     3"));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kZoom), QStringLiteral("16"));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kId), QStringLiteral("  1"));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kPort), QStringLiteral(" 11"));
    QTest::mouseMove(View(), CellPoint(8, 8));
    EXPECT_EQ(main.StatusBarXP()->PaneText(3), QStringLiteral("    PORT:   -1, LAMP:     -1"));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kLamp), QStringLiteral(" -1"));

    // An edit shows at once, without the pointer moving: the count, and
    // the lamp under the pointer.
    QTest::mouseMove(View(), CellPoint(3, 5));
    EditProject(Doc(), [](CEditImgDoc& data) { data.lamps.pop_back(); });
    EXPECT_EQ(main.StatusBarXP()->PaneText(2), QStringLiteral("           TOTAL:      1 "));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kTotal), QStringLiteral("  1"));
    EXPECT_EQ(main.CoordinatesBar()->Field(CCoordinatesBar::kPort), QStringLiteral(" -1"));
}

TEST_F(EditImgViewTest, ZoomShowsAtOnceAndTheBarsClearWithTheLastLayoutView)
{
    EmptyLayout();
    Registry().Dispatch(cmd::InsertLamp);
    Click(1, 1);
    Click(2, 2);
    QTest::mouseMove(View(), CellPoint(2, 2));
    CMainFrame& main = *s->app->MainFrame();
    CCoordinatesBar& bar = *main.CoordinatesBar();
    EXPECT_EQ(bar.Field(CCoordinatesBar::kTotal), QStringLiteral("  2"));
    // Page Up shows without the pointer moving.
    const int zoom = View()->Zoom();
    QTest::keyClick(View(), Qt::Key_PageUp);
    ASSERT_EQ(View()->Zoom(), zoom + 5);
    EXPECT_EQ(bar.Field(CCoordinatesBar::kZoom), QString::number(zoom + 5));

    // A second layout shows its own zoom and count, nothing of the first one's cell.
    CEditImgView* first = View();
    Registry().Dispatch(cmd::NewImageDocument);
    ProcessEvents();
    ASSERT_NE(View(), first);
    EXPECT_EQ(bar.Field(CCoordinatesBar::kZoom), QStringLiteral("16"));
    EXPECT_EQ(bar.Field(CCoordinatesBar::kTotal), QStringLiteral("  0"));
    EXPECT_EQ(bar.Field(CCoordinatesBar::kX), QString());
    EXPECT_EQ(main.StatusBarXP()->PaneText(1), QString());

    // With the last layout view closed nothing of them is left.
    s->log.answer = QMessageBox::No;
    while (View()) {
        Registry().Dispatch(cmd::FileClose);
        ProcessEvents();
    }
    for (int pane : {1, 2, 3})
        EXPECT_EQ(main.StatusBarXP()->PaneText(pane), QString()) << pane;
    for (int field : {CCoordinatesBar::kX, CCoordinatesBar::kY, CCoordinatesBar::kZoom, CCoordinatesBar::kId,
                      CCoordinatesBar::kTotal, CCoordinatesBar::kPort, CCoordinatesBar::kLamp})
        EXPECT_EQ(bar.Field(field), QString()) << field;
}

TEST_F(EditImgViewTest, OrderNumbersReadOnEveryPortColourAtEveryZoom)
{
    CLayoutDocument document;
    CEditImgDoc project;
    for (int port = 1; port <= kPortCount; ++port) {
        CLamp lamp(2 * port, 1, port - 1, static_cast<std::int32_t>(CPortEditor::PortColour(port)), 5, 1);
        lamp.port = port;
        lamp.order = 8;
        project.lamps.push_back(lamp);
    }
    project.scanned = true;
    document.OpenProject(project);
    CEditImgView view(&document);
    view.resize(800, 300);
    view.grab(); // the first paint fits the zoom; the commands set it after that
    auto luma = [](QColor c) { return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000; };
    for (int zoomCommand : {cmd::Zoom12, cmd::Zoom20, cmd::Zoom28}) {
        view.RunCommand(zoomCommand);
        const QImage image = view.grab().toImage();
        const int zoom = view.Zoom();
        for (const CLamp& lamp : project.lamps) {
            // The strokes of the number stand out from the lamp by at least 100 of 255 in brightness.
            const QPoint origin = view.LampOrigin(lamp.x, lamp.y);
            const int background = luma(LampColour(lamp.colour));
            int contrast = 0;
            for (int y = origin.y() + zoom / 5; y < origin.y() + 5 * zoom / 6; ++y)
                for (int x = origin.x() + zoom / 6; x < origin.x() + 5 * zoom / 6; ++x)
                    contrast = std::max(contrast, std::abs(luma(image.pixelColor(x, y)) - background));
            EXPECT_GE(contrast, 100) << "port " << lamp.port << " zoom " << zoom;
        }
    }
}

TEST_F(EditImgViewTest, ShowWiringDrawsEachChainInItsPortColour)
{
    EmptyLayout();
    EditProject(Doc(), [](CEditImgDoc& data) {
        auto chained = [&data](int x, int y, int port, int order) {
            CLamp lamp(x, y, static_cast<int>(data.lamps.size()),
                       static_cast<std::int32_t>(CPortEditor::PortColour(port)), 5, 1);
            lamp.port = port;
            lamp.order = order;
            data.lamps.push_back(lamp);
        };
        chained(2, 2, 1, 1);
        chained(8, 2, 1, 2);
        chained(2, 8, 2, 2);
        chained(8, 8, 2, 1);
    });
    Registry().Dispatch(cmd::Zoom20);
    const int zoom = View()->Zoom();
    auto centre = [&](int x, int y) { return View()->LampOrigin(x, y) + QPoint(zoom / 2, zoom / 2); };
    const QColor red = LampColour(static_cast<std::int32_t>(CPortEditor::PortColour(1)));
    const QColor blue = LampColour(static_cast<std::int32_t>(CPortEditor::PortColour(2)));

    EXPECT_FALSE(Checked(cmd::ShowWiring));
    QImage shot = View()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(centre(5, 2)), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(centre(5, 8)), QColor(Qt::black));

    Registry().Dispatch(cmd::ShowWiring);
    EXPECT_TRUE(Checked(cmd::ShowWiring));
    shot = View()->grab().toImage();
    // Halfway between two chained lamps, in the port's colour.
    EXPECT_EQ(shot.pixelColor(centre(5, 2)), red);
    EXPECT_EQ(shot.pixelColor(centre(5, 8)), blue);
    // Port 2 starts at (8, 8): that lamp is ringed, its other end is not.
    const int ring = static_cast<int>(0.6 * zoom);
    EXPECT_EQ(shot.pixelColor(centre(8, 8) + QPoint(ring, 0)), blue);
    EXPECT_EQ(shot.pixelColor(centre(2, 8) - QPoint(ring, 0)), QColor(Qt::black));

    Registry().Dispatch(cmd::ShowWiring);
    EXPECT_FALSE(Checked(cmd::ShowWiring));
    EXPECT_EQ(View()->grab().toImage().pixelColor(centre(5, 2)), QColor(Qt::black));
}

// --- ports -----------------------------------------------------------------

TEST_F(EditImgViewTest, PortEditDialogValidatesAndSetsTheOperation)
{
    EmptyLayout();
    auto tryValues = [this](const char* port, const char* position, int radio) {
        bool accepted = false;
        s->log.fillDialog = [&](QDialog& dialog) {
            EXPECT_EQ(Child<QLineEdit>(dialog, CPortEditDlg::kPosition)->text(), QStringLiteral("0"));
            for (int id : {CPortEditDlg::kAdd, CPortEditDlg::kInsert, CPortEditDlg::kDelete})
                EXPECT_FALSE(Child<QRadioButton>(dialog, id)->isChecked());
            if (radio)
                Child<QRadioButton>(dialog, radio)->setChecked(true);
            Child<QLineEdit>(dialog, CPortEditDlg::kPort)->setText(QString::fromLatin1(port));
            Child<QLineEdit>(dialog, CPortEditDlg::kPosition)->setText(QString::fromLatin1(position));
            dialog.accept();
            accepted = dialog.result() == QDialog::Accepted;
        };
        Registry().Dispatch(cmd::PortEdit);
        return accepted;
    };
    for (auto [port, position] : {std::pair{"0", "0"}, {"13", "0"}, {"1", "-1"}, {"1", "9999"}, {"x", "0"}})
        EXPECT_FALSE(tryValues(port, position, CPortEditDlg::kInsert)) << port << " " << position;
    EXPECT_EQ(s->log.messages.size(), 5);
    EXPECT_EQ(s->log.messages.front(), QStringLiteral("Please enter an integer between 1 and 12."));
    EXPECT_EQ(View()->PortEdit().operation, CPortEditor::None);

    EXPECT_TRUE(tryValues("12", "9998", CPortEditDlg::kInsert));
    EXPECT_EQ(View()->PortEdit().operation, CPortEditor::Insert);
    EXPECT_EQ(View()->PortEdit().currentPort, 12);
    EXPECT_EQ(View()->PortEdit().insertPosition, 9998);
    EXPECT_EQ(View()->CurrentTool(), CEditImgView::InsertTool);
    EXPECT_TRUE(tryValues("3", "5", CPortEditDlg::kDelete)); // delete keeps port and position
    EXPECT_EQ(View()->PortEdit().currentPort, 12);
    EXPECT_EQ(View()->PortEdit().insertPosition, 9998);
    EXPECT_TRUE(tryValues("4", "5", 0));
    EXPECT_EQ(View()->PortEdit().operation, CPortEditor::None);
    EXPECT_EQ(s->log.dialogs.back(), QStringLiteral("Port Edit"));

    // The radio buttons' read-only rules, and the port field's start value.
    s->log.fillDialog = [](QDialog& dialog) {
        auto* port = Child<QLineEdit>(dialog, CPortEditDlg::kPort);
        auto* position = Child<QLineEdit>(dialog, CPortEditDlg::kPosition);
        EXPECT_EQ(port->text(), QStringLiteral("13"));
        Child<QRadioButton>(dialog, CPortEditDlg::kAdd)->setChecked(true);
        EXPECT_FALSE(port->isReadOnly());
        EXPECT_TRUE(position->isReadOnly());
        Child<QRadioButton>(dialog, CPortEditDlg::kInsert)->setChecked(true);
        EXPECT_FALSE(port->isReadOnly());
        EXPECT_FALSE(position->isReadOnly());
        Child<QRadioButton>(dialog, CPortEditDlg::kDelete)->setChecked(true);
        EXPECT_TRUE(port->isReadOnly());
        EXPECT_TRUE(position->isReadOnly());
        dialog.reject();
    };
    Registry().Dispatch(cmd::PortEdit);
}

TEST_F(EditImgViewTest, PortChainsByClickAndCoordinatesBarAndCportFile)
{
    EmptyLayout();
    Registry().Dispatch(cmd::InsertLamp);
    for (int y = 0; y < 4; ++y)
        Click(1, y);
    // Port 2 by the bar's button, then ADD.
    Registry().Dispatch(cmd::CoordPort1 + 1);
    Registry().Dispatch(cmd::CoordAdd);
    EXPECT_EQ(View()->PortEdit().currentPort, 2);
    EXPECT_EQ(View()->PortEdit().operation, CPortEditor::Add);
    EXPECT_EQ(View()->CurrentTool(), CEditImgView::InsertTool);
    Click(1, 0);
    Click(1, 1);
    Click(1, 2);
    auto orders = [this] {
        std::vector<int> o;
        for (const CLamp& lamp : Data().lamps)
            o.push_back(lamp.order);
        return o;
    };
    EXPECT_EQ(orders(), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(Data().lamps[0].colour, static_cast<int>(CPortEditor::PortColour(2)));

    // INSERT asks the position in dialog 209.
    s->log.fillDialog = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Insert Postion"));
        Child<QLineEdit>(dialog, CInsertPositionDlg::kPosition)->setText(QStringLiteral("0"));
        dialog.accept();
    };
    Registry().Dispatch(cmd::CoordInsert);
    EXPECT_EQ(View()->PortEdit().operation, CPortEditor::Insert);
    Click(1, 3);
    EXPECT_EQ(orders(), (std::vector<int>{2, 3, 4, 1}));

    // DELETE takes the middle lamp out and closes the gap.
    Registry().Dispatch(cmd::CoordDelete);
    Click(1, 1);
    EXPECT_EQ(orders(), (std::vector<int>{2, 0, 3, 1}));
    EXPECT_EQ(Data().lamps[1].colour, 0x00FF00);

    // "cport.h" lands in the current directory, byte for byte the table.
    s->app->SetCurrentDirectory(install.FilePath(QString()));
    Registry().Dispatch(cmd::PortTableOut);
    EXPECT_EQ(ReadFile(install.FilePath(QStringLiteral("cport.h"))), CPortTable::Text(Data().lamps));
    EXPECT_EQ(s->app->MainFrame()->StatusBarXP()->PaneText(0),
              QStringLiteral("cport.h written to ") + QDir::toNativeSeparators(Doc().PortTablePath()));

    s->app->SetCurrentDirectory(install.FilePath(QStringLiteral("no/such/folder")));
    Registry().Dispatch(cmd::PortTableOut);
    EXPECT_EQ(s->log.messages.back(), QStringLiteral("Cannot create the file cport.h."));
}

// --- document commands -------------------------------------------------------

TEST_F(EditImgViewTest, SaveAsNamesTheFileAndWritesThePortTableBesideIt)
{
    EmptyLayout();
    Registry().Dispatch(cmd::InsertLamp);
    Click(0, 0);
    // Below two lamps: nothing at all.
    s->log.saveName = install.FilePath(QStringLiteral("one"));
    Registry().Dispatch(cmd::FileSaveAs);
    Registry().Dispatch(cmd::FileSave);
    EXPECT_FALSE(QFile::exists(install.FilePath(QStringLiteral("ONE.LED"))));

    Click(0, 1);
    QDir(install.FilePath(QString())).mkdir(QStringLiteral("Sites"));
    s->log.saveName = install.FilePath(QStringLiteral("Sites/abc.led"));
    Registry().Dispatch(cmd::FileSave); // no path yet: Save As
    const QString saved = install.FilePath(QStringLiteral("Sites/ABC.LED"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(Doc().GetPathName(), QFileInfo(saved).absoluteFilePath());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(s->app->CurrentDirectory(), QFileInfo(saved).absolutePath());
    EXPECT_TRUE(QFile::exists(install.FilePath(QStringLiteral("Sites/cport.h"))));
    EXPECT_EQ(ReadFile(saved), CLayoutFile::Serialize(Data()));

    // Save goes to the same path and writes the port table again beside
    // it, wherever the current directory has gone meanwhile (another
    // project opened from the command line, say).
    QFile::remove(install.FilePath(QStringLiteral("Sites/cport.h")));
    s->app->SetCurrentDirectory(install.FilePath(QString()));
    Click(0, 2);
    Registry().Dispatch(cmd::FileSave);
    EXPECT_TRUE(QFile::exists(install.FilePath(QStringLiteral("Sites/cport.h"))));
    EXPECT_FALSE(QFile::exists(install.FilePath(QStringLiteral("cport.h"))));
    EXPECT_EQ(Result<CEditImgDoc>(CLayoutFile::Load(saved.toStdString()))->lamps, Data().lamps);
}

TEST_F(EditImgViewTest, OpenedLayoutStartsInEditingWithoutThePicture)
{
    CEditImgDoc layout;
    layout.lamps = {CLamp(0, 0, 0, 0x00FF00, 5, 1), CLamp(3, 1, 1, 0x00FF00, 5, 1)};
    const QString path = install.FilePath(QStringLiteral("SITE.LED"));
    ASSERT_TRUE(CLayoutFile::Save(layout, path.toStdString()));
    s->log.openName = path;
    Registry().Dispatch(cmd::FileOpen);
    ASSERT_EQ(Doc().GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_TRUE(Data().scanned);
    EXPECT_TRUE(Enabled(cmd::InsertLamp));
    EXPECT_FALSE(Enabled(cmd::PickBackColour));
    EXPECT_FALSE(View()->PictureShown());
}

TEST_F(EditImgViewTest, TransferDataHandsCopiesToAModeTestFrame)
{
    EmptyLayout();
    Registry().Dispatch(cmd::InsertLamp);
    Click(0, 0);
    CMainFrame& main = *s->app->MainFrame();
    Registry().Dispatch(cmd::TransferData); // one lamp: nothing
    EXPECT_EQ(CModeTestState::Find(Doc()), nullptr);
    Click(4, 2);
    Click(2, 6);
    s->app->SetCurrentDirectory(install.FilePath(QString()));
    CLayoutDocument* layout = &Doc();
    Registry().Dispatch(cmd::TransferData);
    ProcessEvents();
    ASSERT_NE(CModeTestState::Find(*layout), nullptr);
    QPointer<CView> modeTest = CModeTestState::Find(*layout)->View();
    ASSERT_NE(modeTest, nullptr);
    EXPECT_NE(dynamic_cast<CModetestView*>(modeTest.data()), nullptr);
    EXPECT_EQ(modeTest->GetDocument(), layout);
    EXPECT_EQ(layout->Data().lampPositions, layout->Data().lamps);
    EXPECT_EQ(CModeTestState::Find(*layout)->HandedOverLampCount(), 3);
    EXPECT_FALSE(Enabled(cmd::TransferData)) << "not twice from the mode test view";
    EXPECT_TRUE(QFile::exists(install.FilePath(QStringLiteral("cport.h"))));
    EXPECT_EQ(main.CurrentMenuId(), 169);

    // The mode test view paints the handed-over lamps in its blue.
    const QImage shot = modeTest->grab().toImage();
    bool blue = false;
    for (int y = 0; y < shot.height() && !blue; ++y)
        for (int x = 0; x < shot.width() && !blue; ++x)
            blue = shot.pixelColor(x, y) == QColor(58, 110, 165);
    EXPECT_TRUE(blue);

    // Deleting in the layout leaves the handed-over values intact.
    const std::vector<CLamp> handed = layout->Data().lampPositions;
    EditProject(*layout, [](CEditImgDoc& data) { data.lamps.erase(data.lamps.begin()); });
    ASSERT_TRUE(layout->IsModified());
    EXPECT_EQ(layout->Data().lampPositions, handed);

    // A new document sends the mode test view File Close; Cancel keeps it.
    s->log.answer = QMessageBox::Cancel;
    Registry().Dispatch(cmd::NewImageDocumentMain);
    ProcessEvents();
    EXPECT_NE(modeTest, nullptr);
    s->log.answer = QMessageBox::No;
    Registry().Dispatch(cmd::NewImageDocumentMain);
    ProcessEvents();
    EXPECT_EQ(modeTest, nullptr);
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        ASSERT_NE(frame, nullptr);
        EXPECT_NE(frame->View()->GetDocument(), static_cast<CDocument*>(layout));
    }
}

TEST_F(EditImgViewTest, PrintCommandAndPreviewMark)
{
    EmptyLayout();
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 100; y += 33)
            EditProject(Doc(), [x, y](CEditImgDoc& data) {
                data.lamps.emplace_back(x, y, static_cast<int>(data.lamps.size()), 0x00FF00, 5, 1);
            });
    const QString pdf = install.FilePath(QStringLiteral("layout.pdf"));
    s->log.fillDialog = [this, &pdf](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        ASSERT_NE(print, nullptr);
        EXPECT_EQ(print->printer(), &s->app->Printer()) << "the printer Print Setup set up";
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        print->QDialog::done(QDialog::Accepted);
    };
    Registry().Dispatch(cmd::FilePrint);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // 60 columns and rows 0 to 99: two pages across, two down.
    EXPECT_EQ(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
        4);

    // The first activation after Print Preview hides the main tool bar, once.
    s->log.fillDialog = {};
    Registry().Dispatch(cmd::FilePrintPreview);
    CMainFrame& main = *s->app->MainFrame();
    main.CoordinatesBar()->setEnabled(false);
    View()->OnActivateView(true);
    EXPECT_FALSE(main.MainToolBar()->isVisible());
    EXPECT_TRUE(main.CoordinatesBar()->isEnabled());
    View()->OnActivateView(true);
    EXPECT_TRUE(main.MainToolBar()->isVisible());
}

// --- undo ------------------------------------------------------------------

TEST_F(EditImgViewTest, UndoAndRedoRestoreTheDocumentByteForByte)
{
    s->log.openName =
        SavePicture(SitePicture(320, 240, {{0, 0}, {0, 1}, {2, 2}, {5, 3}}), QStringLiteral("u.bmp"));
    Registry().Dispatch(cmd::OpenImage);
    const std::string blank = CLayoutFile::Serialize(Data());
    Registry().Dispatch(cmd::Scan);
    View()->FinishScanNow();
    const std::string scanned = CLayoutFile::Serialize(Data());
    ASSERT_GE(Data().lamps.size(), 2u);

    Registry().Dispatch(cmd::Zoom16);
    Registry().Dispatch(cmd::InsertLamp);
    Click(40, 2);
    const std::string inserted = CLayoutFile::Serialize(Data());
    Registry().Dispatch(cmd::CoordPort1);
    Registry().Dispatch(cmd::CoordAdd);
    Click(40, 2);
    Click(Data().lamps[0].x, Data().lamps[0].y);
    const std::string chained = CLayoutFile::Serialize(Data());
    Registry().Dispatch(cmd::DeleteLamp);
    Click(40, 2);
    const std::string deleted = CLayoutFile::Serialize(Data());
    EXPECT_NE(deleted, chained);

    // Saved here: the stack's clean state.
    s->log.saveName = install.FilePath(QStringLiteral("u"));
    Registry().Dispatch(cmd::FileSaveAs);
    EXPECT_FALSE(Doc().IsModified());

    EXPECT_EQ(Registry().KeyCommand(QKeySequence(Qt::CTRL | Qt::Key_Z)), cmd::EditUndo);
    EXPECT_EQ(Registry().KeyCommand(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)), cmd::EditRedo);
    Registry().Dispatch(cmd::EditUndo);
    EXPECT_EQ(CLayoutFile::Serialize(Data()), chained);
    EXPECT_TRUE(Doc().IsModified());
    Registry().Dispatch(cmd::EditUndo);
    Registry().Dispatch(cmd::EditUndo);
    EXPECT_EQ(CLayoutFile::Serialize(Data()), inserted);
    Registry().Dispatch(cmd::EditUndo);
    EXPECT_EQ(CLayoutFile::Serialize(Data()), scanned);
    Registry().Dispatch(cmd::EditUndo);
    EXPECT_EQ(CLayoutFile::Serialize(Data()), blank);
    Registry().Dispatch(cmd::EditUndo); // Open Image fitted the scan scope: an edit too
    EXPECT_FALSE(Enabled(cmd::EditUndo));

    for (int i = 0; i < 6; ++i)
        Registry().Dispatch(cmd::EditRedo);
    EXPECT_EQ(CLayoutFile::Serialize(Data()), deleted);
    EXPECT_FALSE(Doc().IsModified()); // back at the saved state
    EXPECT_FALSE(Enabled(cmd::EditRedo));

    // The two items close the Edit menu, after a separator.
    QMenu* edit = s->app->MainFrame()->GetMenuBarSubMenu(2);
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> items = edit->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_TRUE(items[items.size() - 3]->isSeparator());
    EXPECT_EQ(CCommandRegistry::IdOf(items[items.size() - 2]), cmd::EditUndo);
    EXPECT_EQ(CCommandRegistry::IdOf(items.back()), cmd::EditRedo);
    EXPECT_EQ(items.back()->text(), QStringLiteral("Redo(&R)\tCtrl+Shift+Z"));
}

} // namespace
} // namespace lumaro::gui::test
