#pragma once

#include "core/app/ExternalProcess.h"
#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/CompiledEffects.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lumaro {

// One controller image from a project: the firmware tables are written into
// the current folder, moved into the build folder beside "CData.h", the
// build folder's batch file compiles them, and the image comes back beside
// the project, stamped with the lamp count. The caller owns the waiting: it
// calls Poll once a round (about 20 ms apart) so that a window stays alive
// while the compiler works.
class CFirmwareBuild {
public:
    // Messages of the steps, in their order.
    static constexpr const char* kNoPortTableKey = "CRTBINDLG_ONBINGO_PC";
    static constexpr const char* kShowPatternCopyKey = "CRTBINDLG_ONBINGO_FDCF";
    static constexpr const char* kGroupTablesCopyKey = "CRTBINDLG_ONBINGO_FCCF";
    static constexpr const char* kCannotRunKey = "CRTBINDLG_ONBINGO_FTCB";
    static constexpr const char* kNoImageKey = "CRTBINDLG_ONBINGO_CBFF";
    static constexpr const char* kImageCopyKey = "CRTBINDLG_ONBINGO_FDBCF";
    static constexpr const char* kStampKey = "ID_MSG_CBINDLG_SEO";
    // A table over its limit was left empty, so "CData.h" cannot be made.
    static constexpr const char* kTablesOverLimitKey = "CRTBINDLG_ONBINGO_OVERLIMIT";
    // Report labels, and the warning when a table is over its capacity.
    static constexpr const char* kColourListsKey = "ID_MSG_CBINDLG_COGRP";
    static constexpr const char* kBandListsKey = "ID_MSG_CBINDLG_GRPCLUGRP";
    static constexpr const char* kLampSequencesKey = "ID_MSG_CBINDLG_CLUGRP";
    static constexpr const char* kProgramGroupsKey = "ID_MSG_CBINDLG_PRGGRP";
    static constexpr const char* kImageSizeKey = "ID_MSG_CBINDLG_SIZE";
    static constexpr const char* kOverCapacityKey = "ID_MSG_CBINDLG_RRBSB";
    static constexpr const char* kFrameMemoryKey = "ID_MSG_CBINDLG_FRAMEMEM";
    // %1 the frame time in ms, %2 the lamps of the longest chain.
    static constexpr const char* kFrameTimeKey = "ID_MSG_CBINDLG_FRAMETIME";
    // %1 the mode, %2 its step in ms, %3 what its frame takes.
    static constexpr const char* kSlowModeKey = "ID_MSG_CBINDLG_SLOWMODE";

    // The least wait is 100 rounds of 20 ms. A compiler still at work is
    // waited for much longer; only then, or once it has ended without an
    // image, is the user asked.
    static constexpr int kRoundMs = 20;
    static constexpr int kLeastRounds = 100;
    static constexpr int kLongestRounds = 5 * 60 * 1000 / kRoundMs;

    static constexpr std::size_t kStampSize = 14;

    struct Setup {
        int fileFormat = 1;     // 1 to 3
        fs::path buildFolder;   // install folder + "sys"
        fs::path currentFolder; // holds "cport.h"; receives the image
        std::string title;      // the document's title, "Show.led"
        std::size_t lampCount = 0;
    };

    // What the report counts.
    struct Counts {
        std::size_t programGroups = 0; // of 32, with at least one record
        std::size_t colourLists = 0;
        std::size_t lampSequences = 0;
        std::size_t bandLists = 0;
        // The controller's frame and speed; no lines for them while xram is 0.
        std::size_t frameBytes = 0;
        std::size_t xram = 0;
        std::size_t longestChain = 0;
        double frameMs = 0;
        std::vector<std::string> slowModes{}; // one report line each
    };

    explicit CFirmwareBuild(Setup setup);

    // Cleans the build folder, writes and moves the tables, writes "CData.h"
    // and the controller's play "CPlay.h" (a frame larger than the build
    // folder's XRAM fails here) and starts the batch file. notice receives what is shown on the way
    // without ending the build (a table over its limit). A failure ends the
    // build; files already written stay.
    Status Start(const CCompiledEffects& compiled, IExternalProcess& process,
                 const std::function<void(const Status&)>& notice = {});

    enum class Wait { Waiting, Found, Ask };
    // One round of waiting for the image, given whether the batch process
    // still runs. Ask: the process has ended without an image, or the
    // longest wait is over; the user chooses Retry or Cancel.
    Wait Poll(bool processRunning);
    // Retry after Ask: the image is looked for again, and a compiler still
    // at work gets another full wait.
    void Retry();
    int Rounds() const { return m_rounds; }

    const Counts& Counted() const { return m_counts; }
    // The report of the image found, one line each, "\n" between lines.
    std::string Report() const;
    // Copies the image beside the project and stamps it. Stamping failure
    // removes the copy.
    Status CopyImage();

    fs::path ImageFile() const; // build folder + "DSP<n>.BIN"
    fs::path HexFile() const;   // build folder + "DSP<n>.hex"
    fs::path ListFile() const;  // build folder + "DSP<n>.LST", the compiler's messages
    fs::path CopyFile() const;  // current folder + base name + n + ".hex"
    fs::path BatchFile() const; // build folder + "lss<n>.sh" (".bat" on Windows)

    // Parts of the report and of the image copy, on their own for tests.
    static std::string ReportText(const Counts& counts, std::uintmax_t imageLength, int fileFormat);
    // The capacities the report measures against, which Creat Data names too.
    static std::size_t LampSequenceCapacity(int fileFormat);
    static std::size_t BandListCapacity();
    static std::size_t ColourListCapacity();
    // Tenths of a per cent, "50.0"; a single digit gets a leading "0".
    static std::string ShareText(std::uint64_t tenths);
    static std::string Stamp(std::size_t lampCount);
    // The title up to its first ".".
    static std::string BaseName(const std::string& title);
    // The speed lines of the report: frame time and the modes too fast for it.
    static std::string SpeedText(const Counts& counts);
    // "Frame time:  20.9 ms (longest chain: 60 lamps)", also Creat Data's.
    static std::string FrameTimeText(double frameMs, std::size_t longestChain);

private:
    fs::path Find(const std::string& name) const;

    Setup m_setup;
    Counts m_counts;
    int m_rounds = 0;
    int m_limit = kLongestRounds;
};

} // namespace lumaro
