#include "cli/SerialLine.h"

#include "core/link/SerialDevice.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace lumaro::cli {

namespace {

Status LineFailed(const std::string& what)
{
    return Status::Fail(serialport::kLinkFailedKey, what + ": " + std::strerror(errno));
}

} // namespace

CSerialLine::~CSerialLine()
{
    Close();
}

Status CSerialLine::Open(const std::string& device)
{
    Close();
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return LineFailed(device);
    termios mode{};
    if (::tcgetattr(fd, &mode) != 0) {
        const Status failed = LineFailed(device + " is no serial device");
        ::close(fd);
        return failed;
    }
    ::cfmakeraw(&mode);
    mode.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS);
    mode.c_cflag |= CS8 | CLOCAL | CREAD;
    mode.c_cc[VMIN] = 0;
    mode.c_cc[VTIME] = 0;
    ::cfsetispeed(&mode, B9600);
    ::cfsetospeed(&mode, B9600);
    if (::tcsetattr(fd, TCSANOW, &mode) != 0) {
        const Status failed = LineFailed(device + ": 9600,N,8,1");
        ::close(fd);
        return failed;
    }
    // The controller's loader may be powered from the modem lines; a device
    // without them (a pseudo-terminal) refuses, which is no failure.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    m_fd = fd;
    DiscardInput();
    return Status::Ok();
}

void CSerialLine::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_unwritten.clear();
}

Status CSerialLine::Send(std::string_view bytes)
{
    if (m_fd < 0)
        return Status::Fail(serialport::kLinkFailedKey, "the port is not open");
    m_unwritten.append(bytes);
    return WriteMore();
}

Status CSerialLine::WriteMore()
{
    while (!m_unwritten.empty()) {
        const ssize_t n = ::write(m_fd, m_unwritten.data(), m_unwritten.size());
        if (n > 0) {
            m_unwritten.erase(0, std::size_t(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else {
            return LineFailed("write");
        }
    }
    return Status::Ok();
}

Result<std::string> CSerialLine::ReadAvailable()
{
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, std::size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return LineFailed("read");
        // n == 0 on a terminal in raw mode with VMIN 0: nothing more for now.
        return bytes;
    }
}

void CSerialLine::DiscardInput()
{
    if (m_fd >= 0)
        ::tcflush(m_fd, TCIFLUSH);
}

} // namespace lumaro::cli
