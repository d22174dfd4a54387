#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/MainFrame.h"
#include "gui/layout/EditImgView.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/DemoView.h"
#include "gui/preview/LayerDlg.h"
#include "gui/preview/ModeTestState.h"
#include "gui/preview/ModetestView.h"
#include "gui/preview/ZoomDlg.h"
#include "gui/widgets/StatusBarXP.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

using Picks = CModeTestState::PickRequests;
using GroupPick = CModeTestState::GroupPick;
using ParameterPick = CModeTestState::ParameterPick;

// Ten columns by four rows of lamps, numbered row by row.
std::vector<CLamp> Grid()
{
    std::vector<CLamp> lamps;
    for (int i = 0; i < 40; ++i)
        lamps.emplace_back(i % 10, i / 10, i, 0x00FF00, 5, 1);
    return lamps;
}

// A layout handed over by Transfer Data, its mode test view active.
class ModetestViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
        CMainFrame* main = s->app->MainFrame();
        main->resize(1100, 800);
        doc = dynamic_cast<CLayoutDocument*>(main->GetActiveDocument());
        ASSERT_NE(doc, nullptr);
        Registry().Dispatch(cmd::NewEmptyLayout);
        dynamic_cast<CEditImgView*>(main->GetActiveView())->FinishScanNow();
        EditProject(*doc, [](CEditImgDoc& data) { data.lamps = Grid(); });
        s->app->SetCurrentDirectory(install.FilePath(QString()));
        Registry().Dispatch(cmd::TransferData);
        ProcessEvents();
        state = CModeTestState::Find(*doc);
        ASSERT_NE(state, nullptr);
        view = dynamic_cast<CModetestView*>(state->View());
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(main->GetActiveView(), view);
    }
    void TearDown() override { s.reset(); }

    CCommandRegistry& Registry() { return s->app->Registry(); }
    const CEditImgDoc& Data() { return doc->Data(); }
    void SetLamps(std::vector<CLamp> lamps)
    {
        EditProject(*doc, [&lamps](CEditImgDoc& data) { data.lampPositions = lamps; });
    }
    void Request(Picks picks) { state->SetPickRequests(picks); }
    QPoint At(int x, int y)
    {
        view->PlaceLamps();
        return view->CellCentre(x, y);
    }
    void Click(int x, int y) { QTest::mouseClick(view, Qt::LeftButton, {}, At(x, y)); }
    QColor ColourOf(int x, int y) { return view->RenderPicture().pixelColor(At(x, y)); }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
    CLayoutDocument* doc = nullptr;
    CModeTestState* state = nullptr;
    CModetestView* view = nullptr;
};

const QColor kPlain(58, 110, 165), kLayer(0, 255, 0), kPicked(0, 0, 255);

// --- fit and painting -----------------------------------------------------

TEST_F(ModetestViewTest, FitsTheLargerExtentAndCentresTheLayout)
{
    const int w = view->width(), h = view->height();
    ASSERT_GT(w, 400);
    auto fit = [this](int x0, int y0, int x1, int y1) {
        SetLamps({CLamp(x0, y0, 0, 0, 1, 1), CLamp(x1, y1, 1, 0, 1, 1)});
        view->PlaceLamps();
        return view->Zoom();
    };
    EXPECT_EQ(fit(3, 5, 203, 25), w / 200) << "wider than tall: by width";
    EXPECT_EQ(view->Origin(), QPoint((w - 206 * view->Zoom()) / 2, (h - 30 * view->Zoom()) / 2));
    EXPECT_EQ(fit(0, 0, 30, 300), h / 300) << "taller than wide: by height";
    EXPECT_EQ(fit(0, 0, 300, 300), h / 300) << "square: by height";
    EXPECT_EQ(fit(0, 0, 3, 2), 20) << "never above 20";
    EXPECT_EQ(view->Origin(), QPoint((w - 60) / 2, (h - 40) / 2));
    // No extent at all: the largest cell, in the middle of the window.
    EXPECT_EQ(fit(7, 9, 7, 9), 20);
    EXPECT_EQ(view->CellCentre(7, 9), QPoint((w - 280) / 2 + 140, (h - 360) / 2 + 180));
    EXPECT_EQ(state->Zoom(), 20) << "the pages scale by it";
}

