#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/link/BootLoaderModel.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace lumaro::cli {

// The controller's boot loader on the far end of a byte stream (the master
// side of a pseudo-terminal): what arrives is handed to a CBootLoaderModel,
// what the model answers goes back. Paced, each character takes the time
// the real line needs at 9600 baud, 8N1, in both directions, so a
// downloader meets the loader's real timing.
class CBootSimulator {
public:
    // One character of 10 bits (start, 8 data, stop) at 9600 baud.
    static constexpr std::int64_t kCharNs = 10'000'000'000 / 9600;

    struct Options {
        CBootLoaderModel::Faults faults;
        bool pace = false;
        // Chance that a record longer than a bare command arrives with one
        // digit changed by the line, so that its checksum fails.
        double corruptRate = 0.0;
        // Ends once a download's last configuration record is accepted, the
        // line has been quiet for half a second (no resend of a record whose
        // answer was lost) and the downloader has read the answer.
        bool once = false;
    };

    CBootSimulator(int fd, Options options);
    ~CBootSimulator();
    CBootSimulator(const CBootSimulator&) = delete;
    CBootSimulator& operator=(const CBootSimulator&) = delete;

    // Serves until Stop, or with once until a download is done. A failure
    // of the stream ends it too.
    Status Run();
    // From any thread, and from a signal handler (one write to a pipe).
    void Stop();
    int StopFd() const { return m_stopPipe[1]; }

    // Bytes written towards the downloader that it has not read yet; with
    // once, Run waits for them to drain before it returns.
    std::function<int()> pendingForDownloader;

    const CBootLoaderModel& Model() const { return m_model; }
    // Everything the downloader sent, as it sent it.
    const std::string& Received() const { return m_received; }
    bool DownloadDone() const { return m_done; }

    // The programmed image: Intel HEX (16-byte records, CR LF, the form
    // the downloader reads) when the file name ends in ".hex", otherwise
    // binary from address 0 up to the last programmed byte, unprogrammed
    // bytes 0xFF. Returns the form written.
    static Result<std::string> SaveImage(const std::map<std::uint32_t, std::uint8_t>& image,
                                         const fs::path& file);

private:
    char OnLine(char c);

    int m_fd;
    Options m_options;
    CBootLoaderModel m_model;
    std::mt19937 m_random;
    int m_stopPipe[2] = {-1, -1};
    std::string m_received;
    bool m_done = false;
    std::size_t m_recordPosition = 0; // characters since the last ":"
    bool m_corruptRecord = false;
};

} // namespace lumaro::cli
