#pragma once

#include "core/app/Status.h"
#include "core/preview/DemoGeometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro {

// The background picture as the demo window draws it: its top-left corner
// in window pixels and its scale.
struct CPictureSpot {
    std::int32_t x = 0;
    std::int32_t y = 0;
    double scale = 1.0;

    bool operator==(const CPictureSpot&) const = default;
};

// `spot` over lamps placed by `from`, moved and scaled to sit at the same
// place over the same lamps placed by `to` (an export at a size of its own).
CPictureSpot SpotOver(const CPictureSpot& spot, const CDemoGeometry& from, const CDemoGeometry& to);

// Where the demo window's background picture sits, independent of the zoom:
// saved at one cell size and applied at another, the picture keeps its
// place and size relative to the lamps (both measured from the middle of
// the window, halfWidth and halfHeight).
struct CPlacement {
    double x = 0.0;
    double y = 0.0;
    double scale = 1.0;
    // 0 none, 1 applied, 2 to apply at the next paint.
    std::int32_t state = 0;

    // The placement of spot shown at cellSize; its state is 2, "to apply".
    static CPlacement Of(const CPictureSpot& spot, int cellSize, int halfWidth, int halfHeight);
    // The spot this placement gives at cellSize.
    CPictureSpot SpotAt(int cellSize, int halfWidth, int halfHeight) const;

    bool operator==(const CPlacement&) const = default;
};

// The "BmpParameter" file ("bmp.h"): one length byte, then the text
// "x,y,scale,state," with six decimals to each real number. The reader
// takes a file from anywhere: it starts at the second byte whatever the
// first says, and refuses what would place the picture out of all reason
// (a scale that is negative, not a number or beyond kMaxScale, a position
// beyond kMaxOffset, an unknown state) with a message rather than a
// picture of gigabytes.
class CPlacementFile {
public:
    static constexpr const char* kCannotOpenKey = "DEMODOC_ONOPENCODE_OFB";
    static constexpr const char* kNotAPlacementKey = "DEMODOC_ONOPENCODE_TINAPF";
    static constexpr double kMaxScale = 100.0;
    static constexpr double kMaxOffset = 1.0e6;

    // The file's bytes; the state written is always 2.
    static std::string Bytes(const CPlacement& placement);
    static Result<CPlacement> Read(std::string_view bytes);
};

} // namespace lumaro
