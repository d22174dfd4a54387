#include "cli/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace lumaro::cli {

namespace {

Status Failed(const char* what)
{
    return Status::Fail(msgkey::FileOpenError, std::string(what) + ": " + std::strerror(errno));
}

} // namespace

CPseudoTerminal::~CPseudoTerminal()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

Status CPseudoTerminal::Open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return Failed("posix_openpt");
    if (::grantpt(m_master) != 0)
        return Failed("grantpt");
    if (::unlockpt(m_master) != 0)
        return Failed("unlockpt");
    const char* name = ::ptsname(m_master);
    if (!name)
        return Failed("ptsname");
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return Failed(name);
    // Raw from the start: a line discipline that echoed or translated line
    // ends before the downloader sets its own mode would garble the dialogue.
    termios mode{};
    if (::tcgetattr(m_slave, &mode) != 0)
        return Failed("tcgetattr");
    ::cfmakeraw(&mode);
    ::cfsetispeed(&mode, B9600);
    ::cfsetospeed(&mode, B9600);
    if (::tcsetattr(m_slave, TCSANOW, &mode) != 0)
        return Failed("tcsetattr");
    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return Failed("fcntl");
    return Status::Ok();
}

int CPseudoTerminal::PendingForSlave() const
{
    int count = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &count) != 0)
        return 0;
    return count;
}

} // namespace lumaro::cli
