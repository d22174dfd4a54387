#include "core/link/ReplyScanner.h"

namespace lumaro {

void CReplyScanner::Begin(std::string_view sent, Rule rule)
{
    m_sent.assign(sent);
    m_received.clear();
    m_rule = rule;
    m_answer.reset();
}

std::optional<char> CReplyScanner::Add(std::string_view block)
{
    if (m_answer || block.empty())
        return m_answer;
    if (m_rule == Rule::FirstByte) {
        m_answer = block.front();
        return m_answer;
    }
    for (char c : block) {
        if (m_received.size() == m_sent.size()) { // the whole echo is in: this is the answer
            m_answer = c;
            break;
        }
        if (c != m_sent[m_received.size()]) { // not an echo after all
            m_answer = m_received.empty() ? c : m_received.front();
            break;
        }
        m_received += c;
    }
    return m_answer;
}

} // namespace lumaro
