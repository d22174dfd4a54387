#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/CompiledEffects.h"
#include "core/layout/Lamp.h"

#include <vector>

namespace lumaro {

// Every source the firmware build compiles, in one call: "cport.h" from the
// lamps, "DSPPTN.H", "CSTGRP.h" and "GETPTN.c" from the compiled tables, then
// "CData.h" read back from them (fileFormat 1 to 3 of the build). Stops at the
// first failure, a table over its limit included, and returns it.
Status EmitFirmwareSources(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps, int fileFormat,
                           const fs::path& folder);

} // namespace lumaro
