#include "cli/ChildProcess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumaro::cli {

CChildProcess::~CChildProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
}

bool CChildProcess::Start(const fs::path& batchFile, const fs::path& folder)
{
    if (m_pid > 0)
        return false;
    // Everything the child needs is made before the fork: after it only
    // async-signal-safe calls are allowed.
    const std::string file = batchFile.string();
    const std::string dir = folder.string();
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return false;
    }
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        if (::chdir(dir.c_str()) == 0)
            ::execl("/bin/sh", "sh", file.c_str(), static_cast<char*>(nullptr));
        // Tells the parent that nothing was started.
        const char failed = 1;
        (void)!::write(ready[1], &failed, 1);
        ::_exit(127);
    }
    ::close(ready[1]);
    char failed = 0;
    // Closed by exec on success, written on failure.
    const ssize_t n = ::read(ready[0], &failed, 1);
    ::close(ready[0]);
    m_pid = pid;
    if (n == 1) {
        (void)Running();
        return false;
    }
    return true;
}

bool CChildProcess::Running()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
    if (done == 0)
        return true;
    m_status = done == m_pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_pid = -1;
    return false;
}

} // namespace lumaro::cli
