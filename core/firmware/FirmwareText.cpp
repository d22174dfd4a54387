#include "core/firmware/FirmwareText.h"

namespace lumaro {

namespace {

Status WriteText(const fs::path& file, const std::string& text)
{
    if (const Status s = WriteFileAtomic(file, text); !s)
        return Status::Fail(CFirmwareText::kCannotCreateKey, s.detail);
    return Status::Ok();
}

} // namespace

void CFirmwareText::BuildShowPattern(const CCompiledEffects& compiled)
{
    showPattern.MakeShowPatternText(compiled.programGroups);
}

Status CFirmwareText::BuildGroupTables(const CCompiledEffects& compiled)
{
    const Status lamps = lampSequenceText.MakeLampSequenceText(compiled.lampSequenceTable);
    const Status bands = bandListText.MakeBandListText(compiled.bandTable);
    const Status colours = colourListText.MakeColourListText(compiled.colourTable);
    colourListCount = compiled.colourTable.size();
    lampSequenceCount = compiled.lampSequenceTable.size();
    bandListCount = compiled.bandTable.size();
    overLimits.clear();
    for (const Status* s : {&lamps, &bands, &colours})
        if (!*s)
            overLimits.push_back(*s);
    return overLimits.empty() ? Status::Ok() : overLimits.front();
}

void CFirmwareText::BuildGetterSource(const CCompiledEffects& compiled)
{
    getterSource.MakeGetterSourceText(compiled.lampSequenceTable.size(), compiled.bandTable.size(),
                                      compiled.colourTable.size());
}

std::string CFirmwareText::TextOf(Output output) const
{
    std::string text;
    switch (output) {
    case Output::ShowPattern:
        showPattern.AppendTo(text);
        break;
    case Output::GroupTables:
        lampSequenceText.AppendTo(text);
        bandListText.AppendTo(text);
        colourListText.AppendTo(text);
        break;
    case Output::GetterSource:
        getterSource.AppendTo(text);
        break;
    }
    return text;
}

Status CFirmwareText::WriteTables(const CCompiledEffects& compiled, const fs::path& folder)
{
    // As the data command always did: a show-pattern file that cannot be
    // written does not keep the group tables from being written.
    BuildShowPattern(compiled);
    const Status shown = WriteText(folder / kShowPatternFile, TextOf(Output::ShowPattern));
    const Status tables = BuildGroupTables(compiled);
    const Status written = WriteText(folder / kGroupTablesFile, TextOf(Output::GroupTables));
    for (const Status* s : {&shown, &tables, &written})
        if (!*s)
            return *s;
    return Status::Ok();
}

Status CFirmwareText::WriteGetterSource(const CCompiledEffects& compiled, const fs::path& folder)
{
    BuildGetterSource(compiled);
    return WriteText(folder / kGetterSourceFile, TextOf(Output::GetterSource));
}

Status CFirmwareText::WriteAll(const CCompiledEffects& compiled, const fs::path& folder)
{
    const Status tables = WriteTables(compiled, folder);
    const Status getter = WriteGetterSource(compiled, folder);
    return !tables ? tables : getter;
}

} // namespace lumaro
