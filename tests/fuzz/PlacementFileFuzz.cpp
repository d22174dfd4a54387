#include "core/preview/PlacementFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any bytes give a placement within reason or a message; a placement read
// is written and read back the same, to the sixth decimal.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using lumaro::CPlacementFile;
    const auto read = CPlacementFile::Read(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read)
        return read.status().key.empty() ? (std::abort(), 0) : 0;
    const auto& p = read.value();
    if (!(p.scale >= 0 && p.scale <= CPlacementFile::kMaxScale) ||
        !(std::fabs(p.x) <= CPlacementFile::kMaxOffset) || !(std::fabs(p.y) <= CPlacementFile::kMaxOffset) ||
        p.state < 0 || p.state > 2)
        std::abort();
    const auto again = CPlacementFile::Read(CPlacementFile::Bytes(p));
    if (!again || std::fabs(again->x - p.x) > 1e-6 || std::fabs(again->scale - p.scale) > 1e-6 ||
        again->state != 2)
        std::abort();
    return 0;
}
