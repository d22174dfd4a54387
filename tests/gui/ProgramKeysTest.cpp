#include "GuiTestSupport.h"

#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/MainFrame.h"
#include "gui/layout/EditImgView.h"
#include "gui/preview/ModeTestState.h"
#include "gui/preview/ModetestView.h"

#include <QApplication>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTest>

#include <map>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

// Every key a menu of the program shows, pressed in each kind of view: the
// active frame's table first, then the main frame's.
class ProgramKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
        frame = s->app->MainFrame();
        QApplication::setActiveWindow(frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        s->log.typeChoice = -1; // File New's type question is cancelled
    }
    // The command each key sent, 0 for none.
    int Press(QKeyCombination key)
    {
        QSignalSpy spy(&s->app->Registry(), &CCommandRegistry::Dispatching);
        QTest::keyClick(frame, key.key(), key.keyboardModifiers());
        ProcessEvents();
        return spy.isEmpty() ? 0 : spy.front().at(0).toInt();
    }
    void ExpectKeys(const std::vector<std::pair<QKeyCombination, int>>& expected, const char* view)
    {
        for (const auto& [key, id] : expected)
            EXPECT_EQ(Press(key), id) << view << ": " << QKeySequence(key).toString().toStdString();
    }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
    CMainFrame* frame = nullptr;
};

constexpr auto Ctrl = Qt::CTRL;

TEST_F(ProgramKeys, LayoutViewHasItsMenusKeys)
{
    ASSERT_EQ(frame->CurrentMenuId(), 130);
    ExpectKeys({{Ctrl | Qt::Key_N, cmd::FileNew},
                {Ctrl | Qt::Key_O, cmd::FileOpen},
                {Ctrl | Qt::Key_S, cmd::FileSave},
                {Ctrl | Qt::Key_P, cmd::FilePrint},
                {Ctrl | Qt::Key_W, cmd::SwitchWindow},
                {Ctrl | Qt::Key_I, cmd::InsertLamp},
                {Ctrl | Qt::Key_D, cmd::DeleteLamp},
                {Ctrl | Qt::Key_B, cmd::PickBackColour},
                {Ctrl | Qt::Key_R, cmd::ScanScope},
                {Ctrl | Qt::Key_Q, cmd::OtherValue},
                {Ctrl | Qt::Key_E, cmd::Scan},
                {Ctrl | Qt::Key_G, cmd::ShowGrid},
                {Ctrl | Qt::Key_C, cmd::PortEdit},
                {Ctrl | Qt::Key_4, cmd::Zoom4},
                {Ctrl | Qt::Key_7, cmd::Zoom28},
                {Ctrl | Qt::Key_Z, cmd::EditUndo},
                {Ctrl | Qt::SHIFT | Qt::Key_Z, cmd::EditRedo},
                {Ctrl | Qt::Key_L, 0},
                {Ctrl | Qt::Key_T, 0},
                {Ctrl | Qt::Key_Y, 0},
                {Ctrl | Qt::Key_F, cmd::TransferData}},
               "layout");
}

TEST_F(ProgramKeys, ModeTestViewHasMenu169sKeysAndNoLayoutCommand)
{
    auto* layout = dynamic_cast<CLayoutDocument*>(frame->GetActiveDocument());
    ASSERT_NE(layout, nullptr);
    s->app->Registry().Dispatch(cmd::NewEmptyLayout);
    dynamic_cast<CEditImgView*>(frame->GetActiveView())->FinishScanNow();
    EditProject(*layout, [](CEditImgDoc& data) {
        data.lamps = {CLamp(0, 0, 0, 0x00FF00, 5, 1), CLamp(3, 0, 1, 0x00FF00, 5, 1)};
    });
    s->app->SetCurrentDirectory(install.FilePath(QString()));
    ASSERT_EQ(Press(Ctrl | Qt::Key_F), cmd::TransferData);
    ASSERT_EQ(frame->CurrentMenuId(), 169);
    QPointer<CView> modeTest = CModeTestState::Find(*layout)->View();
    ASSERT_EQ(frame->GetActiveView(), modeTest.data());
    auto* view = dynamic_cast<CModetestView*>(modeTest.data());
    // The mode editor's window would take the keys that follow.
    view->openModeEditor = nullptr;

    // The play keys while nothing is compiled yet, so that no demo window
    // takes the keys that follow.
    ExpectKeys({{Ctrl | Qt::Key_W, cmd::ZoomDialog},
                {Ctrl | Qt::Key_L, cmd::LayerEdit},
                {Ctrl | Qt::Key_E, cmd::EditMode},
                {Ctrl | Qt::Key_Q, cmd::PartialPlay},
                {Ctrl | Qt::Key_F, cmd::ParallelPlay},
                {Ctrl | Qt::Key_G, cmd::SequentialPlay},
                {Ctrl | Qt::Key_D, cmd::CreateData},
                {Ctrl | Qt::Key_T, cmd::CreateBinFile},
                {Ctrl | Qt::Key_Y, cmd::WriteToController},
                {Ctrl | Qt::Key_I, 0},
                {Ctrl | Qt::Key_B, 0},
                {Ctrl | Qt::Key_R, 0},
                {Ctrl | Qt::Key_C, 0},
                {Ctrl | Qt::Key_4, 0},
                {Ctrl | Qt::Key_7, 0},
                {Ctrl | Qt::Key_O, cmd::FileOpen},
                {Ctrl | Qt::Key_S, cmd::FileSave},
                {Ctrl | Qt::Key_Z, cmd::EditUndo}},
               "mode test");
    // Ctrl+F never opened a second mode test frame.
    EXPECT_EQ(frame->MdiArea()->subWindowList().size(), 2);
    EXPECT_FALSE(s->app->Registry().Query(cmd::TransferData).Enabled().value_or(true));
    EXPECT_NE(layout->Compiled(), nullptr) << "Ctrl+D compiled";
}

TEST_F(ProgramKeys, DemoViewAndNoDocumentUseTheMainFramesTable)
{
    ASSERT_TRUE(s->app->OpenTemplateByName(QStringLiteral("Text")));
    ProcessEvents();
    ASSERT_EQ(frame->CurrentMenuId(), 131);
    ExpectKeys({{Ctrl | Qt::Key_O, cmd::FileOpen},
                {Ctrl | Qt::Key_W, 0},
                {Ctrl | Qt::Key_F, 0},
                {Ctrl | Qt::Key_D, 0},
                {Ctrl | Qt::Key_E, 0}},
               "demo");

    while (CChildFrame* child = frame->GetActiveFrame()) {
        child->close();
        ProcessEvents();
    }
    ASSERT_EQ(frame->CurrentMenuId(), 128);
    ExpectKeys({{Ctrl | Qt::Key_N, cmd::FileNew},
                {Ctrl | Qt::Key_O, cmd::FileOpen},
                {Ctrl | Qt::Key_W, 0},
                {Ctrl | Qt::Key_I, 0},
                {Ctrl | Qt::Key_F, 0}},
               "no document");
}

} // namespace
} // namespace lumaro::gui::test