TEST_F(ModetestViewTest, PaintsTheLayerAndThePicksOnlyWhilePicking)
{
    EditProject(*doc, [](CEditImgDoc& data) {
        data.layers[0] = {1, 2};
        data.picks.lamps = {2, 3};
    });
    EXPECT_EQ(ColourOf(0, 0), kPlain);
    EXPECT_EQ(ColourOf(1, 0), kLayer);
    EXPECT_EQ(ColourOf(2, 0), kLayer) << "group picks hidden while nothing is picked";
    Request({.group = GroupPick::Add});
    EXPECT_EQ(ColourOf(2, 0), kPicked);
    EXPECT_EQ(ColourOf(3, 0), kPicked);
    EXPECT_EQ(view->grab().toImage().pixelColor(At(3, 0)), kPicked) << "a paint shows the picture";

    // The sentinel is no lamp, even in a layout with a lamp numbered 10000.
    std::vector<CLamp> many;
    for (int i = 0; i <= 10000; ++i)
        many.emplace_back(i % 400, i / 400, i, 0, 1, 1);
    SetLamps(many);
    Request({.parameter = ParameterPick::Add});
    EXPECT_EQ(ColourOf(0, 25), kPlain);
}

// --- picks ----------------------------------------------------------------

TEST_F(ModetestViewTest, ClicksBuildTheGroupAndParameterLists)
{
    Request({.group = GroupPick::Add});
    Click(4, 0);
    Click(5, 1);
    QTest::mouseClick(view, Qt::LeftButton, {}, At(0, 0) - QPoint(view->Zoom(), 0));
    EXPECT_EQ(Data().picks.lamps, (UIntArray{4, 15})) << "off the grid: nothing";
    EditProject(*doc, [](CEditImgDoc& data) { data.picks.lampCursor = 1; });
    Request({.group = GroupPick::Insert});
    Click(0, 0);
    Click(1, 0);
    EXPECT_EQ(Data().picks.lamps, (UIntArray{4, 0, 1, 15}));
    EXPECT_EQ(Data().picks.lampCursor, 3u);
    Request({.group = GroupPick::Remove});
    Click(4, 0);
    EXPECT_EQ(Data().picks.lamps, (UIntArray{0, 1, 15}));
    doc->UndoStack().undo();
    EXPECT_EQ(Data().picks.lamps, (UIntArray{4, 0, 1, 15}));
    doc->UndoStack().redo();
    EXPECT_EQ(Data().picks.lamps, (UIntArray{0, 1, 15}));

    Request({.parameter = ParameterPick::Add});
    Click(2, 2);
    EXPECT_EQ(Data().picks.parameterLamps, (UIntArray{22}));
    Request({.parameter = ParameterPick::Remove});
    Click(2, 2);
    EXPECT_EQ(Data().picks.parameterLamps, (UIntArray{CPickLists::kNoLamp}));
    EXPECT_EQ(ColourOf(2, 2), kPlain);
}

