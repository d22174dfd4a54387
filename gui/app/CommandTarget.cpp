#include "gui/app/CommandTarget.h"

namespace lumaro::gui {

bool CCommandTarget::RunCommand(int id)
{
    auto it = m_commands.find(id);
    if (it == m_commands.end())
        return false;
    // Copied: the handler may replace its own registration or close the target.
    Handler handler = it->second;
    handler();
    return true;
}

bool CCommandTarget::RunUpdate(CCmdUI& ui)
{
    auto it = m_updates.find(ui.Id());
    if (it == m_updates.end())
        return false;
    it->second(ui);
    return true;
}

int CCommandTarget::KeyCommand(const QKeySequence& key) const
{
    auto it = m_keys.find(key.toString());
    return it == m_keys.end() ? 0 : it->second;
}

void CCommandTarget::OnCommandRange(int first, int last, std::function<void(int)> handler)
{
    for (int id = first; id <= last; ++id)
        m_commands[id] = [handler, id] { handler(id); };
}

void CCommandTarget::OnUpdateRange(int first, int last, UpdateHandler handler)
{
    for (int id = first; id <= last; ++id)
        m_updates[id] = handler;
}

} // namespace lumaro::gui
