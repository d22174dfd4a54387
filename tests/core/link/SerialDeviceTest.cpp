#include "core/link/SerialDevice.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using namespace lumaro::serialport;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

TEST(SerialDevice, ComTextsAndTheirNumbers)
{
    EXPECT_EQ(ComPortNumber("COM 7"), 7);
    EXPECT_EQ(ComPortNumber("com12"), 12);
    EXPECT_EQ(ComPortNumber("  COM 29 "), 29);
    EXPECT_EQ(ComPortNumber("COM"), 0);
    EXPECT_EQ(ComPortNumber("COM x"), 0);
    EXPECT_EQ(ComPortNumber("/dev/ttyS0"), 0);
    EXPECT_EQ(ComPortNumber("COMPUTER"), 0);
    // The dialogs take the number from the last two characters.
    EXPECT_EQ(PortNumberOfChoice("COM 7"), 7);
    EXPECT_EQ(PortNumberOfChoice("COM 12"), 12);
    EXPECT_EQ(PortNumberOfChoice("COM 123"), 23);
    EXPECT_EQ(PortNumberOfChoice("COM7"), 7);
    EXPECT_EQ(PortNumberOfChoice("/dev/ttyS1"), 0);
}

TEST(SerialDevice, DefaultsWithoutASettingsLine)
{
    const TempDir dir;
    const fs::path settings = dir / "Setting.ini";
    WriteText(settings, "[Setting]\nLanguage=English\n");
#ifndef _WIN32
    EXPECT_EQ(DeviceForChoice("COM 1", settings), "/dev/ttyS0");
    EXPECT_EQ(DeviceForChoice("COM 4", settings), "/dev/ttyS3");
    EXPECT_EQ(DeviceForChoice("COM 5", settings), "/dev/ttyUSB0");
    EXPECT_EQ(DeviceForChoice("COM 12", settings), "/dev/ttyUSB7");
    EXPECT_EQ(DeviceForChoice("COM 3", dir / "missing.ini"), "/dev/ttyS2");
#endif
}

TEST(SerialDevice, SettingsLinesWinAndDevicePathsStayAsTyped)
{
    const TempDir dir;
    const fs::path settings = dir / "Setting.ini";
    WriteText(settings,
              "[Setting]\nLanguage=English\n[SerialPorts]\nCOM7=/dev/pts/9\ncom12 = /dev/ttyACM0\nCOM3=\n");
    EXPECT_EQ(DeviceForChoice("COM 7", settings), "/dev/pts/9");
    EXPECT_EQ(DeviceForChoice("COM7", settings), "/dev/pts/9");
    EXPECT_EQ(DeviceForChoice("COM 12", settings), "/dev/ttyACM0");
    EXPECT_EQ(DeviceForPort(3, settings), DefaultDevice(3)) << "an empty line is no device";
    EXPECT_EQ(DeviceForChoice(" /dev/pts/3 ", settings), "/dev/pts/3");
    EXPECT_EQ(DeviceForChoice("/tmp/my port", settings), "/tmp/my port");
}
