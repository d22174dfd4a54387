#include "gui/firmware/BuildProcess.h"

#include <QString>
#include <QStringList>

#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

namespace lumaro::gui {

namespace {

QString PathText(const fs::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

} // namespace

CBuildProcess::CBuildProcess()
{
    // The compiler's messages go to its log file; nothing is read here.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
}

CBuildProcess::~CBuildProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
#ifndef _WIN32
        // The whole group: a compiler the batch file started goes with it.
        if (const qint64 pid = m_process.processId(); pid > 0)
            ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

bool CBuildProcess::Start(const fs::path& batchFile, const fs::path& folder)
{
    if (m_process.state() != QProcess::NotRunning)
        return false;
    m_process.setWorkingDirectory(PathText(folder));
#ifdef _WIN32
    m_process.setProgram(QStringLiteral("cmd.exe"));
    m_process.setArguments({QStringLiteral("/c"), PathText(batchFile)});
    m_process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
        args->flags |= 0x08000000; // CREATE_NO_WINDOW
    });
#else
    // Through the shell, so that a batch file copied without its execute
    // bit still runs.
    m_process.setProgram(QStringLiteral("/bin/sh"));
    m_process.setArguments({PathText(batchFile)});
    // A process group of its own, so that ending it ends what it started.
    m_process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.start();
    return m_process.waitForStarted(5000);
}

bool CBuildProcess::Running()
{
    // The process's end is learnt from the event loop, which the waiting
    // build keeps turning; asking here as well makes the answer current.
    m_process.waitForFinished(0);
    return m_process.state() != QProcess::NotRunning;
}

} // namespace lumaro::gui
