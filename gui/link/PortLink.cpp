#include "gui/link/PortLink.h"

#include "core/link/DownloadTexts.h"
#include "core/link/SerialDevice.h"
#include "gui/link/MSComm.h"

#include <QTimer>

#include <algorithm>

namespace lumaro::gui {

CPortLink::CPortLink(CMSComm& comm, IDownloadListener& listener, QObject* parent)
    : QObject(parent), m_comm(comm), m_timer(new QTimer(this)), m_download(*this, *this, listener)
{
    m_clock.start();
    m_timer->setSingleShot(true);
    // The waits end on the loader's answer; a coarse timer would add its
    // slack to every unanswered send.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { m_download.OnTimer(); });
    connect(&m_comm, &CMSComm::OnComm, this, &CPortLink::OnComm);
}

CPortLink::~CPortLink() = default;

Status CPortLink::Send(std::string_view bytes)
{
    if (!m_comm.SetOutput(QByteArray(bytes.data(), qsizetype(bytes.size()))))
        return Status::Fail(serialport::kLinkFailedKey, downloadtext::kLinkFailed);
    return Status::Ok();
}

void CPortLink::DiscardInput()
{
    m_comm.SetInBufferCount(0);
}

std::int64_t CPortLink::NowMs() const
{
    return m_clock.elapsed();
}

void CPortLink::WakeAt(std::int64_t atMs)
{
    m_timer->start(int(std::clamp<std::int64_t>(atMs - NowMs(), 0, 24 * 3600 * 1000)));
}

void CPortLink::OnComm()
{
    if (m_comm.CommEvent() != CMSComm::kEvReceive)
        return;
    const QByteArray block = m_comm.Input();
    if (!block.isEmpty())
        m_download.OnBytesReceived(std::string_view(block.constData(), std::size_t(block.size())));
}

} // namespace lumaro::gui