TEST_F(ModetestViewTest, DragsPaintEveryLampPassedOverAsOneUndoStep)
{
    Request({.group = GroupPick::Add});
    const int steps = doc->UndoStack().count();
    QTest::mousePress(view, Qt::LeftButton, {}, At(0, 1));
    QTest::mouseMove(view, At(1, 1));
    QTest::mouseMove(view, At(6, 1)); // a fast move skips no lamp
    QTest::mouseMove(view, At(5, 1)); // back over painted lamps: once each
    QTest::mouseMove(view, At(9, 1));
    QTest::mouseRelease(view, Qt::LeftButton, {}, At(9, 1));
    EXPECT_EQ(Data().picks.lamps, (UIntArray{10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
    EXPECT_EQ(doc->UndoStack().count(), steps + 1);
    doc->UndoStack().undo();
    EXPECT_TRUE(Data().picks.lamps.empty());

    // Right drag: the cells of the rectangle, row by row, as clicks.
    QTest::mousePress(view, Qt::RightButton, {}, At(7, 3));
    QTest::mouseMove(view, At(6, 2));
    QTest::mouseRelease(view, Qt::RightButton, {}, At(6, 2));
    EXPECT_EQ(Data().picks.lamps, (UIntArray{26, 27, 36, 37}));
}

TEST_F(ModetestViewTest, LayerEditChangesTheChosenLayer)
{
    QString layer = QStringLiteral("3");
    s->log.fillDialog = [&layer](QDialog& dialog) {
        auto& layers = dynamic_cast<CLayerDlg&>(dialog);
        layers.LayerField()->setText(layer);
        layers.Button(CLayerDlg::AddLamps)->setChecked(true);
        layers.accept();
    };
    Registry().Dispatch(cmd::LayerEdit);
    EXPECT_EQ(view->LayerEditMode(), CLayerDlg::AddLamps);
    EXPECT_EQ(state->CurrentLayer(), 2);
    Click(1, 1);
    Click(1, 1);
    EXPECT_EQ(Data().layers[2], (UIntArray{11}));
    EXPECT_EQ(ColourOf(1, 1), kLayer);
    doc->UndoStack().undo();
    EXPECT_TRUE(Data().layers[2].empty());

    // A layer beyond the project's changes nothing; 51 is refused by the dialog.
    EditProject(*doc, [](CEditImgDoc& data) { data.layers.resize(2); });
    Registry().Dispatch(cmd::LayerEdit);
    EXPECT_EQ(state->CurrentLayer(), 2);
    layer = QStringLiteral("51");
    Registry().Dispatch(cmd::LayerEdit);
    EXPECT_EQ(s->log.messages.size(), 1);

    // A click that answers a page ends Layer Edit.
    Request({.circleCentre = true});
    Click(0, 0);
    EXPECT_EQ(view->LayerEditMode(), CLayerDlg::NoEdit);
}

TEST_F(ModetestViewTest, StartPointRectangleAndCentreAnswerThePages)
{
    QSignalSpy start(state, &CModeTestState::StartPointPicked);
    QSignalSpy area(state, &CModeTestState::AreaPicked);
    QSignalSpy centre(state, &CModeTestState::CircleCentrePicked);
    QSignalSpy back(state, &CModeTestState::ReturnToPage);
    const QPoint origin = At(0, 0);

    Request({.startPoint = true});
    QTest::mouseClick(view, Qt::LeftButton, {}, origin + QPoint(37, 12));
    ASSERT_EQ(start.size(), 1);
    EXPECT_EQ(start[0][0].toPoint(), QPoint(37, 12));
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0][0].toInt(), int(CModeTestState::ParameterPage));

    // Either way round the same area; left of cell (0,0) clamps at 0.
    for (bool reversed : {false, true}) {
        Request({.rectangle = true});
        const QPoint a = origin + QPoint(-30, 10), b = origin + QPoint(90, 50);
        QTest::mousePress(view, Qt::LeftButton, {}, reversed ? b : a);
        QTest::mouseMove(view, origin + QPoint(20, 20));
        QTest::mouseRelease(view, Qt::LeftButton, {}, reversed ? a : b);
        ASSERT_EQ(area.size(), reversed ? 2 : 1);
        const QRect got = area.back()[0].toRect();
        EXPECT_EQ(QList<int>({got.left(), got.top(), got.right(), got.bottom()}),
                  QList<int>({0, 10, 90, 50}));
    }
    EXPECT_EQ(back.size(), 3);

    Request({.circleCentre = true});
    QTest::mouseClick(view, Qt::LeftButton, {}, origin + QPoint(5, -5));
    ASSERT_EQ(centre.size(), 1);
    EXPECT_EQ(centre[0][0].toPoint(), QPoint(5, 0));
    EXPECT_EQ(state->Picks(), Picks()) << "every request answered once";
}

TEST_F(ModetestViewTest, DoubleClickReturnsToThePickingPage)
{
    QSignalSpy back(state, &CModeTestState::ReturnToPage);
    Request({.group = GroupPick::Insert});
    QTest::mouseDClick(view, Qt::LeftButton, {}, At(0, 0));
    Request({.parameter = ParameterPick::Remove});
    QTest::mouseDClick(view, Qt::LeftButton, {}, At(0, 0));
    EXPECT_EQ(state->Picks(), Picks());
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0][0].toInt(), int(CModeTestState::GroupListPage));
    EXPECT_EQ(back[1][0].toInt(), int(CModeTestState::ParameterPage));

    // Nothing picked: only Layer Edit ends.
    s->log.fillDialog = [](QDialog& dialog) {
        dynamic_cast<CLayerDlg&>(dialog).Button(CLayerDlg::DeleteLamps)->setChecked(true);
        dialog.accept();
    };
    Registry().Dispatch(cmd::LayerEdit);
    ASSERT_EQ(view->LayerEditMode(), CLayerDlg::DeleteLamps);
    QTest::mouseDClick(view, Qt::LeftButton, {}, At(0, 0));
    EXPECT_EQ(view->LayerEditMode(), CLayerDlg::NoEdit);
    EXPECT_EQ(back.size(), 2);
}

// --- menu, commands and bars ------------------------------------------------

