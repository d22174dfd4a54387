#include "core/link/SerialDevice.h"

#include "core/app/IniFile.h"
#include "core/app/TextUtil.h"
#include "core/link/SerialPortChoice.h"

namespace lumaro::serialport {

int ComPortNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.size() < 4 || !EqualsNoCase(text.substr(0, 3), "com"))
        return 0;
    const std::string_view digits = TrimBlanks(text.substr(3));
    if (digits.empty() || digits.size() > 4)
        return 0;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

int PortNumberOfChoice(std::string_view text)
{
    const int named = ComPortNumber(text);
    if (named == 0)
        return 0;
    const int port = PortNumberFromText(TrimBlanks(text));
    return port > 0 ? port : named;
}

std::string DefaultDevice(int port)
{
#ifdef _WIN32
    return "COM" + std::to_string(port);
#else
    if (port >= 1 && port <= 4)
        return "/dev/ttyS" + std::to_string(port - 1);
    return "/dev/ttyUSB" + std::to_string(port < 5 ? 0 : port - 5);
#endif
}

std::string DeviceForPort(int port, const fs::path& settingsFile)
{
    const std::string key = "COM" + std::to_string(port);
    if (auto device = CIniFile::Read(settingsFile, kDeviceSection, key); device && !device->empty())
        return *device;
    return DefaultDevice(port);
}

std::string DeviceForChoice(std::string_view text, const fs::path& settingsFile)
{
    const int port = PortNumberOfChoice(text);
    return port > 0 ? DeviceForPort(port, settingsFile) : std::string(TrimBlanks(text));
}

} // namespace lumaro::serialport
