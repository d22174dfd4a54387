#include "core/firmware/FirmwareEmitter.h"

#include "core/firmware/FirmwareData.h"
#include "core/firmware/FirmwareText.h"
#include "core/layout/PortTable.h"

namespace lumaro {

FirmwareSourceTexts MakeFirmwareSources(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps,
                                        int fileFormat)
{
    CFirmwareText text;
    text.BuildShowPattern(compiled);
    FirmwareSourceTexts out;
    out.tables = text.BuildGroupTables(compiled);
    text.BuildGetterSource(compiled);
    out.portTable = CPortTable::Text(lamps);
    out.showPattern = text.TextOf(CFirmwareText::Output::ShowPattern);
    out.groupTables = text.TextOf(CFirmwareText::Output::GroupTables);
    out.getterSource = text.TextOf(CFirmwareText::Output::GetterSource);
    out.data = CFirmwareData::Text(out.portTable, out.showPattern, out.groupTables, fileFormat);
    return out;
}

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
