#include "core/link/SerialPortChoice.h"

namespace lumaro::serialport {

std::vector<std::string> PortTexts()
{
    std::vector<std::string> texts;
    for (int i = 1; i <= 29; ++i)
        texts.push_back("COM " + std::to_string(i));
    return texts;
}

std::vector<std::string> SpeedTexts()
{
    return {"9600", "115200", "128000", "230400", "460800", "921600"};
}

int PortNumberFromText(std::string_view text)
{
    const std::string_view tail = text.substr(text.size() < 2 ? 0 : text.size() - 2);
    int value = 0;
    bool digits = false;
    for (char c : tail) {
        if (c == ' ' && !digits)
            continue;
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        digits = true;
    }
    return value;
}

} // namespace lumaro::serialport
