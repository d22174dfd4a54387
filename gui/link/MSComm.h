#pragma once

#include "core/app/FileSystem.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace lumaro::gui {

// The serial-communications control of the HEX download dialog, over Qt's
// serial port: a numbered port ("COM n"), its "9600,N,8,1" settings, open
// and close, discarding pending input, sending, and one OnComm notification
// with CommEvent() == kEvReceive for every block received. Everything runs
// on the user-interface thread; nothing here waits for the line.
class CMSComm : public QObject {
    Q_OBJECT
public:
    static constexpr int kEvReceive = 2;

    // settingsFile names the device behind each "COM n" (see SerialDevice.h);
    // empty, it is the program's settings file, the one the command line's
    // download reads too, so that a "COM n" is the same device everywhere.
    explicit CMSComm(fs::path settingsFile = {}, QObject* parent = nullptr);
    ~CMSComm() override;

    // Port n: the settings file's device for "COM n". Takes effect at the
    // next open; an open port stays as it is.
    void SetCommPort(int port);
    int CommPort() const { return m_port; }
    // A device named directly instead of by number.
    void SetCommDevice(const QString& device);
    QString CommDevice() const { return m_device; }

    // "speed,parity,data bits,stop bits", parity one of N, E, O, M, S and
    // stop bits 1, 1.5 or 2; false (and nothing changed) for another form.
    bool SetSettings(const QString& settings);
    QString Settings() const { return m_settings; }

    bool PortOpen() const;
    // Opening applies the settings and raises the modem lines; a device
    // that has none, such as a pseudo-terminal, still opens. False when the
    // port did not end up as asked (ErrorText says why).
    bool SetPortOpen(bool open);
    QString ErrorText() const { return m_error; }

    // 0 drops whatever was received and not yet taken.
    void SetInBufferCount(int count);
    // The bytes received and not yet taken.
    QByteArray Input();
    // Queues bytes for sending; false when the port is closed or refuses them.
    bool SetOutput(const QByteArray& bytes);
    int CommEvent() const { return m_event; }

    // The link of the download dialogs: the port of a port-list text ("COM 7"
    // by the number of its last two characters, anything else a device path)
    // opened at 9600,N,8,1 with pending input dropped. The same device
    // already open stays open, so linking twice succeeds; another one open
    // is closed first. True when the port asked for is open.
    bool Link(const QString& portText);
    // Closes the port when it is open.
    void Unlink();

Q_SIGNALS:
    void OnComm();

private:
    void OnReadyRead();
    bool ApplySettings();

    fs::path m_settingsFile;
    QSerialPort* m_serial;
    QString m_openDevice; // the device of the open port
    int m_port = 0;
    QString m_device;
    QString m_settings;
    QString m_error;
    int m_event = 0;
};

} // namespace lumaro::gui
