#pragma once

#include "core/link/HexDownload.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace lumaro::gui::test {

// "lumaro-cli bootsim" in the background, on a pseudo-terminal; Device() is
// the path it printed. Ended (and waited for) when the object goes.
class CBootsim {
public:
    explicit CBootsim(const QStringList& arguments = {});
    ~CBootsim();

    static bool Available();
    const QString& Device() const { return m_device; }
    // Ends it (its image and log are written then); its exit code.
    int Stop();
    // Waits for it to end by itself (--once); its exit code, or -1.
    int WaitForEnd(int ms = 5000);

private:
    QProcess m_process;
    QString m_device;
};

// Runs the event loop until done() or ms have passed; done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, int ms = 5000);

// count data records of 16 bytes from address 0 and the end-of-file record,
// CR LF after each, as a HEX image file holds them.
std::string SampleHexFile(int count);

} // namespace lumaro::gui::test
