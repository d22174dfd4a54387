#pragma once

#include "core/app/ExternalProcess.h"

#include <sys/types.h>

namespace lumaro::cli {

// The build's batch file run through /bin/sh in its folder, its output
// thrown away (the batch file keeps its own log). A child still running
// when this goes is ended and reaped.
class CChildProcess : public IExternalProcess {
public:
    CChildProcess() = default;
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    ~CChildProcess() override;

    bool Start(const fs::path& batchFile, const fs::path& folder) override;
    bool Running() override;
    // The exit status once it has ended; -1 while running or when killed.
    int ExitStatus() const { return m_status; }

private:
    pid_t m_pid = -1;
    int m_status = -1;
};

} // namespace lumaro::cli
