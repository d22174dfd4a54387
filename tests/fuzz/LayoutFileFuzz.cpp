#include "core/project/LayoutFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any bytes must either fail cleanly or give a document that writes back to a
// stream which reads to the same document.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto doc = lumaro::CLayoutFile::Parse(bytes);
    if (!doc.ok())
        return 0;
    const std::string written = lumaro::CLayoutFile::Serialize(doc.value());
    auto again = lumaro::CLayoutFile::Parse(written);
    if (!again.ok() || lumaro::CLayoutFile::Serialize(again.value()) != written)
        std::abort();
    return 0;
}
