#include "core/effects/FrameGenerator.h"

#include "core/effects/ArrayTable.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <unordered_set>

namespace lumaro {

namespace {

constexpr std::int64_t kSize = CFrameGenerator::kGridSize;
// Lamp numbers up to this get a mark slot; others (only from odd files) a hash set.
constexpr std::int64_t kMaxMarkedNumber = 1 << 25;
// An outline trace that has not come back to its start after this many probe
// steps never will; it is ended rather than left to spin.
constexpr std::int64_t kTraceBudget = 8 * kSize * kSize + 8;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Smallest r with r * r >= d.
std::uint64_t CeilSqrt(std::uint64_t d)
{
    // A double holds every distance on the grid exactly; the loops below
    // put right what rounding does to larger ones.
    auto r = d < (std::uint64_t{1} << 52)
                 ? static_cast<std::uint64_t>(std::sqrt(static_cast<double>(d)))
                 : static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(d)));
    while (r * r < d)
        ++r;
    while (r > 0 && (r - 1) * (r - 1) >= d)
        --r;
    return r;
}

// Squares below this, and their roots, multiply without overflow.
constexpr std::uint64_t kSmallSquare = std::uint64_t{1} << 52;

// CeilSqrt(d) from a root r close to it (d < kSmallSquare).
std::uint64_t CeilSqrtNear(std::uint64_t d, std::uint64_t r)
{
    while (r * r < d)
        ++r;
    while (r > 0 && (r - 1) * (r - 1) >= d)
        --r;
    return r;
}

struct RingLamp {
    std::uint64_t ring;
    std::uint32_t lamp;
};

// Stable by ring. The rings of a grid are few, so a counting sort does it
// in two passes; rings around a far-off centre fall back to a merge sort.
void SortByRing(std::vector<RingLamp>& lamps)
{
    std::uint64_t top = 0;
    for (const RingLamp& l : lamps)
        top = std::max(top, l.ring);
    if (top > 4 * static_cast<std::uint64_t>(kSize) + lamps.size()) {
        std::stable_sort(lamps.begin(), lamps.end(),
                         [](const RingLamp& a, const RingLamp& b) { return a.ring < b.ring; });
        return;
    }
    std::vector<std::size_t> start(static_cast<std::size_t>(top) + 2, 0);
    for (const RingLamp& l : lamps)
        ++start[static_cast<std::size_t>(l.ring) + 1];
    for (std::size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<RingLamp> sorted(lamps.size());
    for (const RingLamp& l : lamps)
        sorted[start[static_cast<std::size_t>(l.ring)]++] = l;
    lamps.swap(sorted);
}

} // namespace

// A lamp sequence that takes each lamp number once.
class CFrameGenerator::Sequence {
public:
    // once: the caller looks at each cell at most once and the grid holds
    // each number once, so nothing can come twice.
    Sequence(CFrameGenerator& g, bool once) : m_marks(g.m_marks), m_once(once)
    {
        if (once)
            return;
        if (++g.m_generation == 0) {
            std::fill(m_marks.begin(), m_marks.end(), 0);
            g.m_generation = 1;
        }
        m_generation = g.m_generation;
    }

    // Called once per cell a mode looks at: the marked numbers stay inline,
    // the rest (numbers only odd files give) take the slow path.
    [[gnu::always_inline]] void Add(std::uint32_t n)
    {
        if (m_once) {
            Put(n);
        } else if (n < m_marks.size()) {
            if (m_marks[n] == m_generation)
                return;
            m_marks[n] = m_generation;
            Put(n);
        } else {
            AddOther(n);
        }
    }

    bool Contains(std::uint32_t n) const
    {
        assert(!m_once);
        return n < m_marks.size() ? m_marks[n] == m_generation : m_others.count(n) > 0;
    }

    UIntArray values;
    CArrayHash hash; // of values, for the table they go to

private:
    [[gnu::always_inline]] void Put(std::uint32_t n)
    {
        values.push_back(n);
        hash.Add(n);
    }
    [[gnu::noinline]] void AddOther(std::uint32_t n)
    {
        if (m_others.insert(n).second)
            Put(n);
    }

    std::vector<std::uint16_t>& m_marks;
    std::uint16_t m_generation = 0;
    bool m_once;
    std::unordered_set<std::uint32_t> m_others;
};