TEST_F(ModetestViewTest, NoContextMenuWhileTheGroupListPagePicks)
{
    int shown = 0;
    auto closeMenu = [&shown] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            ++shown;
            menu->close();
        }
    };
    auto openBoth = [this, &closeMenu] {
        QTimer::singleShot(0, closeMenu);
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(view, &key);
        QTimer::singleShot(0, closeMenu);
        QTest::mouseClick(view, Qt::RightButton, {}, At(3, 3));
        ProcessEvents();
    };
    openBoth();
    EXPECT_EQ(shown, 2) << "the menu key and a right click";
    Request({.group = GroupPick::Remove});
    openBoth();
    EXPECT_EQ(shown, 2);
}

TEST_F(ModetestViewTest, ZoomDialogTakesTwoToTwenty)
{
    int value = 0;
    s->log.fillDialog = [&value](QDialog& dialog) {
        dynamic_cast<CZoomDlg&>(dialog).ValueBox()->setValue(value);
        dialog.accept();
    };
    const int fitted = view->Zoom();
    for (int typed : {1, 21, 2, 20}) {
        value = typed;
        Registry().Dispatch(cmd::ZoomDialog);
        view->PlaceLamps();
        EXPECT_EQ(view->Zoom(), typed == 1 || typed == 21 ? fitted : typed) << typed;
    }
    ASSERT_EQ(s->log.messages.size(), 2);
    EXPECT_EQ(s->log.messages[0].toStdString(), GetLangText("MODETESTVIEW_ONLARGEN3_PIAN"));
}

TEST_F(ModetestViewTest, MovesShowTheCellInTheStatusAndCoordinatesBars)
{
    CMainFrame* main = s->app->MainFrame();
    EXPECT_FALSE(main->CoordinatesBar()->isEnabled());
    QTest::mousePress(view, Qt::LeftButton, {}, At(2, 3));
    QTest::mouseMove(view, At(2, 3) + QPoint(1, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, At(2, 3));
    const QString id = QString::fromStdString(GetLangText("IDD103_1118"));
    EXPECT_EQ(main->StatusBarXP()->PaneText(1),
              QString::asprintf("  x=%6d,    y=%6d,   ", 2, 3) + id + QString::asprintf(" %6d", 32));
    EXPECT_TRUE(main->StatusBarXP()->PaneText(2).endsWith(QStringLiteral("     40 ")));
    CCoordinatesBar* bar = main->CoordinatesBar();
    EXPECT_EQ(bar->Field(CCoordinatesBar::kId), QStringLiteral(" 32"));
    EXPECT_EQ(bar->Field(CCoordinatesBar::kZoom), QString::asprintf("%2d", view->Zoom()));
    EXPECT_EQ(bar->Field(CCoordinatesBar::kTotal), QStringLiteral(" 40"));
}

TEST_F(ModetestViewTest, CountsFollowTheLampsAndTheLanguageWithoutAMove)
{
    CMainFrame* main = s->app->MainFrame();
    CCoordinatesBar* bar = main->CoordinatesBar();
    EXPECT_EQ(bar->Field(CCoordinatesBar::kTotal), QStringLiteral(" 40")) << "shown on activation";
    EXPECT_EQ(bar->Field(CCoordinatesBar::kX), QString());
    QTest::mouseMove(view, At(2, 3));
    std::vector<CLamp> fewer = Data().lampPositions;
    fewer.resize(10);
    SetLamps(fewer);
    EXPECT_EQ(bar->Field(CCoordinatesBar::kTotal), QStringLiteral(" 10"));
    EXPECT_TRUE(main->StatusBarXP()->PaneText(2).endsWith(QStringLiteral("     10 ")));

    CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "German.ini");
    RetranslateAllWindows();
    EXPECT_TRUE(
        main->StatusBarXP()->PaneText(1).contains(QString::fromStdString(GetLangText("IDD103_1118"))));
    EXPECT_TRUE(
        main->StatusBarXP()->PaneText(2).contains(QString::fromStdString(GetLangText("IDD103_1119"))));
}

TEST(ModetestViewSummary, CreatDataNamesTheCapacitiesOfTheBuildReport)
{
    CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "English.ini");
    CCompiledEffects compiled;
    compiled.lampSequenceTable.assign(68, {0});
    const auto of = [&](int format) { return CModetestView::CompiledSummary(compiled, {}, format); };
    EXPECT_TRUE(of(1).contains(QStringLiteral("68 of 254 lamp sequences"))) << of(1).toStdString();
    EXPECT_TRUE(of(2).contains(QStringLiteral("68 of 512 lamp sequences")));
    EXPECT_TRUE(of(0).contains(QStringLiteral("68 of 254/512 lamp sequences"))) << "no format chosen yet";
    EXPECT_TRUE(of(0).contains(QStringLiteral("of 61 band lists, 0 of 101 colour lists")));
}

