#include "cli/BootSimulator.h"

#include "core/app/TextUtil.h"
#include "core/link/HexDownload.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace lumaro::cli {

namespace {

struct TimedChar {
    std::int64_t atNs;
    char c;
};

// A pause between the blocks of a split answer, so that the downloader's
// port delivers them apart instead of joined in one read.
constexpr std::int64_t kSplitGapNs = 2'000'000;
// After the last configuration record the line must stay quiet this long:
// a downloader whose answer was lost sends the record again well within it.
constexpr std::int64_t kQuietNs = 500'000'000;
// How long a download's end waits for the downloader to read the last answer.
constexpr std::int64_t kDrainNs = 2'000'000'000;

} // namespace

CBootSimulator::CBootSimulator(int fd, Options options)
    : m_fd(fd), m_options(options), m_model(options.faults), m_random(options.faults.seed * 2654435761u + 1)
{
    if (::pipe(m_stopPipe) == 0)
        for (int end : m_stopPipe)
            ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
}

CBootSimulator::~CBootSimulator()
{
    for (int end : m_stopPipe)
        if (end >= 0)
            ::close(end);
}

void CBootSimulator::Stop()
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(m_stopPipe[1], &byte, 1);
}

char CBootSimulator::OnLine(char c)
{
    if (c == ':') {
        m_recordPosition = 0;
        m_corruptRecord =
            m_options.corruptRate > 0 && std::bernoulli_distribution(m_options.corruptRate)(m_random);
    }
    ++m_recordPosition;
    // The first data digit of a record: commands without data keep theirs.
    if (m_corruptRecord && m_recordPosition == 10) {
        m_corruptRecord = false;
        return c == '0' ? '1' : '0';
    }
    return c;
}

Status CBootSimulator::Run()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto nowNs = [start] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
    };
    const std::string lastRecord(CHexDownload::kSecurityRecords[2]);

    std::deque<TimedChar> arriving; // on the line towards the loader
    std::deque<TimedChar> leaving;  // on the line back
    std::int64_t inLineFree = 0;
    std::int64_t outLineFree = 0;
    std::int64_t doneAt = -1;
    std::int64_t lastHeard = 0;

    for (;;) {
        std::int64_t now = nowNs();

        std::string arrived;
        while (!arriving.empty() && arriving.front().atNs <= now) {
            arrived += arriving.front().c;
            arriving.pop_front();
        }
        if (!arrived.empty()) {
            const std::size_t acceptedBefore = m_model.Accepted().size();
            m_model.Receive(arrived, now / 1'000'000);
            const auto& accepted = m_model.Accepted();
            if (accepted.size() > acceptedBefore &&
                std::find(accepted.begin() + std::ptrdiff_t(acceptedBefore), accepted.end(), lastRecord) !=
                    accepted.end())
                m_done = true;
        }

        while (auto block = m_model.TakeBlock(now / 1'000'000)) {
            if (m_options.pace) {
                for (char c : *block) {
                    outLineFree = std::max(outLineFree, now) + kCharNs;
                    leaving.push_back({outLineFree, c});
                }
            } else {
                const std::int64_t at =
                    m_options.faults.splitEchoes ? std::max(now, outLineFree + kSplitGapNs) : now;
                outLineFree = at;
                for (char c : *block)
                    leaving.push_back({at, c});
            }
        }

        std::string due;
        while (!leaving.empty() && leaving.front().atNs <= now) {
            due += leaving.front().c;
            leaving.pop_front();
        }
        std::size_t written = 0;
        while (written < due.size()) {
            const ssize_t n = ::write(m_fd, due.data() + written, due.size() - written);
            if (n > 0) {
                written += std::size_t(n);
            } else if (n < 0 && errno == EAGAIN) {
                pollfd out{m_fd, POLLOUT, 0};
                ::poll(&out, 1, 10);
            } else if (n < 0 && errno != EINTR) {
                return Status::Fail(msgkey::FileWriteError, std::string("write: ") + std::strerror(errno));
            }
        }

        if (m_options.once && m_done && arriving.empty() && leaving.empty() && !m_model.NextBlockMs() &&
            now - lastHeard >= kQuietNs) {
            if (doneAt < 0)
                doneAt = now;
            const int pending = pendingForDownloader ? pendingForDownloader() : 0;
            if (pending == 0 || now - doneAt > kDrainNs)
                return Status::Ok();
        }

        std::int64_t next = -1;
        auto consider = [&next](std::int64_t at) { next = next < 0 ? at : std::min(next, at); };
        if (!arriving.empty())
            consider(arriving.front().atNs);
        if (!leaving.empty())
            consider(leaving.front().atNs);
        if (auto block = m_model.NextBlockMs())
            consider(*block * 1'000'000);
        if (m_options.once && m_done)
            consider(std::max(now + 5'000'000, lastHeard + kQuietNs)); // quiet yet? the end read?
        now = nowNs();
        timespec timeout{};
        if (next >= 0) {
            const std::int64_t wait = std::max<std::int64_t>(0, next - now);
            timeout.tv_sec = wait / 1'000'000'000;
            timeout.tv_nsec = wait % 1'000'000'000;
        }
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        const int ready = ::ppoll(fds, 2, next >= 0 ? &timeout : nullptr, nullptr);
        if (ready < 0 && errno != EINTR)
            return Status::Fail(msgkey::FileReadError, std::string("poll: ") + std::strerror(errno));
        if (ready <= 0)
            continue;
        if (fds[1].revents & POLLIN)
            return Status::Ok();
        if (fds[0].revents & POLLIN) {
            char buffer[4096];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return Status::Fail(msgkey::FileReadError, std::string("read: ") + std::strerror(errno));
            now = nowNs();
            if (n > 0)
                lastHeard = now;
            for (ssize_t i = 0; i < n; ++i) {
                m_received += buffer[i];
                std::int64_t at = now;
                if (m_options.pace) {
                    inLineFree = std::max(inLineFree, now) + kCharNs;
                    at = inLineFree;
                }
                arriving.push_back({at, OnLine(buffer[i])});
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nobody on the other end: look again shortly instead of spinning.
            ::poll(nullptr, 0, 10);
        }
    }
}

Result<std::string> CBootSimulator::SaveImage(const std::map<std::uint32_t, std::uint8_t>& image,
                                              const fs::path& file)
{
    std::string bytes;
    std::string form;
    if (EqualsNoCase(file.extension().string(), ".hex")) {
        form = "Intel HEX";
        for (auto it = image.begin(); it != image.end();) {
            const std::uint32_t address = it->first;
            std::vector<std::uint8_t> data;
            while (it != image.end() && it->first == address + data.size() && data.size() < 16) {
                data.push_back(it->second);
                ++it;
            }
            bytes += FormatHexRecord(address, 0, data);
        }
        bytes += ":00000001FF\r\n";
    } else {
        form = "binary";
        if (!image.empty()) {
            bytes.assign(image.rbegin()->first + 1, char(0xFF));
            for (const auto& [address, value] : image)
                bytes[address] = char(value);
        }
    }
    if (Status s = WriteFileAtomic(file, bytes); !s)
        return s;
    return form;
}

} // namespace lumaro::cli
