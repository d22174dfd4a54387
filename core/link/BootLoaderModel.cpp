#include "core/link/BootLoaderModel.h"

#include "core/app/TextUtil.h"

#include <algorithm>
#include <utility>

namespace lumaro {

namespace {

// The bytes of a record's text after its ":", or none when a digit is wrong.
std::optional<std::vector<std::uint8_t>> RecordBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 1; i + 1 < text.size(); i += 2) {
        const int high = HexDigitValue(text[i]);
        const int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

constexpr std::uint8_t kDataType = 0x00;
constexpr std::uint8_t kCommandType = 0x03;
constexpr std::uint8_t kEraseCommand = 0x07;

} // namespace

CBootLoaderModel::CBootLoaderModel() : CBootLoaderModel(Faults{}) {}

CBootLoaderModel::CBootLoaderModel(Faults faults) : m_faults(faults), m_random(faults.seed) {}

void CBootLoaderModel::Receive(std::string_view bytes, std::int64_t nowMs)
{
    if (m_faults.silent)
        return;
    std::string echo;
    for (char c : bytes) {
        if (nowMs < m_busyUntil)
            break; // erasing: the loader hears nothing
        if (m_record.empty() && c != ':') {
            if (c != 'U') {
                if (m_faults.echo)
                    echo += c;
            } else if (m_syncsIgnored < m_faults.unansweredSyncs) {
                ++m_syncsIgnored;
            } else {
                // Synchronisation: the echo is the answer, even from a loader that does not echo.
                echo += c;
                m_accepted.emplace_back("U");
            }
            continue;
        }
        m_record += c;
        if (m_faults.echo)
            echo += c;
        if (m_record.size() == 3) {
            const int high = HexDigitValue(m_record[1]);
            const int low = HexDigitValue(m_record[2]);
            m_recordLength = high < 0 || low < 0 ? 3 : 2 * std::size_t(high * 16 + low) + 11;
        }
        if (m_record.size() < 3 || m_record.size() < m_recordLength)
            continue;

        const char answer = Execute(nowMs);
        m_record.clear();
        const bool lost =
            m_faults.dropReplyRate > 0 && std::bernoulli_distribution(m_faults.dropReplyRate)(m_random);
        if (nowMs < m_busyUntil) { // the erase: its "." comes when the chip is clear
            Emit(std::exchange(echo, {}), nowMs);
            if (!lost)
                Emit(std::string(1, answer), m_busyUntil);
        } else {
            Emit(std::exchange(echo, {}) + (lost ? "" : std::string(1, answer)), nowMs + m_faults.replyMs);
        }
    }
    Emit(std::move(echo), nowMs);
}

char CBootLoaderModel::Execute(std::int64_t nowMs)
{
    const auto bytes = RecordBytes(m_record);
    int sum = 0;
    if (bytes)
        for (std::uint8_t b : *bytes)
            sum += b;
    if (!bytes || m_record.size() < 11 || sum % 256 != 0) {
        ++m_refused;
        return 'X';
    }
    const std::uint8_t type = (*bytes)[3];
    if (type == kDataType) {
        const std::uint32_t address = std::uint32_t((*bytes)[1]) << 8 | (*bytes)[2];
        for (std::size_t i = 0; i < (*bytes)[0]; ++i)
            m_image[(address + i) & 0xFFFF] = (*bytes)[4 + i];
    } else if (type == kCommandType && bytes->size() > 5 && (*bytes)[4] == kEraseCommand) {
        m_image.clear();
        m_busyUntil = nowMs + m_faults.eraseMs;
    }
    m_accepted.push_back(m_record);
    return '.';
}

void CBootLoaderModel::Emit(std::string bytes, std::int64_t at)
{
    if (bytes.empty())
        return;
    // Blocks leave in the order they were made: a later block is never due before an earlier one.
    if (!m_out.empty())
        at = std::max(at, m_out.back().at);
    if (!m_faults.splitEchoes || bytes.size() < 2) {
        m_out.push_back({at, std::move(bytes)});
        return;
    }
    std::vector<std::size_t> cuts;
    const std::size_t count =
        std::uniform_int_distribution<std::size_t>(1, std::min<std::size_t>(3, bytes.size() - 1))(m_random);
    for (std::size_t i = 0; i < count; ++i)
        cuts.push_back(std::uniform_int_distribution<std::size_t>(1, bytes.size() - 1)(m_random));
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        m_out.push_back({at, bytes.substr(from, cut - from)});
        from = cut;
    }
    m_out.push_back({at, bytes.substr(from)});
}

std::optional<std::int64_t> CBootLoaderModel::NextBlockMs() const
{
    if (m_out.empty())
        return std::nullopt;
    return m_out.front().at;
}

std::optional<std::string> CBootLoaderModel::TakeBlock(std::int64_t nowMs)
{
    if (m_out.empty() || m_out.front().at > nowMs)
        return std::nullopt;
    std::string bytes = std::move(m_out.front().bytes);
    m_out.pop_front();
    return bytes;
}

} // namespace lumaro
