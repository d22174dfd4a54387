#include "core/layout/LampEditor.h"

#include <cmath>

namespace lumaro {

namespace {

// Column-major order of two cells; with KeyRows 0 (a grid step below 1
// would divide by zero) the plain column-then-row order takes its place.
struct KeyOrder {
    std::int64_t rows;

    std::int64_t Key(const CLamp& l) const { return static_cast<std::int64_t>(l.x) * rows + l.y; }
    bool Greater(const CLamp& a, const CLamp& b) const
    {
        if (rows > 0)
            return Key(a) > Key(b);
        return a.x != b.x ? a.x > b.x : a.y > b.y;
    }
};

} // namespace

std::int64_t CLampEditor::KeyRows(const CLampLayout& layout)
{
    const double whole = std::trunc(layout.gridStep);
    if (!std::isfinite(whole) || whole < 1.0)
        return 0;
    const double rows =
        std::trunc((static_cast<double>(layout.scanScope.bottom) - layout.scanScope.top) / whole);
    return rows > 0 && rows < 2147483647.0 ? static_cast<std::int64_t>(rows) : 0;
}

std::optional<std::size_t> CLampEditor::FindLamp(const CLampLayout& layout, std::int32_t cx, std::int32_t cy)
{
    for (std::size_t i = 0; i < layout.lamps.size(); ++i)
        if (layout.lamps[i].x == cx && layout.lamps[i].y == cy)
            return i;
    return std::nullopt;
}

CLampEditor::InsertResult CLampEditor::Insert(CLampLayout& layout, std::int32_t cx, std::int32_t cy)
{
    if (cx < 0 || cy < 0)
        return InsertResult::NegativeCell;
    const double step = layout.gridStep;
    const auto size =
        std::isfinite(step) && std::abs(step) < 2147483647.0 ? static_cast<std::int32_t>(step) : 0;
    CLamp lamp(cx, cy, 0, static_cast<std::int32_t>(kColourGreen), size, 1);
    auto& lamps = layout.lamps;
    if (lamps.empty()) {
        lamps.push_back(lamp);
        return InsertResult::Inserted;
    }
    if (FindLamp(layout, cx, cy))
        return InsertResult::Occupied;

    const KeyOrder order{KeyRows(layout)};
    std::size_t at = 0;
    while (at < lamps.size() && !order.Greater(lamps[at], lamp))
        ++at;
    if (at == lamps.size()) {
        lamp.number = lamps.back().number + 1;
        lamps.push_back(lamp);
    } else {
        lamp.number = lamps[at].number;
        for (std::size_t i = at; i < lamps.size(); ++i)
            if (order.Greater(lamps[i], lamp))
                ++lamps[i].number;
        lamps.insert(lamps.begin() + static_cast<std::ptrdiff_t>(at), lamp);
    }
    return InsertResult::Inserted;
}

bool CLampEditor::Delete(CLampLayout& layout, std::int32_t cx, std::int32_t cy)
{
    const auto at = FindLamp(layout, cx, cy);
    if (!at)
        return false;
    auto& lamps = layout.lamps;
    const CLamp removed = lamps[*at];
    lamps.erase(lamps.begin() + static_cast<std::ptrdiff_t>(*at));
    if (!lamps.empty()) {
        if (lamps.front().number == 1)
            lamps.front().number = 0;
        const KeyOrder order{KeyRows(layout)};
        for (std::size_t i = 1; i < lamps.size(); ++i)
            if (order.Greater(lamps[i], removed))
                --lamps[i].number;
    }
    return true;
}

} // namespace lumaro
