#pragma once

#include <QString>

#include <filesystem>

namespace lumaro::gui {

// A path the user chose (a dialog, the current folder) as the core takes it;
// through UTF-16, so that names outside the local 8-bit set survive.
inline std::filesystem::path PathOf(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace lumaro::gui
