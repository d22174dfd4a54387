#pragma once

#include "core/app/Status.h"

#include <string>

namespace lumaro::cli {

// A pseudo-terminal pair in raw mode, standing in for the controller's end
// of a serial cable: the program that owns it reads and writes the master
// side; a downloader opens SlavePath() as it would open a serial device.
class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    Status Open();

    int MasterFd() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }
    // Bytes written to the master that the slave side has not read yet.
    int PendingForSlave() const;

private:
    int m_master = -1;
    // Held open for the pair's lifetime: without any slave open, the master
    // reports a hang-up from one downloader's close to the next one's open,
    // and what it wrote meanwhile is lost.
    int m_slave = -1;
    std::string m_slavePath;
};

} // namespace lumaro::cli
