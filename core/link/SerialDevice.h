#pragma once

#include "core/app/FileSystem.h"

#include <string>
#include <string_view>

namespace lumaro::serialport {

// The dialogs name ports "COM n", as the controller's users know them; the
// settings file says which device each one is:
//
//   [SerialPorts]
//   COM1=/dev/ttyUSB0
//
// A port without a line there gets the default: COM1 to COM4 are the
// on-board ports /dev/ttyS0 to /dev/ttyS3, COM5 and up the USB adapters
// /dev/ttyUSB0, /dev/ttyUSB1 and so on (on Windows "COM n" is "COMn").
inline constexpr const char* kDeviceSection = "SerialPorts";

// The port could not be opened at 9600,N,8,1, or went away; the dialogs
// show downloadtext::kLinkFailed.
inline constexpr const char* kLinkFailedKey = "HEXDOWNLOADDLG_ONLINK_LF";

// n of a text "COM n" (case and blanks aside, "COM7" too); 0 for any other text.
int ComPortNumber(std::string_view text);

// The port number of a port choice: for a "COM n" text the decimal value
// of its last two characters, as the dialogs take it ("COM 12" gives 12),
// or n itself where those are no number ("COM7", "COM 100"); 0 for any
// other text.
int PortNumberOfChoice(std::string_view text);

std::string DefaultDevice(int port);

// The device of port n: its line in the settings file, or the default.
std::string DeviceForPort(int port, const fs::path& settingsFile);

// The device of a port choice as the user gave it: a "COM n" text maps as
// above by PortNumberOfChoice; any other text is a device path, used as it is.
std::string DeviceForChoice(std::string_view text, const fs::path& settingsFile);

} // namespace lumaro::serialport
