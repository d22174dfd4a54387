#include "GuiTestSupport.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/ControlKey.h"
#include "gui/app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

// A route link that records what reached it.
class CRecorder : public CCommandTarget {
public:
    explicit CRecorder(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log)
    {
    }
    void Handle(int id)
    {
        OnCommand(id, [this, id] { m_log.push_back(m_name + ":" + std::to_string(id)); });
    }
    void Update(int id, bool enable, std::optional<bool> check = std::nullopt)
    {
        OnUpdate(id, [this, enable, check](CCmdUI& ui) {
            m_log.push_back(m_name + ":update");
            ui.Enable(enable);
            if (check)
                ui.SetCheck(*check);
        });
    }
    void Key(const QKeySequence& key, int id) { MapKey(key, id); }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class CommandRouting : public ::testing::Test {
protected:
    CommandRouting()
        : view("view", log), document("document", log), child("child", log), main("main", log),
          app("app", log)
    {
        registry.SetRoute([this] {
            return std::vector<CCommandTarget*>{&view, &document, &child, &main, &app};
        });
    }
    std::vector<std::string> log;
    CRecorder view, document, child, main, app;
    CCommandRegistry registry;
};

TEST_F(CommandRouting, FirstTargetOnRouteTakesTheCommand)
{
    app.Handle(1);
    main.Handle(1);
    document.Handle(1);
    EXPECT_TRUE(registry.Dispatch(1));
    EXPECT_EQ(log, std::vector<std::string>{"document:1"});

    log.clear();
    EXPECT_TRUE(registry.Dispatch(1)); // through the action, as a menu sends it
    registry.Action(1)->trigger();
    EXPECT_EQ(log, (std::vector<std::string>{"document:1", "document:1"}));
}

TEST_F(CommandRouting, UnknownCommandIsDisabledAndGoesNowhere)
{
    EXPECT_FALSE(registry.Dispatch(77));
    EXPECT_EQ(registry.Query(77).Enabled(), std::optional<bool>(false));
    registry.UpdateAction(registry.Action(77));
    EXPECT_FALSE(registry.Action(77)->isEnabled());
}

TEST_F(CommandRouting, UpdateHandlersFollowRouteOrder)
{
    app.Handle(5);
    main.Update(5, false);
    child.Update(5, true, true);
    CCmdUI ui = registry.Query(5);
    EXPECT_EQ(ui.Enabled(), std::optional<bool>(true));
    EXPECT_EQ(ui.Checked(), std::optional<bool>(true));
    EXPECT_EQ(log, std::vector<std::string>{"child:update"});
}

TEST_F(CommandRouting, CommandHandlerEarlierOnRouteEnablesOverLaterUpdate)
{
    view.Handle(6);
    main.Update(6, false);
    EXPECT_EQ(registry.Query(6).Enabled(), std::optional<bool>(true));
    EXPECT_TRUE(registry.Dispatch(6));
}

TEST_F(CommandRouting, DisabledCommandDoesNotRun)
{
    app.Handle(7);
    document.Update(7, false);
    EXPECT_FALSE(registry.Dispatch(7));
    EXPECT_EQ(log, std::vector<std::string>{"document:update"});
}

TEST_F(CommandRouting, CheckStateReachesTheSharedAction)
{
    main.Handle(8);
    main.Update(8, true, true);
    QMenu menu;
    menu.addAction(registry.Action(8));
    registry.UpdateMenu(&menu);
    EXPECT_TRUE(registry.Action(8)->isCheckable());
    EXPECT_TRUE(registry.Action(8)->isChecked());
}

TEST_F(CommandRouting, KeyBoundOnceAndRouteMayRemapIt)
{
    QWidget window;
    registry.BindKey(&window, QKeySequence(Qt::CTRL | Qt::Key_W), 100);
    registry.BindKey(&window, QKeySequence(Qt::CTRL | Qt::Key_W), 200);
    EXPECT_EQ(registry.KeyCommand(QKeySequence(Qt::CTRL | Qt::Key_W)), 200);
    EXPECT_EQ(window.findChildren<QShortcut*>().size(), 1) << "one shortcut per key";
    view.Key(QKeySequence(Qt::CTRL | Qt::Key_W), 300);
    EXPECT_EQ(registry.KeyCommand(QKeySequence(Qt::CTRL | Qt::Key_W)), 300);
}

TEST_F(CommandRouting, AttachedButtonsSendTheirIdAndFollowUpdates)
{
    QPushButton button;
    registry.AttachButton(&button, 9);
    registry.UpdateControls();
    EXPECT_FALSE(button.isEnabled());
    child.Handle(9);
    registry.UpdateControls();
    EXPECT_TRUE(button.isEnabled());
    button.click();
    EXPECT_EQ(log, std::vector<std::string>{"child:9"});
}

// --- keys through the running program -------------------------------------

class KeyPresses : public ::testing::Test {
protected:
    void SetUp() override
    {
        s = std::make_unique<CStartedApp>(install);
        ASSERT_TRUE(s->started);
        frame = s->app->MainFrame();
        QApplication::setActiveWindow(frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        spy = std::make_unique<QSignalSpy>(&s->app->Registry(), &CCommandRegistry::Dispatching);
    }
    std::vector<int> Dispatched() const
    {
        std::vector<int> ids;
        for (const QList<QVariant>& args : *spy)
            ids.push_back(args.at(0).toInt());
        return ids;
    }
    void PressControl(quint32 scanCode, quint32 virtualKey, bool press)
    {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Control,
                        press ? Qt::ControlModifier : Qt::NoModifier, scanCode, virtualKey, 0);
        QApplication::sendEvent(frame->focusWidget() ? frame->focusWidget() : frame, &event);
    }

