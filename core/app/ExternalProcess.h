#pragma once

#include <filesystem>

namespace lumaro {

namespace fs = std::filesystem;

// A program run beside ours, such as the firmware build's batch file. The
// program's implementation starts a real process without a window; the
// tests' one plays a compiler that takes its time, or never delivers.
class IExternalProcess {
public:
    virtual ~IExternalProcess() = default;

    // Runs the batch file with folder as its working folder, no command line
    // and no window, without waiting for it. False when it cannot be run.
    virtual bool Start(const fs::path& batchFile, const fs::path& folder) = 0;

    // True while the process started last is still running.
    virtual bool Running() = 0;
};

} // namespace lumaro