// One mode's view of the cells: its area, its supplementary lamps, and the
// sequence that qualifying lamps go to.
struct CFrameGenerator::Visit {
    std::int64_t left, top, right, bottom;
    bool areaOnly;
    std::vector<std::uint32_t> extras; // sorted
    Sequence* seq = nullptr;

    // once: the walk of the kind looks at each cell at most once.
    bool once = false;

    Visit(const CModeItem& r, bool areaOnly_)
        : left(r.areaLeft), top(r.areaTop), right(r.areaRight), bottom(r.areaBottom), areaOnly(areaOnly_)
    {
        if (!areaOnly) {
            extras = r.extraLamps;
            std::sort(extras.begin(), extras.end());
        }
    }

    bool InArea(std::int64_t x, std::int64_t y) const
    {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    // Without supplementary lamps only cells inside the area can qualify.
    bool AreaBound() const { return extras.empty(); }

    [[gnu::always_inline]] void Take(std::int64_t x, std::int64_t y, std::int32_t lamp)
    {
        if (lamp < 0)
            return;
        const auto n = static_cast<std::uint32_t>(lamp);
        if (InArea(x, y))
            seq->Add(n);
        if (!extras.empty() && std::binary_search(extras.begin(), extras.end(), n))
            seq->Add(n);
    }
};

CFrameGenerator::CFrameGenerator(const std::vector<CLamp>& lampPositions,
                                 const std::vector<UIntArray>& layers)
    : m_lamps(lampPositions), m_layers(layers), m_box(BoundsOnGrid(lampPositions)),
      m_grid(static_cast<std::size_t>(kSize * kSize), -1)
{
    std::int64_t maxNumber = -1;
    for (const auto& l : m_lamps)
        maxNumber = std::max<std::int64_t>(maxNumber, l.number);
    m_marks.assign(static_cast<std::size_t>(std::clamp<std::int64_t>(maxNumber + 1, 0, kMaxMarkedNumber)), 0);
}

CBoundingBox CFrameGenerator::BoundsOnGrid(const std::vector<CLamp>& lamps)
{
    CBoundingBox box;
    bool any = false;
    for (const auto& l : lamps) {
        if (l.x < 0 || l.y < 0 || l.x >= kSize || l.y >= kSize)
            continue;
        if (!any) {
            box = {l.x, l.y, l.x, l.y};
            any = true;
        }
        box.minX = std::min<std::int64_t>(box.minX, l.x);
        box.minY = std::min<std::int64_t>(box.minY, l.y);
        box.maxX = std::max<std::int64_t>(box.maxX, l.x);
        box.maxY = std::max<std::int64_t>(box.maxY, l.y);
    }
    return box;
}

void CFrameGenerator::PrepareGrid(const CModeItem& record)
{
    const bool all = record.layer == 0 || record.layer > 50;
    const std::int64_t layer = all ? 0 : record.layer;
    const bool circle = IsCircularAreaMode(record.type);
    if (m_gridValid && m_gridLayer == layer && m_gridCircle == circle &&
        (!circle ||
         (m_circleX == record.circleX && m_circleY == record.circleY && m_circleR == record.circleRadius)))
        return;

    for (std::size_t c : m_filled)
        m_grid[c] = -1;
    m_filled.clear();
    auto place = [&](const CLamp& l) {
        if (l.x < 0 || l.y < 0 || l.x >= kSize || l.y >= kSize)
            return;
        const auto c = static_cast<std::size_t>(l.y * kSize + l.x);
        if (m_grid[c] < 0)
            m_filled.push_back(c);
        m_grid[c] = l.number;
    };
    if (all) {
        for (const auto& l : m_lamps)
            place(l);
    } else if (layer >= 1 && static_cast<std::size_t>(layer) <= m_layers.size()) {
        for (std::uint32_t pos : m_layers[static_cast<std::size_t>(layer - 1)])
            if (pos < m_lamps.size())
                place(m_lamps[pos]);
    }
    if (circle) {
        const std::int64_t cx = record.circleX, cy = record.circleY, r = record.circleRadius;
        for (std::size_t c : m_filled) {
            const std::int64_t x = static_cast<std::int64_t>(c) % kSize,
                               y = static_cast<std::int64_t>(c) / kSize;
            if ((cx - x) * (cx - x) + (cy - y) * (cy - y) > r * r)
                m_grid[c] = -1;
        }
    }
    m_gridUnique = true;
    {
        Sequence seen(*this, false);
        for (std::size_t c : m_filled) {
            const std::int32_t n = m_grid[c];
            if (n < 0)
                continue;
            if (static_cast<std::size_t>(n) >= m_marks.size() ||
                seen.Contains(static_cast<std::uint32_t>(n))) {
                m_gridUnique = false;
                break;
            }
            seen.Add(static_cast<std::uint32_t>(n));
        }
    }
    m_gridValid = true;
    m_gridLayer = layer;
    m_gridCircle = circle;
    m_circleX = record.circleX;
    m_circleY = record.circleY;
    m_circleR = record.circleRadius;
}

void CFrameGenerator::ColumnOrder(Visit& v, std::int64_t fromX, std::int64_t toX)
{
    std::int64_t y0 = m_box.minY, y1 = m_box.maxY;
    fromX = std::max(fromX, m_box.minX);
    toX = std::min(toX, m_box.maxX);
    if (v.AreaBound()) {
        fromX = std::max(fromX, v.left);
        toX = std::min(toX, v.right);
        y0 = std::max(y0, v.top);
        y1 = std::min(y1, v.bottom);
    }
    for (std::int64_t x = fromX; x <= toX; ++x)
        for (std::int64_t y = y0; y <= y1; ++y)
            v.Take(x, y, Cell(x, y));
}

void CFrameGenerator::RowOrder(Visit& v, std::int64_t fromY, std::int64_t toY)
{
    std::int64_t x0 = m_box.minX, x1 = m_box.maxX;
    fromY = std::max(fromY, m_box.minY);
    toY = std::min(toY, m_box.maxY);
    if (v.AreaBound()) {
        fromY = std::max(fromY, v.top);
        toY = std::min(toY, v.bottom);
        x0 = std::max(x0, v.left);
        x1 = std::min(x1, v.right);
    }
    for (std::int64_t y = fromY; y <= toY; ++y)
        for (std::int64_t x = x0; x <= x1; ++x)
            v.Take(x, y, Cell(x, y));
}

void CFrameGenerator::ColumnLampOrder(Visit& v, std::int64_t startX)
{
    if (m_box.minX < startX && startX <= m_box.maxX) {
        ColumnOrder(v, startX, m_box.maxX);
        ColumnOrder(v, m_box.minX, startX - 1);
    } else {
        ColumnOrder(v, m_box.minX, m_box.maxX);
    }
}

void CFrameGenerator::RowLampOrder(Visit& v, std::int64_t startY)
{
    // The wrap is tested against the area here, unlike the column order.
    if (v.top < startY && startY <= v.bottom) {
        RowOrder(v, startY, m_box.maxY);
        RowOrder(v, m_box.minY, startY - 1);
    } else {
        RowOrder(v, m_box.minY, m_box.maxY);
    }
}

void CFrameGenerator::DiagonalPart(Visit& v, bool rising, std::int64_t x, std::int64_t y, int dx)
{
    const int dy = rising ? -dx : dx;
    while (m_box.Contains(x, y)) {
        v.Take(x, y, Cell(x, y));
        x += dx;
        y += dy;
    }
}

void CFrameGenerator::DiagonalLampOrder(Visit& v, bool rising, std::int64_t startX, std::int64_t startY,
                                        std::int64_t lines)
{
    if (lines <= 0 || m_box.Empty())
        return;
    std::int64_t ax = startX - 1, ay = startY, left = lines;
    // Lines whose anchor and its neighbour both lie left of the box touch nothing.
    if (ax < m_box.maxX) {
        const std::int64_t skip = std::min(left, m_box.minX - 2 - ax);
        if (skip > 0) {
            ax += skip;
            left -= skip;
        }
    }
    while (left > 0) {
        if (ax < m_box.maxX) {
            ++ax;
            DiagonalPart(v, rising, ax, ay, -1);
            DiagonalPart(v, rising, ax + 1, ay + (rising ? -1 : 1), +1);
        } else if (ax > m_box.maxX) {
            return; // the anchor's column lies right of the box for good
        } else if (rising ? ay < m_box.maxY : ay > m_box.minY) {
            // Rows beyond the box on the side the anchor comes from touch nothing.
            const std::int64_t skip =
                rising ? std::min(left, m_box.minY - 1 - ay) : std::min(left, ay - m_box.maxY - 1);
            if (skip > 0) {
                ay += rising ? skip : -skip;
                left -= skip;
                continue;
            }
            ay += rising ? 1 : -1;
            DiagonalPart(v, rising, ax, ay, -1);
        } else {
            return;
        }
        --left;
    }
}

bool CFrameGenerator::IsInterior(std::int64_t x, std::int64_t y) const
{
    return x != 0 && y != 0 && Cell(x - 1, y) >= 0 && Cell(x + 1, y) >= 0 && Cell(x, y - 1) >= 0 &&
           Cell(x, y + 1) >= 0;
}

void CFrameGenerator::TraceOutline(Visit& v, std::int64_t sx, std::int64_t sy)
{
    std::int64_t cx = sx, cy = sy, px = sx - 1, py = sy - 1;
    int d0 = 0;
    std::int64_t budget = kTraceBudget;
    do {
        bool found = false;
        int next = 0;
        for (int k = 0; k < 8; ++k) {
            const int d = d0 + k;
            if (d % 4 < 2)
                py += (d % 8 < 4) ? 1 : -1;
            else
                px += (d % 8 < 4) ? 1 : -1;
            if (--budget <= 0)
                return;
            if (Cell(px, py) >= 0 && !IsInterior(px, py)) {
                found = true;
                next = d;
                break;
            }
        }
        if (found) {
            v.seq->Add(static_cast<std::uint32_t>(Cell(px, py)));
            std::swap(px, cx);
            std::swap(py, cy);
            d0 = (next + 5) % 8;
        }
    } while (cx != sx || cy != sy);
}

void CFrameGenerator::FrameOrder(Visit& v)
{
    const std::int64_t x0 = std::max<std::int64_t>(v.left, 0),
                       x1 = std::min<std::int64_t>(v.right, kSize - 1);
    const std::int64_t y0 = std::max<std::int64_t>(v.top, 0),
                       y1 = std::min<std::int64_t>(v.bottom, kSize - 1);
    for (std::int64_t x = x0; x <= x1; ++x)
        for (std::int64_t y = y0; y <= y1; ++y) {
            const std::int32_t lamp = Cell(x, y);
            if (lamp < 0 || IsInterior(x, y) || v.seq->Contains(static_cast<std::uint32_t>(lamp)))
                continue;
            v.seq->Add(static_cast<std::uint32_t>(lamp));
            TraceOutline(v, x, y);
        }
}

void CFrameGenerator::KernelOrder(Visit& v)
{
    const std::int64_t x0 = std::max<std::int64_t>(v.left, 0),
                       x1 = std::min<std::int64_t>(v.right, kSize - 1);
    const std::int64_t y0 = std::max<std::int64_t>(v.top, 0),
                       y1 = std::min<std::int64_t>(v.bottom, kSize - 1);
    for (std::int64_t x = x0; x <= x1; ++x)
        for (std::int64_t y = y0; y <= y1; ++y) {
            const std::int32_t lamp = Cell(x, y);
            if (lamp >= 0 && Cell(x - 1, y) >= 0 && Cell(x + 1, y) >= 0 && Cell(x, y - 1) >= 0 &&
                Cell(x, y + 1) >= 0)
                v.seq->Add(static_cast<std::uint32_t>(lamp));
        }
}

UIntArray CFrameGenerator::LampOrder(const CModeItem& r, OrderKind kind, std::uint64_t* hash)
{
    Visit v(r, kind == OrderKind::FrameOrder || kind == OrderKind::KernelOrder);
    // The outline traces come back to cells they have seen.
    v.once = m_gridUnique && v.extras.empty() && kind != OrderKind::FrameOrder;
    Sequence seq(*this, v.once);
    v.seq = &seq;
    if (m_box.Empty()) {
        if (hash)
            *hash = seq.hash.Value();
        return {};
    }
    // A lamp order takes each placed lamp at most once: one allocation
    // instead of a vector that doubles its way up to a whole grid.
    seq.values.reserve(m_filled.size());
    switch (kind) {
    case OrderKind::ColumnLampOrder:
        ColumnLampOrder(v, r.startX);
        break;
    case OrderKind::RowLampOrder:
        RowLampOrder(v, r.startY);
        break;
    case OrderKind::RisingLampOrder:
    case OrderKind::FallingLampOrder:
        DiagonalLampOrder(v, kind == OrderKind::RisingLampOrder, r.startX, r.startY, r.step);
        break;
    case OrderKind::FrameOrder:
        FrameOrder(v);
        break;
    case OrderKind::KernelOrder:
        KernelOrder(v);
        break;
    default:
        break;
    }
    // The table keeps what it is given; a small area leaves no whole-grid room in it.
    if (seq.values.capacity() > 2 * seq.values.size() + 1024)
        seq.values.shrink_to_fit();
    if (hash)
        *hash = seq.hash.Value();
    return std::move(seq.values);
}

template <class Fill> void CFrameGenerator::AddBand(Visit& v, CArrayTable& table, UIntArray& bands, Fill fill)
{
    // Bands fill one buffer that keeps its room, and the table copies a band
    // only when it is new: no vector doubling its way up for every band.
    Sequence seq(*this, v.once);
    seq.values.swap(m_bandBuffer);
    seq.values.clear();
    v.seq = &seq;
    fill();
    v.seq = nullptr;
    if (!seq.values.empty())
        bands.push_back(table.AddUnique(seq.values, seq.hash.Value()));
    m_bandBuffer.swap(seq.values);
}

void CFrameGenerator::ColumnBands(Visit& v, const CModeItem& r, CArrayTable& table, UIntArray& bands)
{
    const std::int64_t step = std::max<std::int64_t>(1, r.step), startX = r.startX;
    auto window = [&](std::int64_t from, std::int64_t to) {
        AddBand(v, table, bands, [&] { ColumnOrder(v, from, to); });
    };
    if (m_box.minX < startX && startX <= m_box.maxX) {
        for (std::int64_t s = startX; s <= m_box.maxX; s += step)
            window(s, s + step - 1);
        for (std::int64_t s = m_box.minX; s < startX; s += step)
            window(s, std::min(s + step - 1, startX - 1));
    } else {
        for (std::int64_t s = m_box.minX; s <= m_box.maxX; s += step)
            window(s, s + step - 1);
    }
}

void CFrameGenerator::RowBands(Visit& v, const CModeItem& r, CArrayTable& table, UIntArray& bands)
{
    const std::int64_t step = std::max<std::int64_t>(1, r.step), startY = r.startY;
    auto window = [&](std::int64_t from, std::int64_t to) {
        AddBand(v, table, bands, [&] { RowOrder(v, from, to); });
    };
    if (v.top < startY && startY <= v.bottom) {
        std::int64_t s = startY;
        // Windows that end above the box hold nothing.
        if (s + step - 1 < m_box.minY)
            s += (m_box.minY - (s + step - 1) + step - 1) / step * step;
        for (; s <= m_box.maxY; s += step)
            window(s, s + step - 1);
        for (s = m_box.minY; s < startY; s += step)
            window(s, std::min(s + step - 1, startY - 1));
    } else {
        for (std::int64_t s = m_box.minY; s <= m_box.maxY; s += step)
            window(s, s + step - 1);
    }
}

void CFrameGenerator::DiagonalBands(Visit& v, const CModeItem& r, bool rising, CArrayTable& table,
                                    UIntArray& bands)
{
    const std::int64_t step = std::max<std::int64_t>(1, r.step);
    const std::int64_t sx = r.startX, sy = r.startY;
    const auto& b = m_box;
    const bool entry = v.left + v.top < sx + sy && sx + sy < v.right + v.bottom;
    const std::int64_t first = !entry   ? b.minX
                               : rising ? b.minX + step * FloorDiv(sx - b.minX + sy, step)
                                        : b.minX + step * FloorDiv(b.maxY - b.minX - sy + sx, step);
    const std::int64_t edgeRow = rising ? b.minY : b.maxY;
    auto band = [&](std::int64_t ax, std::int64_t ay) {
        AddBand(v, table, bands, [&] { DiagonalLampOrder(v, rising, ax, ay, step); });
    };

    std::int64_t c = first;
    // Bands whose every line starts left of the box touch nothing.
    if (c + step - 1 < b.minX)
        c += (b.minX - (c + step - 1) + step - 1) / step * step;
    for (; c < b.maxX; c += step)
        band(c, edgeRow);
    for (;; c += step) {
        const std::int64_t row = rising ? b.minY + (c - b.maxX) : b.maxY - (c - b.maxX);
        if (rising ? row > b.maxY : row < b.minY)
            break;
        band(b.maxX, row);
    }
    if (entry)
        // Anchors beyond the column right of the box can never reach it.
        for (c = b.minX; c < first && c <= b.maxX + 1; c += step)
            band(c, edgeRow);
}

void CFrameGenerator::Rings(Visit& v, const CModeItem& r, CArrayTable& table, UIntArray& bands)
{
    const std::int64_t step = std::max<std::int64_t>(1, r.step);
    const std::int64_t x0 = std::max<std::int64_t>(v.left, 0),
                       x1 = std::min<std::int64_t>(v.right, kSize - 1);
    const std::int64_t y0 = std::max<std::int64_t>(v.top, 0),
                       y1 = std::min<std::int64_t>(v.bottom, kSize - 1);
    std::int64_t cx = r.startX, cy = r.startY;
    if (!v.InArea(cx, cy)) {
        bool found = false;
        for (std::int64_t x = x0; x <= x1 && !found; ++x)
            for (std::int64_t y = y0; y <= y1 && !found; ++y)
                if (Cell(x, y) >= 0) {
                    cx = x;
                    cy = y;
                    found = true;
                }
    }
    const std::int64_t bandCount = v.right + v.bottom - v.left + 1;
    if (bandCount <= 0)
        return;
    const std::uint64_t ringCount =
        static_cast<std::uint64_t>(bandCount) > UINT64_MAX / static_cast<std::uint64_t>(step)
            ? UINT64_MAX
            : static_cast<std::uint64_t>(bandCount) * static_cast<std::uint64_t>(step);

    // Each lamp belongs to the first ring whose radius reaches it; within a
    // ring the lamps keep the area's scan order.
    std::vector<RingLamp> lamps;
    lamps.reserve(m_filled.size());
    for (std::int64_t x = x0; x <= x1; ++x) {
        // Down a column the ring changes little from lamp to lamp: the last
        // one is a better start than a square root.
        std::uint64_t ring = 0;
        bool near = false;
        for (std::int64_t y = y0; y <= y1; ++y) {
            const std::int32_t lamp = Cell(x, y);
            if (lamp < 0)
                continue;
            const auto dx = static_cast<std::uint64_t>(std::abs(x - cx));
            const auto dy = static_cast<std::uint64_t>(std::abs(y - cy));
            const std::uint64_t d = dx * dx + dy * dy;
            near = near && d < kSmallSquare;
            ring = near ? CeilSqrtNear(d, ring) : CeilSqrt(d);
            near = d < kSmallSquare;
            if (ring < ringCount)
                lamps.push_back({ring, static_cast<std::uint32_t>(lamp)});
        }
    }
    SortByRing(lamps);
    for (std::size_t i = 0; i < lamps.size();) {
        const std::uint64_t band = lamps[i].ring / static_cast<std::uint64_t>(step);
        AddBand(v, table, bands, [&] {
            for (; i < lamps.size() && lamps[i].ring / static_cast<std::uint64_t>(step) == band; ++i)
                v.seq->Add(lamps[i].lamp);
        });
    }
}

void CFrameGenerator::SideToMiddleBands(Visit& v, CArrayTable& table, UIntArray& bands)
{
    const std::int64_t n = (m_box.maxX - m_box.minX) / 2 + 1;
    for (std::int64_t i = 0; i < n; ++i)
        AddBand(v, table, bands, [&] {
            ColumnOrder(v, m_box.minX + i, m_box.minX + i);
            ColumnOrder(v, m_box.maxX - i, m_box.maxX - i);
        });
}

UIntArray CFrameGenerator::BandOrder(const CModeItem& r, OrderKind kind, CArrayTable& table)
{
    UIntArray bands;
    if (m_box.Empty())
        return bands;
    Visit v(r, kind == OrderKind::Rings || kind == OrderKind::SideToMiddleBands);
    // The middle column of an odd width is both sides' column.
    v.once = m_gridUnique && v.extras.empty() && kind != OrderKind::SideToMiddleBands;
    switch (kind) {
    case OrderKind::ColumnBands:
        ColumnBands(v, r, table, bands);
        break;
    case OrderKind::RowBands:
        RowBands(v, r, table, bands);
        break;
    case OrderKind::RisingBands:
    case OrderKind::FallingBands:
        DiagonalBands(v, r, kind == OrderKind::RisingBands, table, bands);
        break;
    case OrderKind::Rings:
        Rings(v, r, table, bands);
        break;
    case OrderKind::SideToMiddleBands:
        SideToMiddleBands(v, table, bands);
        break;
    default:
        break;
    }
    return bands;
}

} // namespace lumaro
