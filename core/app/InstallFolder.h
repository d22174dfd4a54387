#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumaro {

namespace fs = std::filesystem;

// The one place that decides where the program's data lives. Every data
// path is built by appending to this folder.
//   1. LUMARO_HOME, when set and not empty;
//   2. on Windows the fixed install folder "c:\Tellum\";
//   3. otherwise the shipped data tree beside the programs: <bin>/../share/lumaro,
//      which is the same shape in a build tree and in an installation.
fs::path ResolveInstallFolder(const std::optional<std::string>& lumaroHome, const fs::path& exeDir);

// ResolveInstallFolder over this process's environment and executable.
fs::path DefaultInstallFolder();

// Relative paths of the data files below the install folder.
namespace datapath {
inline const fs::path Mullanguage = "Mullanguage";
inline const fs::path Settings = fs::path("Mullanguage") / "Setting.ini";
inline const fs::path ColourData = "ColorData.sav";
} // namespace datapath

} // namespace lumaro
