#include "core/layout/LampScanner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace lumaro {

namespace {

std::string ScopeText(const CRect& scope)
{
    std::ostringstream s;
    s << scope.left << "," << scope.top << "," << scope.right << "," << scope.bottom;
    return s.str();
}

std::string Number(double v)
{
    std::ostringstream s;
    s << v;
    return s.str();
}

// The whole part of v as a view coordinate; a scope read from a file may lie
// beyond what an int holds, and such points are outside every picture.
int WholePart(double v)
{
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

} // namespace

Status CLampScanner::OpenPicture(CLampLayout& layout, CScaledPicture& picture, int clientWidth,
                                 int clientHeight)
{
    const double fit =
        CScaledPicture::FitFactor(picture.Width(), picture.Height(), clientWidth, clientHeight);
    if (picture.Empty() || !(fit > 0.0))
        return Status::Fail(kNoPictureKey, "the picture has no pixels to show in a " +
                                               std::to_string(clientWidth) + " x " +
                                               std::to_string(clientHeight) + " view");
    picture.SetFit(fit);
    layout.backgroundColour = picture.ColourAt(10, 10);
    layout.scanScope = {1, 1, WholePart(picture.Width() * fit) - 20, WholePart(picture.Height() * fit)};
    return Status::Ok();
}

double CLampScanner::GridStep(const CRect& scope, float lampSize, float objectSize)
{
    return (static_cast<double>(scope.right) - scope.left) * static_cast<double>(lampSize) /
           static_cast<double>(objectSize);
}

Result<ScanGrid> CLampScanner::GridFor(const CRect& scope, double step)
{
    const double width = static_cast<double>(scope.right) - scope.left;
    const double height = static_cast<double>(scope.bottom) - scope.top;
    if (!std::isfinite(step) || !(step > 0.0)) {
        Status refused =
            Status::Fail(kBadGridKey, "the grid step " + Number(step) + " is not a positive number");
        refused.detailKey = kStepNotPositiveKey;
        refused.detailValues = {Number(step)};
        return refused;
    }
    // A scope drawn with no width or height simply holds no samples.
    const double columns = std::max(0.0, std::floor(width / step));
    const double rows = std::max(0.0, std::floor(height / step));
    if (columns * rows > static_cast<double>(kMaxSamples)) {
        std::ostringstream s;
        s << "the grid step " << step << " over the scope " << ScopeText(scope) << " gives " << columns
          << " columns x " << rows << " rows, more than " << kMaxSamples << " samples";
        Status refused = Status::Fail(kBadGridKey, s.str());
        refused.detailKey = kTooManySamplesKey;
        refused.detailValues = {Number(step), ScopeText(scope), Number(columns), Number(rows),
                                std::to_string(kMaxSamples)};
        return refused;
    }
    return ScanGrid{step, static_cast<std::int64_t>(columns), static_cast<std::int64_t>(rows)};
}

namespace {

// The grid step a scan of the layout would use, or why it cannot be scanned.
Result<double> UsableGridStep(const CLampLayout& layout)
{
    const double step = CLampScanner::GridStep(layout.scanScope, layout.lampSize, layout.objectSize);
    auto grid = CLampScanner::GridFor(layout.scanScope, step);
    if (!grid) {
        std::ostringstream s;
        s << "lamp size " << layout.lampSize << " mm, object size " << layout.objectSize
          << " mm: " << grid.status().detail;
        Status refused = grid.status();
        refused.detail = s.str();
        return refused;
    }
    return step;
}

} // namespace

Status CLampScanner::Begin(CLampLayout& layout)
{
    const auto step = UsableGridStep(layout);
    if (!step)
        return step.status();
    layout.gridStep = step.value();
    return Status::Ok();
}

Status CLampScanner::BeginEmptyLayout(CLampLayout& layout)
{
    if (const auto step = UsableGridStep(layout); !step)
        return step.status();
    layout.backgroundTolerance = kEmptyLayoutTolerance;
    return Begin(layout);
}

bool CLampScanner::IsBackground(std::uint32_t colour, std::uint32_t background, std::int32_t tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int c = static_cast<int>((colour >> shift) & 0xFF);
        const int b = static_cast<int>((background >> shift) & 0xFF);
        if (std::abs(c - b) > tolerance)
            return false;
    }
    return true;
}

Status CLampScanner::Finish(CLampLayout& layout, const IColourSource& shown)
{
    auto grid = GridFor(layout.scanScope, layout.gridStep);
    if (!grid)
        return grid.status();
    const double step = grid->step;
    const auto size = static_cast<std::int32_t>(std::min(step, 2147483647.0));
    const auto columns = static_cast<std::size_t>(grid->columns);
    const auto rows = static_cast<std::size_t>(grid->rows);
    std::vector<int> xs(columns);
    for (std::size_t i = 0; i < columns; ++i)
        xs[i] = WholePart(step * static_cast<double>(i) + layout.scanScope.left);

    // Read row by row, then number down the columns as the lamps are made.
    std::vector<std::uint8_t> isLamp(columns * rows);
    std::vector<std::uint32_t> row(columns);
    std::size_t found = 0;
    for (std::size_t j = 0; j < rows; ++j) {
        shown.ColoursAtRow(WholePart(step * static_cast<double>(j) + layout.scanScope.top), xs, row.data());
        for (std::size_t i = 0; i < columns; ++i) {
            const bool lamp = !IsBackground(row[i], layout.backgroundColour, layout.backgroundTolerance);
            isLamp[i * rows + j] = lamp;
            found += lamp;
        }
    }
    layout.lamps.reserve(layout.lamps.size() + found);
    // Numbers stay contiguous in list order should lamps be there already.
    auto n = static_cast<std::int32_t>(layout.lamps.size());
    for (std::size_t i = 0; i < columns; ++i)
        for (std::size_t j = 0; j < rows; ++j)
            if (isLamp[i * rows + j])
                layout.lamps.emplace_back(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j), n++,
                                          static_cast<std::int32_t>(kColourGreen), size, 1);
    layout.scanned = true;
    return Status::Ok();
}

} // namespace lumaro
