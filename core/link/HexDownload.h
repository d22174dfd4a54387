#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/link/DownloadListener.h"
#include "core/link/HexRecordReader.h"
#include "core/link/LinkClock.h"
#include "core/link/LinkTransport.h"
#include "core/link/ReplyScanner.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace lumaro {

// Writes a HEX image into the controller through its serial boot loader.
//
// Every command is an Intel HEX record sent as text; the loader echoes it and
// answers one character, "." for accepted. The sequence: synchronise and
// erase the chip; synchronise and send the file's records up to the
// end-of-file record; synchronise, enable the status (and, for the Vela
// controllers, the clock) and set the three security bits.
//
// Nothing here blocks. The owner feeds the machine three kinds of event:
// Start, each block the port receives (OnBytesReceived) and the wake-up it
// asked its clock for (OnTimer); Cancel stops it between two sends. All
// calls come from one thread. A dialog calls Start from its Download button,
// OnBytesReceived with what the port's received-data notification reads,
// OnTimer from the single-shot timer its ILinkClock::WakeAt arms, and Cancel
// from a Cancel button.
class CHexDownload {
public:
    enum class Dialog {
        Download,  // the download dialog: clock record for the Vela target, "Set Bit Success!"
        EditScene, // the Edit Scene dialog: "Link ok!", no clock record, "Download Success!"
    };
    enum class Target {
        Nvdmx,    // "TO NVDMX": no clock record
        Vela1000, // "TO Vela1000/512": the clock record after the status record
    };
    struct Options {
        Dialog dialog = Dialog::Download;
        Target target = Target::Nvdmx;
    };

    // Keys of the outcomes that stop a download. The dialogs show the fixed
    // English texts of downloadtext instead of language-file texts; the
    // keys let callers tell the failures apart, the detail is the text.
    static constexpr const char* kNoFileKey = "HEXDOWNLOADDLG_ONDOWNLOAD_PSAFFD";
    static constexpr const char* kFileDataTimeoutKey = "HEXDOWNLOADDLG_ONDOWNLOAD_SFT";
    static constexpr const char* kStatusTimeoutKey = "HEXDOWNLOADDLG_ONDOWNLOAD_SSET";
    static constexpr const char* kClockTimeoutKey = "HEXDOWNLOADDLG_ONDOWNLOAD_SCET";
    static constexpr const char* kSetBitFailedKey = "HEXDOWNLOADDLG_ONDOWNLOAD_SBF";
    static constexpr const char* kConfigTimeoutKey = "HEXDOWNLOADDLG_ONDOWNLOAD_SCT";
    static constexpr const char* kCancelledKey = "HEXDOWNLOADDLG_ONDOWNLOAD_CANCELLED";
    static constexpr const char* kBusyKey = "HEXDOWNLOADDLG_ONDOWNLOAD_BUSY";

    // The boot loader's fixed commands.
    static constexpr std::string_view kSyncRecord = "U";
    static constexpr std::string_view kEraseRecord = ":0100000307F5";
    static constexpr std::string_view kStatusRecord = ":020000030400F7";
    static constexpr std::string_view kClockRecord = ":0300000306028072";
    static constexpr std::string_view kSecurityRecords[3] = {":020000030500F6", ":020000030501F5",
                                                             ":020000030502F4"};

    // Each command is sent at most this often; from this many unanswered
    // sends of a data record on, the loader is synchronised again before the
    // next send.
    static constexpr int kMaxSends = 10;
    static constexpr int kResyncAfterSends = 6;

    // Longest wait for an answer after one send, by command.
    static constexpr int kSyncWaitMs = 100;
    static constexpr int kEraseWaitMs = 20000;
    static constexpr int kStatusWaitMs = 1000; // the clock record too
    static constexpr int kSecurityWaitMs = 200;
    static constexpr int kRecordWaitMs = 100;

    CHexDownload(ILinkTransport& transport, ILinkClock& clock, IDownloadListener& listener);
    CHexDownload(const CHexDownload&) = delete;
    CHexDownload& operator=(const CHexDownload&) = delete;

    // The HEX file chosen in the dialog; an empty path is kNoFileKey.
    static Result<std::string> LoadHexFile(const fs::path& path);

    // Starts the sequence on a linked port; kBusyKey while one runs.
    Status Start(std::string hexFile, Options options);

    void OnBytesReceived(std::string_view block);
    void OnTimer();
    void Cancel();

    bool Running() const { return m_step != Step::Idle; }
    // When the current wait ends at the latest; none when idle.
    std::optional<std::int64_t> Deadline() const { return m_deadline; }
    // The last answer taken; "E" from the start of each command until one comes.
    char Reply() const { return m_reply; }

private:
    enum class Step {
        Idle,
        EraseSync,
        Erase,
        FileSync,
        Record,
        Resync,
        ConfigSync,
        Status,
        Clock,
        Security1,
        Security2,
        Security3,
    };
    struct Event {
        enum Kind { Message, Progress, Finished } kind;
        std::string text;
        std::size_t sent = 0;
        std::size_t total = 0;
        Status outcome;
    };

    static bool IsSync(Step s);
    std::string_view CommandText() const;
    int WaitMs() const;
    bool Accepted(char answer) const;

    void Begin(Step step);
    void SendCurrent();
    void Receive(std::string_view block);
    void CheckTimer();
    void Answered();
    void Unanswered();
    void Failed();
    void AfterErase();
    void NextRecord();
    void ResumeRecord();
    void AfterStatusAndClock();
    void Finish(Status outcome);

    void Message(const char* text);
    void Progress(std::size_t sent);
    void DrainBacklog();
    void Flush();

    ILinkTransport& m_transport;
    ILinkClock& m_clock;
    IDownloadListener& m_listener;

    Options m_options;
    std::string m_file;
    std::optional<CHexRecordReader> m_reader;
    HexRecord m_record;
    std::size_t m_sent = 0;
    bool m_configSyncFailed = false;

    Step m_step = Step::Idle;
    int m_sends = 0;       // sends of the current command
    int m_recordSends = 0; // sends of the data record while a re-synchronisation runs
    std::optional<std::int64_t> m_deadline;
    CReplyScanner m_scanner;
    char m_reply = 'E';

    // A transport or listener may call back while a step runs; such calls
    // are kept and handled once the step is done, in order.
    bool m_busy = false;
    std::string m_rxBacklog;
    bool m_timerBacklog = false;
    bool m_cancelBacklog = false;
    std::deque<Event> m_events;
    bool m_flushing = false;
};

} // namespace lumaro
