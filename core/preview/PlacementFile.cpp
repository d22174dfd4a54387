#include "core/preview/PlacementFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace lumaro {

namespace {

// "%f": six decimals, and a point whatever the process's locale says.
void AppendFixed(std::string& out, double value)
{
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

template <class T> std::optional<T> Number(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    T value{};
    const char* first = text.data();
    if (!text.empty() && text.front() == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

Status NotAPlacement(std::string detail)
{
    return Status::Fail(CPlacementFile::kNotAPlacementKey, std::move(detail));
}

// A pixel position, kept within what a window coordinate can hold. Rounded:
// a spot taken back from its placement at the same cell size comes out a
// hair below its pixel as often as above, and must not move.
std::int32_t Pixel(double value)
{
    return static_cast<std::int32_t>(std::round(std::clamp(value, -2.0e9, 2.0e9)));
}

} // namespace

CPictureSpot SpotOver(const CPictureSpot& spot, const CDemoGeometry& from, const CDemoGeometry& to)
{
    const double ratio = static_cast<double>(to.zoom) / std::max(from.zoom, 1);
    return {Pixel(to.originX + (spot.x - from.originX) * ratio),
            Pixel(to.originY + (spot.y - from.originY) * ratio), spot.scale * ratio};
}

CPlacement CPlacement::Of(const CPictureSpot& spot, int cellSize, int halfWidth, int halfHeight)
{
    // A cell is never narrower than a pixel.
    const double c = std::max(cellSize, 1);
    return {spot.x / c + halfWidth - halfWidth / c, spot.y / c + halfHeight - halfHeight / c, spot.scale / c,
            2};
}

CPictureSpot CPlacement::SpotAt(int cellSize, int halfWidth, int halfHeight) const
{
    const double c = std::max(cellSize, 1);
    return {Pixel(halfWidth - (halfWidth - x) * c), Pixel(halfHeight - (halfHeight - y) * c), scale * c};
}

std::string CPlacementFile::Bytes(const CPlacement& placement)
{
    std::string text;
    for (double v : {placement.x, placement.y, placement.scale}) {
        AppendFixed(text, v);
        text += ',';
    }
    text += "2,";
    // The text is short for every value a placement can hold; one longer
    // than a length byte can say is cut, which the reader does not mind.
    if (text.size() > 255)
        text.resize(255);
    return static_cast<char>(static_cast<unsigned char>(text.size())) + text;
}

Result<CPlacement> CPlacementFile::Read(std::string_view bytes)
{
    if (bytes.empty())
        return NotAPlacement("empty file");
    std::string_view text = bytes.substr(1);
    std::vector<std::string_view> fields;
    while (fields.size() < 4) {
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos)
            return NotAPlacement("only " + std::to_string(fields.size()) + " of 4 fields");
        fields.push_back(text.substr(0, comma));
        text.remove_prefix(comma + 1);
    }
    CPlacement p;
    const auto x = Number<double>(fields[0]), y = Number<double>(fields[1]),
               scale = Number<double>(fields[2]);
    const auto state = Number<std::int32_t>(fields[3]);
    if (!x || !y || !scale || !state)
        return NotAPlacement("a field is not a number");
    if (!std::isfinite(*x) || !std::isfinite(*y) || std::fabs(*x) > kMaxOffset || std::fabs(*y) > kMaxOffset)
        return NotAPlacement("position out of range");
    // A picture minished to nothing is saved with scale 0; that is kept.
    if (!(*scale >= 0.0 && *scale <= kMaxScale))
        return NotAPlacement("scale out of range");
    if (*state < 0 || *state > 2)
        return NotAPlacement("unknown placement state " + std::to_string(*state));
    p.x = *x;
    p.y = *y;
    p.scale = *scale;
    p.state = *state;
    return p;
}

} // namespace lumaro
