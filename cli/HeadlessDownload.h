#pragma once

#include "cli/SerialLine.h"
#include "core/link/HexDownload.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace lumaro::cli {

// The download dialog's link and download without a window: a poll loop
// feeds the core's state machine with what the serial line receives and
// with its wake-ups. Messages go to out as lines, followed by a progress
// line (rewritten in place on a terminal, a line per tenth otherwise).
class CHeadlessDownload : private ILinkTransport, private ILinkClock, private IDownloadListener {
public:
    CHeadlessDownload(std::ostream& out, bool terminal);

    // Opens the device; prints "Link OK!" or "Link Failed!".
    Status Link(const std::string& device);
    // Runs the whole sequence on the linked line; Ok only when the data and
    // the configuration succeeded.
    Status Download(std::string hexFile, CHexDownload::Options options);

    // Characters written to the line so far.
    std::size_t CharactersSent() const { return m_charactersSent; }

private:
    Status Send(std::string_view bytes) override;
    void DiscardInput() override;
    std::int64_t NowMs() const override;
    void WakeAt(std::int64_t atMs) override;
    void OnMessage(std::string_view text) override;
    void OnProgress(std::size_t sent, std::size_t total) override;
    void OnFinished(const Status& outcome) override;

    void EndProgressLine();

    std::ostream& m_out;
    bool m_terminal;
    CSerialLine m_line;
    CHexDownload m_download{*this, *this, *this};
    std::optional<std::int64_t> m_wake;
    std::optional<Status> m_outcome;
    std::size_t m_charactersSent = 0;
    int m_shownTenth = -1;
    bool m_progressShown = false; // a progress line without its line end is on the terminal
};

} // namespace lumaro::cli
