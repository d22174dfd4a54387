#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro {

// "CData.h", the typed tables (PTN, CSTG, RGB) the firmware headers
// "DatTyp1.h" and "DatTyp2.h" compile: made by reading the port table and
// the two generated table files back. Those files may have been edited or
// cut short, so everything read is checked; damaged input gives a message
// and no "CData.h", never a table that points at nothing.
class CFirmwareData {
public:
    static constexpr const char* kFileName = "CData.h";
    static constexpr const char* kPortTableFile = "cport.h";
    static constexpr const char* kShowPatternFile = "DSPPTN.h";
    static constexpr const char* kGroupTablesFile = "CSTGRP.h";

    static constexpr const char* kMissingInputKey = "FIRMWAREDATA_WRITE_CFAGF";
    static constexpr const char* kDamagedInputKey = "FIRMWAREDATA_WRITE_CRTFT";
    static constexpr const char* kCannotCreateKey = "FIRMWAREDATA_WRITE_CCTCF";
    static constexpr const char* kUnknownLampSequenceKey = "FIRMWAREDATA_WRITE_ABLN";

    // The table files are written a few values a line; a longer line is not
    // theirs. The port table breaks its lines by chain order only, so it has
    // no line limit.
    static constexpr std::size_t kMaxLineLength = 64 * 1024;
    // Far beyond what a 64 KB controller image can hold.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

    // The text of "CData.h" from the texts of "cport.h", "DSPPTN.h" and
    // "CSTGRP.h"; fileFormat 1 includes "DatTyp1.h", 2 and 3 "DatTyp2.h".
    // The detail of a failure names the file and line.
    static Result<std::string> Text(std::string_view portTable, std::string_view showPattern,
                                    std::string_view groupTables, int fileFormat);

    // Reads "DSPPTN.h" and "CSTGRP.h" from tablesFolder and "cport.h" from
    // buildFolder (names without regard to case) and writes
    // buildFolder/"CData.h" atomically. On failure nothing is written.
    static Status Write(const fs::path& tablesFolder, const fs::path& buildFolder, int fileFormat);
};

} // namespace lumaro
