#pragma once

#include "core/app/Status.h"

#include <string>
#include <string_view>

namespace lumaro::cli {

// A serial device opened the way the controller link needs it: 9600 baud,
// no parity, 8 data bits, 1 stop bit, raw, non-blocking.
class CSerialLine {
public:
    CSerialLine() = default;
    ~CSerialLine();
    CSerialLine(const CSerialLine&) = delete;
    CSerialLine& operator=(const CSerialLine&) = delete;

    Status Open(const std::string& device);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    // Queues bytes and writes what the device takes now; WriteMore writes
    // the rest when poll says the device is writable.
    Status Send(std::string_view bytes);
    Status WriteMore();
    bool HasUnwritten() const { return !m_unwritten.empty(); }

    // What has arrived; empty when nothing has. A failure means the device went away.
    Result<std::string> ReadAvailable();
    void DiscardInput();

private:
    int m_fd = -1;
    std::string m_unwritten;
};

} // namespace lumaro::cli
