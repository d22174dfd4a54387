#include "gui/link/MSComm.h"

#include "core/app/LangText.h"
#include "core/link/SerialDevice.h"
#include "core/link/SerialPortChoice.h"

#include <QSerialPort>
#include <QStringList>

namespace lumaro::gui {

CMSComm::CMSComm(fs::path settingsFile, QObject* parent)
    : QObject(parent), m_settingsFile(std::move(settingsFile)), m_serial(new QSerialPort(this)),
      m_settings(QString::fromLatin1(serialport::kSettings))
{
    connect(m_serial, &QSerialPort::readyRead, this, &CMSComm::OnReadyRead);
    connect(m_serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A device that went away (an adapter pulled out) leaves the port
        // closed, so that the next send fails instead of vanishing.
        if (error == QSerialPort::ResourceError && m_serial->isOpen()) {
            m_error = m_serial->errorString();
            m_serial->close();
        }
    });
}

CMSComm::~CMSComm() = default;

void CMSComm::SetCommPort(int port)
{
    m_port = port;
    m_device = QString::fromStdString(
        serialport::DeviceForPort(port, m_settingsFile.empty() ? CLangText::SettingsPath() : m_settingsFile));
}

void CMSComm::SetCommDevice(const QString& device)
{
    m_port = 0;
    m_device = device;
}

bool CMSComm::SetSettings(const QString& settings)
{
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool speedOk = false;
    const int speed = parts[0].trimmed().toInt(&speedOk);
    const QString parity = parts[1].trimmed().toUpper();
    const QString data = parts[2].trimmed();
    const QString stop = parts[3].trimmed();
    if (!speedOk || speed <= 0 || parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity) ||
        !QStringList{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")}
             .contains(data) ||
        !QStringList{QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")}.contains(stop))
        return false;
    m_settings = settings.trimmed();
    if (m_serial->isOpen())
        ApplySettings();
    return true;
}

bool CMSComm::ApplySettings()
{
    const QStringList parts = m_settings.split(QLatin1Char(','));
    const QChar parity = parts[1].trimmed().toUpper().at(0);
    const QString stop = parts[3].trimmed();
    const auto parityOf = [](QChar p) {
        switch (p.toLatin1()) {
        case 'E':
            return QSerialPort::EvenParity;
        case 'O':
            return QSerialPort::OddParity;
        case 'M':
            return QSerialPort::MarkParity;
        case 'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
        }
    };
    return m_serial->setBaudRate(parts[0].trimmed().toInt()) &&
           m_serial->setDataBits(QSerialPort::DataBits(parts[2].trimmed().toInt())) &&
           m_serial->setParity(parityOf(parity)) &&
           m_serial->setStopBits(stop == QLatin1String("2")     ? QSerialPort::TwoStop
                                 : stop == QLatin1String("1.5") ? QSerialPort::OneAndHalfStop
                                                                : QSerialPort::OneStop) &&
           m_serial->setFlowControl(QSerialPort::NoFlowControl);
}

bool CMSComm::PortOpen() const
{
    return m_serial->isOpen();
}

bool CMSComm::SetPortOpen(bool open)
{
    if (!open) {
        if (m_serial->isOpen())
            m_serial->close();
        return true;
    }
    if (m_serial->isOpen())
        return true;
    m_error.clear();
    if (m_device.isEmpty()) {
        m_error = QStringLiteral("no port chosen");
        return false;
    }
    m_serial->setPortName(m_device);
    m_openDevice = m_device;
    if (!m_serial->open(QIODevice::ReadWrite)) {
        m_error = m_serial->errorString();
        return false;
    }
    if (!ApplySettings()) {
        m_error = m_serial->errorString();
        m_serial->close();
        return false;
    }
    // A loader powered from the modem lines needs them up; a pseudo-terminal
    // has none and refuses, which is no reason to fail the link.
    m_serial->setDataTerminalReady(true);
    m_serial->setRequestToSend(true);
    m_serial->clearError();
    return true;
}

void CMSComm::SetInBufferCount(int count)
{
    if (count == 0 && m_serial->isOpen()) {
        m_serial->clear(QSerialPort::Input);
        m_serial->readAll();
    }
}

QByteArray CMSComm::Input()
{
    return m_serial->isOpen() ? m_serial->readAll() : QByteArray();
}

bool CMSComm::SetOutput(const QByteArray& bytes)
{
    return m_serial->isOpen() && m_serial->write(bytes) == bytes.size();
}

bool CMSComm::Link(const QString& portText)
{
    if (const int port = serialport::PortNumberOfChoice(portText.toStdString()); port > 0)
        SetCommPort(port);
    else
        SetCommDevice(portText.trimmed());
    // The port shown is the port used: another device open goes first.
    if (PortOpen() && m_openDevice != m_device)
        SetPortOpen(false);
    if (!PortOpen()) {
        SetSettings(QString::fromLatin1(serialport::kSettings));
        if (!SetPortOpen(true))
            return false;
        SetInBufferCount(0);
        Input();
    }
    return PortOpen();
}

void CMSComm::Unlink()
{
    if (PortOpen())
        SetPortOpen(false);
}

void CMSComm::OnReadyRead()
{
    m_event = kEvReceive;
    Q_EMIT OnComm();
}

} // namespace lumaro::gui
