#pragma once

#include "core/link/HexDownload.h"
#include "core/link/LinkClock.h"
#include "core/link/LinkTransport.h"

#include <QElapsedTimer>
#include <QObject>

class QTimer;

namespace lumaro::gui {

class CMSComm;

// Runs the core's download over a download dialog's port: sends go out
// through the control, every block it receives goes to the download, and
// the download's wake-up is one single-shot timer. Nothing waits, so the
// window keeps answering while the loader works.
class CPortLink : public QObject, public ILinkTransport, public ILinkClock {
    Q_OBJECT
public:
    CPortLink(CMSComm& comm, IDownloadListener& listener, QObject* parent = nullptr);
    ~CPortLink() override;

    CHexDownload& Download() { return m_download; }
    const CHexDownload& Download() const { return m_download; }
    CMSComm& Comm() { return m_comm; }

    Status Send(std::string_view bytes) override;
    void DiscardInput() override;
    std::int64_t NowMs() const override;
    void WakeAt(std::int64_t atMs) override;

private:
    void OnComm();

    CMSComm& m_comm;
    QElapsedTimer m_clock;
    QTimer* m_timer;
    CHexDownload m_download;
};

} // namespace lumaro::gui
