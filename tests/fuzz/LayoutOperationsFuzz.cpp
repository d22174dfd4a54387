#include "core/effects/EffectCompiler.h"
#include "core/effects/SceneConverter.h"
#include "core/firmware/FirmwareEmitter.h"
#include "core/layout/PortTable.h"
#include "core/project/EditImgDoc.h"
#include "core/project/LayoutFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using lumaro::CEditImgDoc;

// "Creat Data".
void CompileEffects(const CEditImgDoc& doc)
{
    (void)lumaro::CompileEffects(doc);
}

// Scene conversion hands its result to the file and to "Creat Data", as the
// scene editor's user does: both must take whatever it makes.
void ConvertScenes(const CEditImgDoc& doc)
{
    CEditImgDoc converted = doc;
    lumaro::CSceneConverter::Convert(converted, converted.lamps);
    const std::string written = lumaro::CLayoutFile::Serialize(converted);
    const auto again = lumaro::CLayoutFile::Parse(written);
    if (!again.ok() || lumaro::CLayoutFile::Serialize(again.value()) != written)
        std::abort();
    CompileEffects(converted);
}

// Everything the program makes of a loaded layout; a new emitter or renderer
// is one more line here.
void (*const kOperations[])(const CEditImgDoc&) = {
    CompileEffects,
    ConvertScenes,
    [](const CEditImgDoc& doc) { (void)lumaro::CPortTable::Text(doc.lamps); },
    // The firmware sources of every text-output format, "CData.h" read back.
    [](const CEditImgDoc& doc) {
        const lumaro::CCompiledEffects compiled = lumaro::CompileEffects(doc);
        for (int format = 1; format <= 3; ++format)
            (void)lumaro::MakeFirmwareSources(compiled, doc.lampPositions, format);
    },
};

} // namespace

// Whatever a layout file that loads holds, every operation on it must finish
// without a fault, a hang or an outsized allocation.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto doc = lumaro::CLayoutFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!doc.ok())
        return 0;
    for (const auto operation : kOperations)
        operation(doc.value());
    return 0;
}
