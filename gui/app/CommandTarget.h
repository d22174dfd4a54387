#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <unordered_map>

namespace lumaro::gui {

// The state an update handler gives one command: enabled, check mark and,
// rarely, a new text. Only what the handler sets is applied.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_id(id) {}

    int Id() const { return m_id; }
    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(bool on = true) { m_checked = on; }
    void SetText(const QString& text) { m_text = text; }

    const std::optional<bool>& Enabled() const { return m_enabled; }
    const std::optional<bool>& Checked() const { return m_checked; }
    const std::optional<QString>& Text() const { return m_text; }

private:
    int m_id;
    std::optional<bool> m_enabled;
    std::optional<bool> m_checked;
    std::optional<QString> m_text;
};

// One link of the command route (view, document, child frame, main frame,
// application). Each registers the ids it handles; the registry asks the
// links in route order and the first one that knows an id takes it.
class CCommandTarget {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    virtual ~CCommandTarget() = default;

    bool HasCommand(int id) const { return m_commands.count(id) != 0; }
    bool HasUpdate(int id) const { return m_updates.count(id) != 0; }

    // False when this target has no handler for id.
    bool RunCommand(int id);
    bool RunUpdate(CCmdUI& ui);
    // The command this target gives key, overriding the frame's accelerator
    // table while the target is on the route; 0 when it has none.
    int KeyCommand(const QKeySequence& key) const;

protected:
    void OnCommand(int id, Handler handler) { m_commands[id] = std::move(handler); }
    void OnCommandRange(int first, int last, std::function<void(int)> handler);
    void OnUpdate(int id, UpdateHandler handler) { m_updates[id] = std::move(handler); }
    void OnUpdateRange(int first, int last, UpdateHandler handler);
    void MapKey(const QKeySequence& key, int id) { m_keys[key.toString()] = id; }

private:
    std::unordered_map<int, Handler> m_commands;
    std::unordered_map<int, UpdateHandler> m_updates;
    std::map<QString, int> m_keys;
};

} // namespace lumaro::gui
