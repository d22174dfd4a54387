#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// What the controller's serial boot loader answers, for a simulator and the
// tests. Fed the bytes a host sends, it echoes them and answers each record:
// "." when accepted, "X" when its checksum or digits are wrong; a "U" outside
// a record (synchronisation) is answered by its own echo. Accepted data
// records are written into an image, the erase command clears it.
//
// Time is the caller's: Receive takes the moment the bytes arrive, and the
// answers become due later (TakeBlock). Each block it returns stands for one
// delivery of the port, so faults can also shape how the bytes are split.
class CBootLoaderModel {
public:
    struct Faults {
        bool silent = false;        // a dead line: neither echo nor answer
        bool echo = true;           // false: a loader that answers without echoing
        int unansweredSyncs = 0;    // the first so many "U" get nothing back
        double dropReplyRate = 0.0; // chance that an answer "." is lost on the line
        bool splitEchoes = false;   // echo and answer come in blocks cut at random points
        int eraseMs = 300;          // the erase takes this long; the loader hears nothing meanwhile
        int replyMs = 1;            // from a record's last character to its answer
        std::uint32_t seed = 1;     // for the random faults; a seed repeats a run
    };

    CBootLoaderModel();
    explicit CBootLoaderModel(Faults faults);

    // Bytes from the host arriving at nowMs (which never goes back).
    void Receive(std::string_view bytes, std::int64_t nowMs);

    // When the next block is due; none while nothing is pending.
    std::optional<std::int64_t> NextBlockMs() const;
    // The next block due by nowMs, if any.
    std::optional<std::string> TakeBlock(std::int64_t nowMs);
    // Forgets what is pending, as a host discarding its input would.
    void DropPending() { m_out.clear(); }

    // Programmed bytes by address.
    const std::map<std::uint32_t, std::uint8_t>& Image() const { return m_image; }
    // Every record (and "U") the loader accepted, in the order it did; a
    // record resent because its answer was lost appears twice.
    const std::vector<std::string>& Accepted() const { return m_accepted; }
    int Refused() const { return m_refused; }

private:
    struct Block {
        std::int64_t at;
        std::string bytes;
    };

    // The record in m_record is complete: carries it out, returns the answer.
    char Execute(std::int64_t nowMs);
    void Emit(std::string bytes, std::int64_t at);

    Faults m_faults;
    std::mt19937 m_random;
    std::deque<Block> m_out; // by time; equal times keep their order
    std::string m_record;    // the record being received, from its ":"
    std::size_t m_recordLength = 0;
    std::int64_t m_busyUntil = 0;
    int m_syncsIgnored = 0;

    std::map<std::uint32_t, std::uint8_t> m_image;
    std::vector<std::string> m_accepted;
    int m_refused = 0;
};

} // namespace lumaro
