#pragma once

#include "core/link/HexDownload.h"
#include "gui/link/PortLink.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace lumaro::gui {

class CMSComm;
struct CPrompts;

// What both download dialogs do with their port: link, run the download,
// show its fixed English messages, ask before a running download is
// stopped. The messages are shown from the event loop, never from inside
// the port's notification, so that a box on the screen does not hold up
// the bytes the loader keeps sending.
class CDownloadRunner : public QObject, public IDownloadListener {
    Q_OBJECT
public:
    // Asked before a download is stopped halfway.
    static constexpr const char* kAskStopKey = "DOWNLOADRUNNER_ASKTOSTOP_ADIR";

    CDownloadRunner(CMSComm& comm, CPrompts& prompts, QWidget* owner);
    ~CDownloadRunner() override;

    // Links with the port of a port-list text; shows "Link OK!" (when
    // announce) or "Link Failed!".
    bool Link(const QString& portText, bool announce);
    // Starts the download of the HEX file at path on the linked port: "Please
    // Select a file for Downloading!" without a path, "Read File Error!"
    // when it cannot be read. False when nothing started, a download already
    // running included.
    bool Start(const QString& path, CHexDownload::Options options);
    // The Edit Scene dialog's Download: the file is checked first, then the
    // port linked ("Link Failed!" ends it there), then the download starts.
    bool LinkAndStart(const QString& portText, const QString& path, CHexDownload::Options options);
    bool Running() const { return m_link.Download().Running(); }
    // True when nothing runs, or the user agreed to stop the running download.
    bool AskToStop();

    CHexDownload& Download() { return m_link.Download(); }
    // Messages waiting to be shown.
    const QStringList& PendingMessages() const { return m_pending; }

Q_SIGNALS:
    void Progress(qint64 sent, qint64 total);
    void RunningChanged(bool running);

private:
    void OnMessage(std::string_view text) override;
    void OnProgress(std::size_t sent, std::size_t total) override;
    void OnFinished(const Status& outcome) override;
    Result<std::string> Load(const QString& path);
    bool StartLoaded(std::string file, CHexDownload::Options options);
    void Show(const QString& text);
    void ShowPending();

    CPrompts& m_prompts;
    QWidget* m_owner;
    CPortLink m_link;
    QStringList m_pending;
    bool m_showing = false;
};

} // namespace lumaro::gui
