#pragma once

#include "core/app/Status.h"
#include "core/layout/ColourSource.h"
#include "core/layout/LampLayout.h"
#include "core/layout/ScaledPicture.h"

#include <cstdint>

namespace lumaro {

// The sample grid of a scan over the scope.
struct ScanGrid {
    double step = 0.0; // view pixels per lamp grid cell
    std::int64_t columns = 0;
    std::int64_t rows = 0;
};

// Scanning a shown picture into lamps: one lamp per grid point whose colour
// is not background, numbered down each column, column after column.
class CLampScanner {
public:
    // More samples than this would hold the program for minutes on a grid
    // nobody meant (a tiny lamp size over a large object).
    static constexpr std::int64_t kMaxSamples = 16'777'216;
    static constexpr std::int32_t kEmptyLayoutTolerance = 8421504; // every sample is background

    static constexpr const char* kBadGridKey = "EDITIMGVIEW_ONEDITSCAN_SGNU";
    static constexpr const char* kNoPictureKey = "EDITIMGVIEW_ONOPENIMAGE_PCNR";
    // The refused grid in the user's language: the step; the step, scope,
    // columns, rows and sample limit.
    static constexpr const char* kStepNotPositiveKey = "EDITIMGVIEW_ONEDITSCAN_TGSI";
    static constexpr const char* kTooManySamplesKey = "EDITIMGVIEW_ONEDITSCAN_TGSO";

    // Open Image: the picture is fitted to the client area, the background
    // becomes the colour shown at (10, 10) and the scope covers the shown
    // picture. A picture without pixels is refused and nothing changes.
    static Status OpenPicture(CLampLayout& layout, CScaledPicture& picture, int clientWidth,
                              int clientHeight);

    // Grid step = scope width × lamp size ÷ object size.
    static double GridStep(const CRect& scope, float lampSize, float objectSize);
    // Columns and rows of the scope for a grid step; refused when the step
    // is not finite and positive or the grid would exceed kMaxSamples. The
    // refusal's values come with it for the detail's language text.
    static Result<ScanGrid> GridFor(const CRect& scope, double step);

    // The start of a scan: the grid step is computed and stored. A grid that
    // cannot be scanned is refused and nothing changes.
    static Status Begin(CLampLayout& layout);
    // An empty layout: the tolerance that makes every sample background, then Begin.
    static Status BeginEmptyLayout(CLampLayout& layout);
    // The scan itself over the shown colours, with the stored grid step;
    // lamps are appended and the layout is marked scanned.
    static Status Finish(CLampLayout& layout, const IColourSource& shown);

    // Each of red, green and blue within the tolerance of the background's.
    static bool IsBackground(std::uint32_t colour, std::uint32_t background, std::int32_t tolerance);
};

} // namespace lumaro
