#pragma once

#include "gui/app/CommandTarget.h"

#include <QKeySequence>
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QAction;
class QMenu;
class QShortcut;
class QWidget;

namespace lumaro::gui {

// The single road of every command: one QAction per command id (shared by
// the menus and tool bars), the accelerator keys, the dialog-bar buttons and
// the update pass all go through here, and each id is offered to the route
// in order: active view, its document, child frame, main frame, application.
class CCommandRegistry : public QObject {
    Q_OBJECT
public:
    using Route = std::function<std::vector<CCommandTarget*>()>;

    explicit CCommandRegistry(QObject* parent = nullptr);
    ~CCommandRegistry() override;

    void SetRoute(Route route) { m_route = std::move(route); }
    std::vector<CCommandTarget*> CurrentRoute() const;

    // The action of id, made on first use. Its data() holds the id.
    QAction* Action(int id);
    bool HasAction(int id) const { return m_actions.count(id) != 0; }
    static int IdOf(const QAction* action); // 0 when the action carries none

    // Offers id to the route; false when no target took it. A command whose
    // update pass disables it is not run, as an accelerator of a greyed
    // item does nothing.
    bool Dispatch(int id);

    // Update pass for one id: the first target with an update handler sets
    // the state; a target that only handles the command leaves it enabled;
    // an id no target knows is disabled.
    CCmdUI Query(int id) const;
    void UpdateAction(QAction* action);
    void UpdateMenu(QMenu* menu); // the menu's own items, before it shows
    void UpdateControls();        // every action and attached button

    // Binds key to id on window. A key is bound to one id only: binding it
    // again moves it, so Qt never sees an ambiguous shortcut.
    void BindKey(QWidget* window, const QKeySequence& key, int id);
    // Makes key reach the route on window without giving it a command of
    // its own: a key only some frames' tables know.
    void AddKey(QWidget* window, const QKeySequence& key);
    // The command key sends now: the first target on the route that maps
    // the key, else the accelerator table.
    int KeyCommand(const QKeySequence& key) const;

    // A dialog-bar button that sends its control id as a command.
    void AttachButton(QAbstractButton* button, int id);

Q_SIGNALS:
    void Dispatching(int id);

private:
    Route m_route;
    std::map<int, QAction*> m_actions;
    struct Binding {
        QPointer<QShortcut> shortcut;
        int id = 0;
    };
    std::map<QKeySequence, Binding> m_keys;
    std::vector<std::pair<QPointer<QAbstractButton>, int>> m_buttons;
};

} // namespace lumaro::gui
