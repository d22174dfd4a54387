#include "cli/HeadlessDownload.h"

#include "core/link/DownloadTexts.h"
#include "core/link/SerialDevice.h"

#include <chrono>
#include <ostream>
#include <poll.h>

namespace lumaro::cli {

CHeadlessDownload::CHeadlessDownload(std::ostream& out, bool terminal) : m_out(out), m_terminal(terminal) {}

Status CHeadlessDownload::Link(const std::string& device)
{
    Status opened = m_line.Open(device);
    m_out << (opened ? downloadtext::kLinkOk : downloadtext::kLinkFailed) << std::endl;
    return opened;
}

Status CHeadlessDownload::Download(std::string hexFile, CHexDownload::Options options)
{
    m_outcome.reset();
    m_shownTenth = -1;
    if (Status s = m_download.Start(std::move(hexFile), options); !s)
        return s;
    bool lineGone = false;
    while (m_download.Running()) {
        const std::int64_t now = NowMs();
        if (m_wake && now >= *m_wake) {
            m_wake.reset();
            m_download.OnTimer();
            continue;
        }
        pollfd port{lineGone ? -1 : m_line.Fd(), short(POLLIN | (m_line.HasUnwritten() ? POLLOUT : 0)), 0};
        // The machine always waits for something; a minute's poll only guards a wake-up lost by mistake.
        const int timeout = m_wake ? int(*m_wake - now) : 60'000;
        if (::poll(&port, 1, timeout) <= 0)
            continue;
        if (port.revents & POLLOUT)
            if (Status s = m_line.WriteMore(); !s)
                lineGone = true;
        if (port.revents & (POLLIN | POLLHUP | POLLERR)) {
            Result<std::string> received = m_line.ReadAvailable();
            if (!received)
                lineGone = true; // the next send fails and ends the download
            else if (!received->empty())
                m_download.OnBytesReceived(received.value());
            else if (port.revents & (POLLHUP | POLLERR))
                lineGone = true;
        }
    }
    EndProgressLine();
    return m_outcome.value_or(Status::Fail(CHexDownload::kCancelledKey, "the download stopped"));
}

Status CHeadlessDownload::Send(std::string_view bytes)
{
    m_charactersSent += bytes.size();
    return m_line.Send(bytes);
}

void CHeadlessDownload::DiscardInput()
{
    m_line.DiscardInput();
}

std::int64_t CHeadlessDownload::NowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void CHeadlessDownload::WakeAt(std::int64_t atMs)
{
    m_wake = atMs;
}

void CHeadlessDownload::OnMessage(std::string_view text)
{
    EndProgressLine();
    m_out << text << std::endl;
}

void CHeadlessDownload::OnProgress(std::size_t sent, std::size_t total)
{
    if (sent == 0)
        return; // the bar going back to its start says nothing on a line
    const int tenth = total ? int(sent * 10 / total) : 10;
    const int percent = total ? int(sent * 100 / total) : 100;
    if (m_terminal) {
        m_out << "\rprogress: " << sent << " of " << total << " bytes (" << percent << "%)" << std::flush;
        m_progressShown = true;
    } else if (tenth != m_shownTenth) {
        m_out << "progress: " << sent << " of " << total << " bytes (" << percent << "%)" << std::endl;
    }
    m_shownTenth = tenth;
}

void CHeadlessDownload::OnFinished(const Status& outcome)
{
    m_outcome = outcome;
}

void CHeadlessDownload::EndProgressLine()
{
    if (m_progressShown)
        m_out << '\n';
    m_progressShown = false;
}

} // namespace lumaro::cli
