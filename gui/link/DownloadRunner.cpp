#include "gui/link/DownloadRunner.h"

#include "core/app/LangText.h"
#include "core/link/DownloadTexts.h"
#include "core/link/SerialDevice.h"
#include "gui/app/Prompts.h"
#include "gui/link/MSComm.h"

#include <QMetaObject>
#include <QWidget>

namespace lumaro::gui {

CDownloadRunner::CDownloadRunner(CMSComm& comm, CPrompts& prompts, QWidget* owner)
    : QObject(owner), m_prompts(prompts), m_owner(owner), m_link(comm, *this)
{
}

CDownloadRunner::~CDownloadRunner()
{
    // The owner is going away: nothing more is told or shown.
    blockSignals(true);
    m_showing = true;
    m_link.Download().Cancel();
}

bool CDownloadRunner::Link(const QString& portText, bool announce)
{
    const bool linked = m_link.Comm().Link(portText);
    if (!linked || announce)
        Show(QString::fromLatin1(linked ? downloadtext::kLinkOk : downloadtext::kLinkFailed));
    return linked;
}

bool CDownloadRunner::Start(const QString& path, CHexDownload::Options options)
{
    if (Running())
        return false;
    Result<std::string> file = Load(path);
    return file && StartLoaded(std::move(file).value(), options);
}

bool CDownloadRunner::LinkAndStart(const QString& portText, const QString& path,
                                   CHexDownload::Options options)
{
    if (Running())
        return false;
    Result<std::string> file = Load(path);
    return file && Link(portText, false) && StartLoaded(std::move(file).value(), options);
}

Result<std::string> CDownloadRunner::Load(const QString& path)
{
    Result<std::string> file = CHexDownload::LoadHexFile(path.toStdString());
    if (!file)
        Show(QString::fromStdString(file.status().detail));
    return file;
}

bool CDownloadRunner::StartLoaded(std::string file, CHexDownload::Options options)
{
    if (const Status started = m_link.Download().Start(std::move(file), options); !started) {
        if (started.key != CHexDownload::kBusyKey)
            Show(QString::fromStdString(started.detail));
        return false;
    }
    // A port that failed at the first send has already ended it.
    if (Running())
        Q_EMIT RunningChanged(true);
    return true;
}

bool CDownloadRunner::AskToStop()
{
    if (!Running())
        return true;
    const QMessageBox::StandardButton answer =
        m_prompts.message(m_owner, QString::fromStdString(GetLangText(kAskStopKey)), QMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    m_link.Download().Cancel();
    return true;
}

void CDownloadRunner::OnMessage(std::string_view text)
{
    Show(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

void CDownloadRunner::OnProgress(std::size_t sent, std::size_t total)
{
    Q_EMIT Progress(qint64(sent), qint64(total));
}

void CDownloadRunner::OnFinished(const Status& outcome)
{
    // A port that went away says so; every other end has shown its text.
    if (outcome.key == serialport::kLinkFailedKey)
        Show(QString::fromLatin1(downloadtext::kLinkFailed));
    Q_EMIT RunningChanged(false);
}

void CDownloadRunner::Show(const QString& text)
{
    m_pending << text;
    QMetaObject::invokeMethod(this, &CDownloadRunner::ShowPending, Qt::QueuedConnection);
}

void CDownloadRunner::ShowPending()
{
    // One box at a time, in order; the loop inside a box shows none of the rest.
    if (m_showing)
        return;
    m_showing = true;
    while (!m_pending.isEmpty()) {
        const QString text = m_pending.takeFirst();
        m_prompts.message(m_owner, text, QMessageBox::Information, QMessageBox::Ok);
    }
    m_showing = false;
}

} // namespace lumaro::gui
