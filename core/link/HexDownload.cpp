#include "core/link/HexDownload.h"

#include "core/link/DownloadTexts.h"

#include <utility>

namespace lumaro {

namespace {

class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
};

} // namespace

CHexDownload::CHexDownload(ILinkTransport& transport, ILinkClock& clock, IDownloadListener& listener)
    : m_transport(transport), m_clock(clock), m_listener(listener)
{
}

Result<std::string> CHexDownload::LoadHexFile(const fs::path& path)
{
    if (path.empty())
        return Status::Fail(kNoFileKey, downloadtext::kSelectFile);
    auto bytes = ReadFileBytes(path);
    if (!bytes)
        return Status::Fail(CHexRecordReader::kReadErrorKey, downloadtext::kReadFileError);
    if (Status checked = CHexRecordReader::Check(bytes.value()); !checked)
        return checked;
    return bytes;
}

Status CHexDownload::Start(std::string hexFile, Options options)
{
    if (Running() || m_busy)
        return Status::Fail(kBusyKey, "a download is running");
    // The erase comes first: a file that would fail half-way must not
    // leave the controller empty.
    if (Status checked = CHexRecordReader::Check(hexFile); !checked)
        return checked;
    {
        BusyScope busy(m_busy);
        m_options = options;
        m_file = std::move(hexFile);
        m_reader.emplace(m_file);
        m_sent = 0;
        m_configSyncFailed = false;
        m_rxBacklog.clear();
        m_timerBacklog = m_cancelBacklog = false;
        m_transport.DiscardInput();
        if (m_options.dialog == Dialog::EditScene)
            Message(downloadtext::kSceneLinkOk);
        Begin(Step::EraseSync);
        DrainBacklog();
    }
    Flush();
    return Status::Ok();
}

void CHexDownload::OnBytesReceived(std::string_view block)
{
    if (m_busy) {
        m_rxBacklog.append(block);
        return;
    }
    {
        BusyScope busy(m_busy);
        Receive(block);
        DrainBacklog();
    }
    Flush();
}

void CHexDownload::OnTimer()
{
    if (m_busy) {
        m_timerBacklog = true;
        return;
    }
    {
        BusyScope busy(m_busy);
        CheckTimer();
        DrainBacklog();
    }
    Flush();
}

void CHexDownload::Cancel()
{
    if (m_busy) {
        m_cancelBacklog = true;
        return;
    }
    {
        BusyScope busy(m_busy);
        if (Running())
            Finish(Status::Fail(kCancelledKey, "download cancelled"));
        DrainBacklog();
    }
    Flush();
}

void CHexDownload::DrainBacklog()
{
    while (!m_rxBacklog.empty() || m_timerBacklog || m_cancelBacklog) {
        if (m_cancelBacklog) {
            m_cancelBacklog = false;
            m_rxBacklog.clear();
            if (Running())
                Finish(Status::Fail(kCancelledKey, "download cancelled"));
            continue;
        }
        if (!m_rxBacklog.empty()) {
            const std::string block = std::exchange(m_rxBacklog, {});
            Receive(block);
            continue;
        }
        m_timerBacklog = false;
        CheckTimer();
    }
}

void CHexDownload::Flush()
{
    if (m_flushing)
        return;
    m_flushing = true;
    while (!m_events.empty()) {
        const Event e = std::move(m_events.front());
        m_events.pop_front();
        switch (e.kind) {
        case Event::Message:
            m_listener.OnMessage(e.text);
            break;
        case Event::Progress:
            m_listener.OnProgress(e.sent, e.total);
            break;
        case Event::Finished:
            m_listener.OnFinished(e.outcome);
            break;
        }
    }
    m_flushing = false;
}

void CHexDownload::Message(const char* text)
{
    m_events.push_back({Event::Message, text, 0, 0, {}});
}

void CHexDownload::Progress(std::size_t sent)
{
    m_events.push_back({Event::Progress, {}, sent, m_file.size(), {}});
}

