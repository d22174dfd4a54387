#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/layout/Lamp.h"

#include <string>
#include <vector>

namespace lumaro {

// The port table "cport.h" the firmware build compiles: one array per port
// holding the lamp numbers of its chain from the highest order down to 1,
// closed by 0xFFFF. CR LF line ends, as the controller's compiler expects.
class CPortTable {
public:
    static constexpr const char* kFileName = "cport.h";
    static constexpr const char* kCannotCreateKey = "EDITIMAGEDOC_ONCPORTOUT_CFCF";

    static std::string Text(const std::vector<CLamp>& lamps);

    // Writes folder/"cport.h" atomically; returns the failure to report.
    static Status Write(const std::vector<CLamp>& lamps, const fs::path& folder);
};

} // namespace lumaro
