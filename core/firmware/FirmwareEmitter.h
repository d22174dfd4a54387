#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/CompiledEffects.h"
#include "core/layout/Lamp.h"

#include <string>
#include <vector>

namespace lumaro {

// Every source the firmware build compiles, in one call: "cport.h" from the
// lamps, "DSPPTN.H", "CSTGRP.h" and "GETPTN.c" from the compiled tables, then
// "CData.h" read back from them (fileFormat 1 to 3 of the build). Stops at the
// first failure, a table over its limit included, and returns it.
// The same five texts without touching the disk, for tests and fuzzing:
// "CData.h" is made even when a table is over its limit (that part of
// "CSTGRP.h" is then empty), so every path of the reader can be reached.
struct FirmwareSourceTexts {
    std::string portTable, showPattern, groupTables, getterSource;
    Status tables;                           // a table over its limit
    Result<std::string> data{std::string()}; // "CData.h", or why there is none
};
FirmwareSourceTexts MakeFirmwareSources(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                                        int fileFormat);

Status EmitFirmwareSources(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps, int fileFormat,
                           const fs::path& folder);

} // namespace lumaro
