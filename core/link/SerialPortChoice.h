#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumaro::serialport {

// The link always runs at these settings, whatever speed the dialog lists.
inline constexpr int kBaudRate = 9600;
inline constexpr const char* kSettings = "9600,N,8,1";

// "COM 1" to "COM 29", as the download dialogs list them.
std::vector<std::string> PortTexts();
// The speeds the dialogs show.
std::vector<std::string> SpeedTexts();
// The decimal value of the text's last two characters ("COM 7" gives 7,
// "COM 12" gives 12); 0 when they are not a number.
int PortNumberFromText(std::string_view text);

} // namespace lumaro::serialport
