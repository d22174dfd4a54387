#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumaro {

// Finds the boot loader's one-character answer among the bytes received
// since one send, however the port happens to split them into blocks.
//
// The loader echoes what it receives and then answers. The bytes received
// since the send are kept together; when they begin with the echo of the sent
// text, the answer is the first byte after it; when they do not (a loader
// that does not echo, or noise), the answer is the first byte received. The
// first-byte rule alone serves synchronisation, whose echo "U" is also its
// answer. Once found, the answer stays: later bytes cannot change it.
class CReplyScanner {
public:
    enum class Rule { AfterEcho, FirstByte };

    // Forgets everything received before; sent is copied.
    void Begin(std::string_view sent, Rule rule);

    // Adds a received block; returns the answer as soon as it is known.
    std::optional<char> Add(std::string_view block);

    std::optional<char> Answer() const { return m_answer; }

private:
    std::string m_sent;
    std::string m_received; // while undecided, always a proper prefix of the echo
    Rule m_rule = Rule::FirstByte;
    std::optional<char> m_answer;
};

} // namespace lumaro