bool CHexDownload::IsSync(Step s)
{
    return s == Step::EraseSync || s == Step::FileSync || s == Step::Resync || s == Step::ConfigSync;
}

std::string_view CHexDownload::CommandText() const
{
    switch (m_step) {
    case Step::Erase:
        return kEraseRecord;
    case Step::Record:
        return m_record.text;
    case Step::Status:
        return kStatusRecord;
    case Step::Clock:
        return kClockRecord;
    case Step::Security1:
        return kSecurityRecords[0];
    case Step::Security2:
        return kSecurityRecords[1];
    case Step::Security3:
        return kSecurityRecords[2];
    default:
        return kSyncRecord;
    }
}

int CHexDownload::WaitMs() const
{
    switch (m_step) {
    case Step::Erase:
        return kEraseWaitMs;
    case Step::Record:
        return kRecordWaitMs;
    case Step::Status:
    case Step::Clock:
        return kStatusWaitMs;
    case Step::Security1:
    case Step::Security2:
    case Step::Security3:
        return kSecurityWaitMs;
    default:
        return kSyncWaitMs;
    }
}

bool CHexDownload::Accepted(char answer) const
{
    // Synchronisation takes "U" (the loader's echo) or "."; after the last
    // send only "." counts, as the download dialogs have always judged it.
    if (IsSync(m_step))
        return answer == '.' || (answer == 'U' && m_sends < kMaxSends);
    return answer == '.';
}

void CHexDownload::Begin(Step step)
{
    m_step = step;
    // A stale "." must never pass for the answer to a new command.
    m_reply = 'E';
    m_sends = 0;
    SendCurrent();
}

void CHexDownload::SendCurrent()
{
    ++m_sends;
    const std::string_view text = CommandText();
    m_scanner.Begin(text, IsSync(m_step) ? CReplyScanner::Rule::FirstByte : CReplyScanner::Rule::AfterEcho);
    m_deadline = m_clock.NowMs() + WaitMs();
    m_clock.WakeAt(*m_deadline);
    if (Status s = m_transport.Send(text); !s)
        Finish(std::move(s));
}

void CHexDownload::Receive(std::string_view block)
{
    if (!Running() || !m_deadline || m_scanner.Answer())
        return; // nothing awaited, or this send's answer is already known
    // Blocks are joined before the answer is looked for, so the port's way of
    // splitting the echo and the answer cannot turn an accepted send into a
    // timeout and a needless resend.
    const std::optional<char> answer = m_scanner.Add(block);
    if (!answer)
        return;
    m_reply = *answer;
    // The waits are upper bounds: the loader's "." says it is ready for the
    // next command, so the wait ends here and the download runs at the line's
    // speed. Any other answer leaves the wait to run out, so that late bytes
    // of this exchange cannot be taken for the answer to the resend.
    if (Accepted(*answer))
        Answered();
}

void CHexDownload::CheckTimer()
{
    if (!Running() || !m_deadline)
        return;
    if (m_clock.NowMs() < *m_deadline) {
        m_clock.WakeAt(*m_deadline);
        return;
    }
    Unanswered();
}

void CHexDownload::Unanswered()
{
    m_deadline.reset();
    if (m_sends >= kMaxSends) {
        Failed();
        return;
    }
    if (m_step == Step::Record && m_sends >= kResyncAfterSends) {
        m_recordSends = m_sends;
        Begin(Step::Resync);
        return;
    }
    SendCurrent();
}