    CTestInstall install;
    std::unique_ptr<CStartedApp> s;
    CMainFrame* frame = nullptr;
    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(KeyPresses, CtrlWAndCtrlIGoToTheLayoutViewCommands)
{
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(Dispatched(), (std::vector<int>{cmd::SwitchWindow, cmd::InsertLamp}));
    // The File menu keeps the shortcut text of its own items.
    EXPECT_TRUE(s->app->Registry().Action(cmd::UseWizard)->text().endsWith(QStringLiteral("\tCtrl+W")));
    EXPECT_TRUE(s->app->Registry().Action(cmd::OpenImage)->text().endsWith(QStringLiteral("\tCtrl+I")));
}

TEST_F(KeyPresses, CtrlNIsFrameworkFileNew)
{
    s->log.typeChoice = -1;
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Dispatched(), std::vector<int>{cmd::FileNew});
    EXPECT_EQ(s->log.typesOffered.size(), 2);
}

// QTest's key clicks press a Control of their own, so the M key goes in by
// itself after a Control press with the platform's key data.
void PressCtrlM(QWidget* window)
{
    QTest::simulateEvent(window, true, Qt::Key_M, Qt::ControlModifier, QStringLiteral("m"), false);
    QTest::simulateEvent(window, false, Qt::Key_M, Qt::ControlModifier, QStringLiteral("m"), false);
}

TEST_F(KeyPresses, CtrlMWithLeftControlIsDropped)
{
    const int probe = 40000;
    s->app->Registry().BindKey(frame, QKeySequence(Qt::CTRL | Qt::Key_M), probe);
    // X11 keysyms: Control_L 0xffe3, Control_R 0xffe4.
    PressControl(37, 0xffe3, true);
    PressCtrlM(frame);
    PressControl(37, 0xffe3, false);
    EXPECT_TRUE(Dispatched().empty());

    PressControl(105, 0xffe4, true);
    PressCtrlM(frame);
    PressControl(105, 0xffe4, false);
    EXPECT_EQ(Dispatched(), std::vector<int>{probe});

    // Other keys with the left Control still reach their commands.
    spy->clear();
    PressControl(37, 0xffe3, true);
    QTest::simulateEvent(frame, true, Qt::Key_I, Qt::ControlModifier, QStringLiteral("i"), false);
    PressControl(37, 0xffe3, false);
    EXPECT_EQ(Dispatched(), std::vector<int>{cmd::InsertLamp});
}

TEST_F(KeyPresses, CtrlMWithControlOfUnknownSideIsDropped)
{
    const int probe = 40000;
    s->app->Registry().BindKey(frame, QKeySequence(Qt::CTRL | Qt::Key_M), probe);
    PressControl(0, 0, true);
    PressCtrlM(frame);
    EXPECT_TRUE(Dispatched().empty());
}

TEST(ControlKeySide, ReadsEachPlatformsKeyData)
{
    auto side = [](quint32 scan, quint32 vk) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, scan, vk, 0);
        return ControlSideOf(e);
    };
    EXPECT_EQ(side(37, 0xffe3), ControlSide::Left);
    EXPECT_EQ(side(105, 0xffe4), ControlSide::Right);
    EXPECT_EQ(side(0x1d, 0x11), ControlSide::Left);   // Windows
    EXPECT_EQ(side(0x11d, 0x11), ControlSide::Right); // extended scan code
    EXPECT_EQ(side(0, 0xa3), ControlSide::Right);
    EXPECT_EQ(side(0, 0x3b), ControlSide::Left); // macOS
    EXPECT_EQ(side(0, 0x3e), ControlSide::Right);
    EXPECT_EQ(side(0, 0), ControlSide::Unknown);
}

} // namespace
} // namespace lumaro::gui::test
