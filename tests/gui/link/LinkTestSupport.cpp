#include "link/LinkTestSupport.h"

#include "core/link/HexRecordReader.h"

#include <QEventLoop>
#include <QThread>

#include <csignal>

namespace lumaro::gui::test {

bool CBootsim::Available()
{
#ifdef LUMARO_CLI_PATH
    return true;
#else
    return false;
#endif
}

CBootsim::CBootsim(const QStringList& arguments)
{
    // Without the command-line program (a build without it) there is nothing to start.
    Q_UNUSED(arguments);
#ifdef LUMARO_CLI_PATH
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral(LUMARO_CLI_PATH), QStringList{QStringLiteral("bootsim")} + arguments);
    // The device is the first thing it prints; the time only guards a broken build.
    if (m_process.waitForStarted(5000)) {
        QElapsedTimer clock;
        clock.start();
        while (!m_process.canReadLine() && clock.elapsed() < 5000)
            m_process.waitForReadyRead(100);
        m_device = QString::fromUtf8(m_process.readLine()).trimmed();
    }
#endif
}

CBootsim::~CBootsim()
{
    if (m_process.state() != QProcess::NotRunning)
        Stop();
}

int CBootsim::Stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate(); // SIGTERM: it saves what it was asked to and ends
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(1000);
            return -1;
        }
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

int CBootsim::WaitForEnd(int ms)
{
    if (!m_process.waitForFinished(ms))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

bool WaitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

std::string SampleHexFile(int count)
{
    std::string file;
    for (int r = 0; r < count; ++r) {
        std::vector<std::uint8_t> data;
        for (int i = 0; i < 16; ++i)
            data.push_back(std::uint8_t((r * 16 + i) * 13 + 5));
        file += FormatHexRecord(std::uint32_t(r * 16), 0, data);
    }
    return file + ":00000001FF\r\n";
}

} // namespace lumaro::gui::test