void CHexDownload::Answered()
{
    m_deadline.reset();
    switch (m_step) {
    case Step::EraseSync:
        Begin(Step::Erase);
        break;
    case Step::Erase:
        AfterErase();
        break;
    case Step::FileSync:
        NextRecord();
        break;
    case Step::Record:
        m_sent += m_record.text.size();
        Progress(m_sent);
        if (!m_record.endOfFile) {
            NextRecord();
            break;
        }
        Message(m_options.dialog == Dialog::EditScene ? downloadtext::kSceneDownloadSuccess
                                                      : downloadtext::kSendDataSuccess);
        Begin(Step::ConfigSync);
        break;
    case Step::Resync:
        ResumeRecord();
        break;
    case Step::ConfigSync:
        Begin(Step::Status);
        break;
    case Step::Status:
        if (m_options.dialog == Dialog::Download && m_options.target == Target::Vela1000)
            Begin(Step::Clock);
        else
            AfterStatusAndClock();
        break;
    case Step::Clock:
        AfterStatusAndClock();
        break;
    case Step::Security1:
        Begin(Step::Security2);
        break;
    case Step::Security2:
        Begin(Step::Security3);
        break;
    case Step::Security3:
        if (m_options.dialog == Dialog::Download)
            Message(downloadtext::kSetBitSuccess);
        Progress(0);
        Finish(Status::Ok());
        break;
    case Step::Idle:
        break;
    }
}

void CHexDownload::Failed()
{
    if (IsSync(m_step))
        Message(downloadtext::kSyncTimeout);
    switch (m_step) {
    case Step::EraseSync:
        // A failed erase does not stop the download: the data is sent and the
        // configuration tried all the same.
        Message(downloadtext::kSetRateFailed);
        AfterErase();
        break;
    case Step::Erase:
        Message(downloadtext::kEraseTimeout);
        Message(downloadtext::kEraseFailed);
        AfterErase();
        break;
    case Step::FileSync:
        NextRecord(); // the record loop synchronises again when it must
        break;
    case Step::Resync:
        ResumeRecord();
        break;
    case Step::ConfigSync:
        m_configSyncFailed = true;
        Begin(Step::Status);
        break;
    case Step::Record:
        // Stops the download: setting the security bits over a half-written
        // chip would lock a broken image in.
        Message(downloadtext::kFileDataTimeout);
        if (m_record.endOfFile)
            Message(downloadtext::kFileEof);
        Finish(Status::Fail(kFileDataTimeoutKey, downloadtext::kFileDataTimeout));
        break;
    case Step::Status:
        Message(downloadtext::kStatusTimeout);
        Progress(0);
        Finish(Status::Fail(kStatusTimeoutKey, downloadtext::kStatusTimeout));
        break;
    case Step::Clock:
        Message(downloadtext::kClockTimeout);
        Progress(0);
        Finish(Status::Fail(kClockTimeoutKey, downloadtext::kClockTimeout));
        break;
    case Step::Security1:
    case Step::Security2:
    case Step::Security3:
        Message(downloadtext::kConfigTimeout);
        Progress(0);
        Finish(Status::Fail(kConfigTimeoutKey, downloadtext::kConfigTimeout));
        break;
    case Step::Idle:
        break;
    }
}

void CHexDownload::AfterErase()
{
    Progress(0);
    Begin(Step::FileSync);
}

void CHexDownload::NextRecord()
{
    Result<HexRecord> record = m_reader->Next();
    if (!record) {
        Message(downloadtext::kReadFileError);
        Finish(record.status());
        return;
    }
    m_record = record.value();
    Begin(Step::Record);
}

void CHexDownload::ResumeRecord()
{
    m_step = Step::Record;
    m_sends = m_recordSends;
    SendCurrent();
}

void CHexDownload::AfterStatusAndClock()
{
    if (m_configSyncFailed) {
        Message(downloadtext::kSetBitFailed);
        Progress(0);
        Finish(Status::Fail(kSetBitFailedKey, downloadtext::kSetBitFailed));
        return;
    }
    Begin(Step::Security1);
}

void CHexDownload::Finish(Status outcome)
{
    m_step = Step::Idle;
    m_deadline.reset();
    m_events.push_back({Event::Finished, {}, 0, 0, std::move(outcome)});
}

} // namespace lumaro
