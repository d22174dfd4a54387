#include "gui/app/ControlKey.h"

#include <QKeyEvent>

namespace lumaro::gui {

namespace {
constexpr quint32 kXControlL = 0xffe3;
constexpr quint32 kXControlR = 0xffe4;
constexpr quint32 kWinControl = 0x11;
constexpr quint32 kWinLControl = 0xa2;
constexpr quint32 kWinRControl = 0xa3;
constexpr quint32 kWinControlScan = 0x1d;
constexpr quint32 kWinExtendedScan = 0x100;
constexpr quint32 kMacControl = 0x3b;
constexpr quint32 kMacRightControl = 0x3e;
} // namespace

ControlSide ControlSideOf(const QKeyEvent& event)
{
    const quint32 vk = event.nativeVirtualKey();
    const quint32 scan = event.nativeScanCode();
    switch (vk) {
    case kXControlL:
    case kWinLControl:
    case kMacControl:
        return ControlSide::Left;
    case kXControlR:
    case kWinRControl:
    case kMacRightControl:
        return ControlSide::Right;
    case kWinControl:
        if ((scan & 0xff) == kWinControlScan)
            return (scan & kWinExtendedScan) ? ControlSide::Right : ControlSide::Left;
        break;
    default:
        break;
    }
    return ControlSide::Unknown;
}

} // namespace lumaro::gui
