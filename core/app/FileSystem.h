#pragma once

#include "core/app/Status.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

namespace fs = std::filesystem;

// The data files were made on a file system that ignores case ("english"
// names English.ini). Returns p itself when it exists; otherwise the first
// existing path whose components match p's without regard to ASCII case;
// otherwise p unchanged, so that the caller's own "missing" handling applies.
fs::path FindPathNoCase(const fs::path& p);

// Whole file as bytes; a missing or unreadable file is a failure.
Result<std::string> ReadFileBytes(const fs::path& p);

// Replaces p with bytes so that p holds either its old or its new content,
// never a mixture: the bytes go to a temporary file in the same folder, are
// flushed to disk, and the temporary file is renamed over p. On failure p is
// untouched and no temporary file is left behind.
Status WriteFileAtomic(const fs::path& p, std::string_view bytes);

// The folder of the running executable, or an empty path when unknown.
fs::path ExecutableDir();

} // namespace lumaro
