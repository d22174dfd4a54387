#include "gui/app/CommandRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace lumaro::gui {

CCommandRegistry::CCommandRegistry(QObject* parent) : QObject(parent) {}

CCommandRegistry::~CCommandRegistry()
{
    for (auto& [key, binding] : m_keys)
        delete binding.shortcut.data();
}

std::vector<CCommandTarget*> CCommandRegistry::CurrentRoute() const
{
    return m_route ? m_route() : std::vector<CCommandTarget*>{};
}

QAction* CCommandRegistry::Action(int id)
{
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(this);
    action->setData(id);
    // Menu texts carry their own shortcut text after a tab; the keys
    // themselves are bound once through BindKey.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    m_actions.emplace(id, action);
    return action;
}

int CCommandRegistry::IdOf(const QAction* action)
{
    if (!action)
        return 0;
    bool ok = false;
    int id = action->data().toInt(&ok);
    return ok ? id : 0;
}

bool CCommandRegistry::Dispatch(int id)
{
    Q_EMIT Dispatching(id);
    CCmdUI state = Query(id);
    if (state.Enabled().has_value() && !*state.Enabled())
        return false;
    for (CCommandTarget* target : CurrentRoute()) {
        if (target && target->RunCommand(id)) {
            UpdateControls();
            return true;
        }
    }
    return false;
}

CCmdUI CCommandRegistry::Query(int id) const
{
    CCmdUI ui(id);
    for (CCommandTarget* target : CurrentRoute()) {
        if (!target)
            continue;
        if (target->RunUpdate(ui)) {
            if (!ui.Enabled())
                ui.Enable(true);
            return ui;
        }
        if (target->HasCommand(id)) {
            ui.Enable(true);
            return ui;
        }
    }
    ui.Enable(false);
    return ui;
}

void CCommandRegistry::UpdateAction(QAction* action)
{
    int id = IdOf(action);
    if (id == 0 || action->menu())
        return;
    CCmdUI ui = Query(id);
    action->setEnabled(ui.Enabled().value_or(true));
    if (ui.Checked()) {
        action->setCheckable(true);
        action->setChecked(*ui.Checked());
    }
    if (ui.Text())
        action->setText(*ui.Text());
}

void CCommandRegistry::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions())
        UpdateAction(action);
}

void CCommandRegistry::UpdateControls()
{
    for (auto& [id, action] : m_actions)
        UpdateAction(action);
    for (auto& [button, id] : m_buttons) {
        if (button)
            button->setEnabled(Query(id).Enabled().value_or(true));
    }
}

void CCommandRegistry::BindKey(QWidget* window, const QKeySequence& key, int id)
{
    auto it = m_keys.find(key);
    if (it != m_keys.end() && it->second.shortcut) {
        it->second.id = id;
        return;
    }
    auto* shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, key] {
        if (int bound = KeyCommand(key))
            Dispatch(bound);
    });
    m_keys[key] = Binding{shortcut, id};
}

void CCommandRegistry::AddKey(QWidget* window, const QKeySequence& key)
{
    auto it = m_keys.find(key);
    if (it == m_keys.end() || !it->second.shortcut)
        BindKey(window, key, 0);
}

int CCommandRegistry::KeyCommand(const QKeySequence& key) const
{
    for (CCommandTarget* target : CurrentRoute()) {
        if (target) {
            if (int id = target->KeyCommand(key))
                return id;
        }
    }
    auto it = m_keys.find(key);
    return it == m_keys.end() ? 0 : it->second.id;
}

void CCommandRegistry::AttachButton(QAbstractButton* button, int id)
{
    connect(button, &QAbstractButton::clicked, this, [this, id] { Dispatch(id); });
    m_buttons.emplace_back(button, id);
}

} // namespace lumaro::gui
