#pragma once

#include "core/app/ExternalProcess.h"

#include <QProcess>

namespace lumaro::gui {

// The firmware build's batch file as a process of its own: no window, the
// build folder as its working folder. A process still running when this
// goes is ended with it, so that a cancelled build leaves no compiler behind.
class CBuildProcess : public IExternalProcess {
public:
    CBuildProcess();
    ~CBuildProcess() override;

    bool Start(const fs::path& batchFile, const fs::path& folder) override;
    bool Running() override;

private:
    QProcess m_process;
};

} // namespace lumaro::gui
