#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/project/EditImgDoc.h"

#include <string>
#include <string_view>

namespace lumaro {

// The layout file: a little-endian stream in the framework's archive format
// holding the scan parameters, the scenes, the lamps (as a list of "CLamp"
// objects), the two lamp-position lists, the modes, the 32 program groups and
// the three array lists. There is no header or version besides the lamp
// class schema.
class CLayoutFile {
public:
    static std::string Serialize(const CEditImgDoc& doc);

    // A bad stream fails with a detail naming what was wrong and at which
    // byte; no partial document comes back. Bytes after the last section are
    // ignored (older writers may pad). Layers are padded to 50.
    static Result<CEditImgDoc> Parse(std::string_view bytes);

    // Reads a file; the document comes back marked scanned.
    static Result<CEditImgDoc> Load(const fs::path& path);

    // Writes the whole stream to a temporary file beside path and renames it
    // over path only once it is complete, so a failed save leaves the old
    // file as it was.
    static Status Save(const CEditImgDoc& doc, const fs::path& path);

    // The path Save As stores to: the chosen file name upper-cased (ASCII
    // letters only) with ".LED" appended unless it ends so already; the
    // folders keep their case, since upper-casing them would name other
    // folders on a case-sensitive file system.
    static fs::path SaveAsPath(const fs::path& chosen);

    static constexpr std::string_view kLampClassName = "CLamp";
    static constexpr std::uint16_t kLampSchema = 1;
};

} // namespace lumaro
