#include "gui/ProgramWiring.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/EffectsCommands.h"
#include "gui/effects/ModeEditorSheet.h"
#include "gui/firmware/FirmwareCommands.h"
#include "gui/layout/EditImgView.h"
#include "gui/layout/HoveredCell.h"
#include "gui/layout/LayoutViewConnection.h"
#include "gui/link/LinkCommands.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/DemoView.h"
#include "gui/preview/ModeTestCommands.h"
#include "gui/preview/ModetestView.h"
#include "gui/widgets/StatusBarXP.h"

#include <QPointer>
#include <QToolBar>

#include <memory>

namespace lumaro::gui {

namespace {

using Table = CDocTemplate::AcceleratorTable;

// Accelerator table 130: the layout view's keys as its menus show them.
// Ctrl+W and Ctrl+I go to Switch Window and Insert Lamp, although the File
// menu texts of Use Wizard and Open Image show the same keys; Ctrl+N stays
// the main frame's File New.
Table LayoutKeys()
{
    return {{QKeySequence(Qt::CTRL | Qt::Key_W), cmd::SwitchWindow},
            {QKeySequence(Qt::CTRL | Qt::Key_I), cmd::InsertLamp},
            {QKeySequence(Qt::CTRL | Qt::Key_D), cmd::DeleteLamp},
            {QKeySequence(Qt::CTRL | Qt::Key_F), cmd::TransferData},
            {QKeySequence(Qt::CTRL | Qt::Key_B), cmd::PickBackColour},
            {QKeySequence(Qt::CTRL | Qt::Key_R), cmd::ScanScope},
            {QKeySequence(Qt::CTRL | Qt::Key_Q), cmd::OtherValue},
            {QKeySequence(Qt::CTRL | Qt::Key_E), cmd::Scan},
            {QKeySequence(Qt::CTRL | Qt::Key_G), cmd::ShowGrid},
            {QKeySequence(Qt::CTRL | Qt::Key_C), cmd::PortEdit},
            {QKeySequence(Qt::CTRL | Qt::Key_4), cmd::Zoom4},
            {QKeySequence(Qt::CTRL | Qt::Key_7), cmd::Zoom28}};
}

// Accelerator table 169: the mode test view's keys of menu 169.
Table ModeTestKeys()
{
    return {{QKeySequence(Qt::CTRL | Qt::Key_W), cmd::ZoomDialog},
            {QKeySequence(Qt::CTRL | Qt::Key_L), cmd::LayerEdit},
            {QKeySequence(Qt::CTRL | Qt::Key_E), cmd::EditMode},
            {QKeySequence(Qt::CTRL | Qt::Key_D), cmd::CreateData},
            {QKeySequence(Qt::CTRL | Qt::Key_Q), cmd::PartialPlay},
            {QKeySequence(Qt::CTRL | Qt::Key_F), cmd::ParallelPlay},
            {QKeySequence(Qt::CTRL | Qt::Key_G), cmd::SequentialPlay},
            {QKeySequence(Qt::CTRL | Qt::Key_T), cmd::CreateBinFile},
            {QKeySequence(Qt::CTRL | Qt::Key_Y), cmd::WriteToController}};
}

// A layout document tells the status bar what it wrote, and making a new
// one first ends the mode test state of any other.
void ShowNote(CEditorApp& app, const QString& text)
{
    if (CMainFrame* main = app.MainFrame())
        main->StatusBarXP()->SetPaneText(0, text);
}

// The main frame's bars show what a view announces; the frame is looked
// up each time.
void ConnectViewToBars(CEditorApp& app, CView& view)
{
    QObject::connect(&view, &CView::Note, &view, [&app](const QString& text) { ShowNote(app, text); });
    QObject::connect(&view, &CView::CoordinatesBarUsed, &view, [&app](bool used) {
        if (CMainFrame* main = app.MainFrame())
            main->CoordinatesBar()->setEnabled(used);
    });
}

// The mode test view shows its cell whether it is active or not, and
// leaves the bars as they are when it goes.
void ConnectModeTestViewToBars(CEditorApp& app, CModetestView& view)
{
    ConnectViewToBars(app, view);
    QObject::connect(&view, &CModetestView::HoveredCellChanged, &view, [&app](const HoveredCell& hovered) {
        if (CMainFrame* main = app.MainFrame())
            ShowHoveredCell(*main->StatusBarXP(), *main->CoordinatesBar(), hovered);
    });
    QObject::connect(&view, &CModetestView::ZoomChanged, &view, [&app](int zoom) {
        if (CMainFrame* main = app.MainFrame())
            ShowLayoutZoom(*main->CoordinatesBar(), zoom);
    });
}

// In Sequential order the demo names the mode it plays.
void ConnectDemoViewToBars(CEditorApp& app, CDemoView& view)
{
    ConnectViewToBars(app, view);
    QObject::connect(&view, &CDemoView::SequentialModeShown, &view, [&app](const QString& type, int layer) {
        if (CMainFrame* main = app.MainFrame()) {
            main->StatusBarXP()->SetPaneText(2, type);
            main->StatusBarXP()->SetPaneText(1, QString::asprintf("  mode: %d", layer));
        }
    });
}

CLayoutDocument* MakeLayoutDocument(CEditorApp& app)
{
    auto* document = new CLayoutDocument;
    QObject::connect(document, &CLayoutDocument::Note, document,
                     [&app](const QString& text) { ShowNote(app, text); });
    QObject::connect(document, &CLayoutDocument::Creating, document, [&app] {
        if (auto* modeTest = app.FindCommandTarget<CModeTestCommands>())
            modeTest->CloseModeTestViews();
    });
    return document;
}

// The mode editor's sheet belongs to the mode test view: made on the first
// Edit Mode, ended by a play command, gone with the view.
void GiveModeEditor(CEditorApp& app, CModetestView& view, CLayoutDocument& layout)
{
    auto sheet = std::make_shared<QPointer<CModeEditorSheet>>();
    view.openModeEditor = [&app, &view, &layout, sheet] {
        if (!*sheet)
            *sheet = new CModeEditorSheet(layout, app.Prompts(), app.DataFolder(), &view);
        (*sheet)->Open();
    };
    view.closeModeEditor = [sheet] {
        if (*sheet)
            (*sheet)->End();
    };
}

} // namespace

CEditorApp::Options WireProgram(CEditorApp::Options options)
{
    options.featuresReady = [](CEditorApp& ready) {
        ready.AddCommandTarget(std::make_unique<CModeTestCommands>(ready));
        auto effects = std::make_unique<CEffectsCommands>(ready);
        auto firmware = std::make_unique<CFirmwareCommands>(ready);
        // The scene editor's Save/Create goes on to the image build.
        effects->buildFirmware = [target = firmware.get()](CLayoutDocument& document, QWidget* owner,
                                                           auto built) {
            target->OnCreateHex(document, owner, std::move(built));
        };
        ready.AddCommandTarget(std::move(effects));
        auto link = std::make_unique<CLinkCommands>(ready);
        // A build asked to write its image opens the download dialog with it.
        firmware->openDownload = [target = link.get()](const QString& image) {
            target->OpenDownloadDialog(image);
        };
        // and a build not asked to is offered by the next one.
        firmware->imageWritten = [target = link.get()](const QString& image) {
            target->RememberImage(image);
        };
        ready.AddCommandTarget(std::move(firmware));
        ready.AddCommandTarget(std::move(link));
    };
    // The shape the demo windows draw lamps in is the program's: one chosen
    // in a demo window holds for the next.
    auto demoShape = std::make_shared<DemoShape>(DemoShape::Rectangle);
    options.templateParts = [demoShape](CEditorApp& app, int resourceId) {
        CEditorApp::TemplateParts parts;
        switch (resourceId) {
        case 130:
            parts.makeDocument = [&app]() -> CDocument* { return MakeLayoutDocument(app); };
            parts.makeView = [&app](CDocument* document) {
                auto* view = new CEditImgView(document);
                ConnectViewToBars(app, *view);
                if (CMainFrame* main = app.MainFrame())
                    ConnectLayoutViewToMainFrame(*view, *main);
                view->openDemo = [&app, view] {
                    if (CLayoutDocument* layout = view->GetLayoutDocument())
                        CModeTestCommands::PlayLayoutInDemo(app, *layout);
                };
                return view;
            };
            parts.accelerators = LayoutKeys();
            break;
        case 169:
            parts.makeDocument = [&app]() -> CDocument* { return MakeLayoutDocument(app); };
            parts.makeView = [&app](CDocument* document) {
                auto* view = new CModetestView(document);
                ConnectModeTestViewToBars(app, *view);
                if (auto* layout = qobject_cast<CLayoutDocument*>(document))
                    GiveModeEditor(app, *view, *layout);
                view->lastFormat = [&app] {
                    const auto* firmware = app.FindCommandTarget<CFirmwareCommands>();
                    return firmware ? firmware->LastFormat() : 0;
                };
                return view;
            };
            parts.accelerators = ModeTestKeys();
            break;
        case 131:
            parts.makeDocument = [&app, demoShape]() -> CDocument* {
                auto* demo = new CDemoDoc(demoShape);
                // A play disabled the main tool bar; the demo's end enables it.
                if (CMainFrame* main = app.MainFrame()) {
                    QToolBar* bar = main->MainToolBar();
                    QObject::connect(demo, &QObject::destroyed, bar, [bar] { bar->setEnabled(true); });
                }
                return demo;
            };
            parts.makeView = [&app](CDocument* document) {
                auto* view = new CDemoView(document);
                ConnectDemoViewToBars(app, *view);
                return view;
            };
            break;
        default:
            break;
        }
        return parts;
    };
    return options;
}

} // namespace lumaro::gui