TEST_F(ModetestViewTest, CommandsFollowTheirFlagsAndHooks)
{
    int opened = 0;
    view->openModeEditor = [&opened] { ++opened; };
    Registry().Dispatch(cmd::EditMode);
    EXPECT_EQ(opened, 1);
    state->SetEnabled(CModeTestState::EditModeFlag, false);
    EXPECT_FALSE(Registry().Dispatch(cmd::EditMode));
    EXPECT_FALSE(Registry().Query(cmd::SequentialPlay).Enabled().value_or(true));
    for (int always : {cmd::ZoomDialog, cmd::LayerEdit, cmd::FilePrintPreview, cmd::HelpUsing})
        EXPECT_TRUE(Registry().Query(always).Enabled().value_or(false)) << always;

    // No help file beside the program: the help message.
    Registry().Dispatch(cmd::HelpUsing);
    ASSERT_EQ(s->log.messages.size(), 1);
    EXPECT_EQ(s->log.messages[0].toStdString(), GetLangText("MAINFRM_ONHELPABOUTVC_OHFF"));

    // Print Preview leaves the main tool bar as the preview left it.
    CMainFrame* main = s->app->MainFrame();
    main->MainToolBar()->hide();
    Registry().Dispatch(cmd::FilePrintPreview);
    EXPECT_FALSE(view->PrintPreviewActive());
    EXPECT_FALSE(main->MainToolBar()->isVisibleTo(main));
    view->OnActivateView(true);
    EXPECT_TRUE(main->MainToolBar()->isVisibleTo(main));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(install.FilePath(QStringLiteral("lamps.pdf")));
    view->PrintPicture(printer);
    EXPECT_GT(QFileInfo(printer.outputFileName()).size(), 1000);
}

TEST_F(ModetestViewTest, PlayHandsOverASnapshotThatLaterEditsLeaveAlone)
{
    EditProject(*doc, [](CEditImgDoc& data) {
        CModeItem sweep;
        sweep.type = "CM_LEFTTORIGHT_GC";
        sweep.areaRight = 10;
        sweep.areaBottom = 10;
        sweep.colours = {255, 0, 0};
        data.modes = {sweep, sweep};
    });
    EXPECT_FALSE(Registry().Dispatch(cmd::PartialPlay)) << "nothing compiled yet";
    Registry().Dispatch(cmd::CreateData);
    state->SetSelectedModes(0, 1);
    int closed = 0;
    view->closeModeEditor = [&closed] { ++closed; };
    ASSERT_TRUE(Registry().Dispatch(cmd::PartialPlay));
    ProcessEvents();

    const CPlayHandOver& handOver = state->HandOver();
    EXPECT_EQ(handOver.playMode, CPlayHandOver::Partial);
    EXPECT_EQ(std::pair(handOver.firstSelected, handOver.lastSelected), std::pair(0, 1));
    EXPECT_EQ(handOver.lamps, Data().lampPositions);
    EXPECT_EQ(handOver.compiled, doc->Compiled());
    EXPECT_EQ(closed, 1);
    CMainFrame* main = s->app->MainFrame();
    EXPECT_FALSE(main->MainToolBar()->isEnabled());
    EXPECT_NE(dynamic_cast<CDemoView*>(main->GetActiveView()), nullptr);
    EXPECT_EQ(main->CurrentMenuId(), 131);

    EditProject(*doc, [](CEditImgDoc& data) {
        data.modes.clear();
        data.lampPositions.clear();
    });
    doc->CreateData();
    EXPECT_EQ(handOver.compiled->modes.size(), 2u) << "the demo's data stays as it was handed over";
    EXPECT_EQ(handOver.lamps.size(), 40u);

    // The demo document holds its own copy; closing it gives the tool bar back.
    auto* demo = dynamic_cast<CDemoDoc*>(main->GetActiveDocument());
    ASSERT_NE(demo, nullptr);
    EXPECT_EQ(demo->HandOver().lamps.size(), 40u);
    EXPECT_EQ(demo->HandOver().compiled->modes.size(), 2u);
    main->GetActiveFrame()->close();
    ProcessEvents();
    EXPECT_TRUE(main->MainToolBar()->isEnabled());
}

} // namespace
} // namespace lumaro::gui::test
