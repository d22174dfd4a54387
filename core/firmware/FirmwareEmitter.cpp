#include "core/firmware/FirmwareEmitter.h"

#include "core/firmware/FirmwareData.h"
#include "core/firmware/FirmwareText.h"
#include "core/layout/PortTable.h"

namespace lumaro {

Status EmitFirmwareSources(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps, int fileFormat,
                           const fs::path& folder)
{
    if (const Status s = CPortTable::Write(lamps, folder); !s)
        return s;
    CFirmwareText text;
    if (const Status s = text.WriteAll(compiled, folder); !s)
        return s;
    return CFirmwareData::Write(folder, folder, fileFormat);
}

} // namespace lumaro
