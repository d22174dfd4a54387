#pragma once

#include "core/app/Status.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumaro {

namespace fs = std::filesystem;

// Where the program writes. An install folder the user may write to (a build
// tree, LUMARO_HOME) is used as it is. An installed one belongs to the system,
// so the files the program writes are copied from it into a folder of the
// user's own and written there; everything else is still read from the
// install folder.
//
// A manifest in the user folder records size and hash of each installed file
// as it was copied. A copy still matching its record is the user's untouched
// copy: when the installed file has changed since (an upgrade), the new one
// replaces it. A copy that no longer matches was changed by the user and is kept.
class CUserDataFolder {
public:
    struct Inputs {
        fs::path installFolder;
        std::optional<std::string> xdgDataHome;
        std::optional<std::string> home;
        // Whether the program may write into a folder; IsWritableFolder when empty.
        std::function<bool(const fs::path&)> writable;
    };

    // Files and folders below the install folder that the program writes to;
    // a folder is copied with everything in it.
    static const std::vector<fs::path>& WrittenPaths();
    // The manifest's name in the user folder.
    static const fs::path& ManifestName();

    // $XDG_DATA_HOME/lumaro, else $HOME/.local/share/lumaro; empty when
    // neither gives an absolute path (relative XDG values are ignored, as the
    // XDG rules say).
    static fs::path UserFolder(const std::optional<std::string>& xdgDataHome,
                               const std::optional<std::string>& home);

    // The folder every write goes to, with the user folder brought up to date
    // first where that is the one. A file that cannot be copied fails with
    // msgkey::UserDataCopyError (the file, the user folder); the copies made
    // before it stay recorded.
    static Result<fs::path> Prepare(const Inputs& inputs);

    // Prepare over this process's environment.
    static Result<fs::path> ForInstallFolder(const fs::path& installFolder);

    // Whether a file can be made in folder: one is made and removed again.
    // Permission bits alone would not tell (root, read-only mounts).
    static bool IsWritableFolder(const fs::path& folder);
};

} // namespace lumaro
