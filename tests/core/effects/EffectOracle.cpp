#include "EffectOracle.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Everything here is written for plainness, not speed: one 500 x 500 grid per
// mode, linear "already in the sequence" checks and linear table look-ups.
// Coordinates are 64-bit so that sums of record fields never overflow.

namespace lumaro::test {
namespace {

using Coord = std::int64_t;
using Sequence = UIntArray;

constexpr Coord kGridSize = 500;

// ---------------------------------------------------------------------------
// Catalogue: class codes and generators by type name.

std::vector<std::string> Names(std::initializer_list<const char*> directions,
                               std::initializer_list<const char*> families)
{
    std::vector<std::string> out;
    for (const char* f : families)
        for (const char* d : directions)
            out.push_back(std::string("CM_") + d + f);
    return out;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct ClassRule {
    std::vector<std::string> names;
    std::int32_t code;
};

// Rules 2 to 12 of the class-code assignment, in their order. The three
// list-control names of rule 1 are coded in ClassCodeOfName; their `loop` is
// set by the caller, which knows the record's position.
const std::vector<ClassRule>& ClassRules()
{
    static const std::vector<ClassRule> rules = [] {
        const auto fwdBand = {"LEFTTORIGHT", "UPTODOWN", "LEFTUP", "LEFTDOWN"};
        const auto revBand = {"RIGHTTOLEFT", "DOWNTOUP", "RIGHTDOWN", "RIGHTUP"};
        const auto fwdOrder = {"LEFTTORIGHT", "UPTODOWN", "RIGHTDOWN", "RIGHTUP"};
        const auto revOrder = {"RIGHTTOLEFT", "DOWNTOUP", "LEFTUP", "LEFTDOWN"};
        std::vector<ClassRule> r;
        r.push_back({{"CM_BRIGHTTODARK", "CM_SIDEFRAMEBD", "CM_KERNELBD"}, 0});
        r.push_back(
            {Join(Names(fwdBand, {"_GC", "_SCROLL"}), {"CM_EXPANDCIRCULAR_GC", "CM_MIDDLETOSIDE_GC"}), 2});
        r.push_back(
            {Join(Names(revBand, {"_GC", "_SCROLL"}), {"CM_SHRINKCIRCULAR_GC", "CM_SIDETOMIDDLE_GC"}), 1});
        r.push_back({Names(fwdBand, {"_GOBC"}), 3});
        r.push_back({Names(revBand, {"_GOBC"}), 4});
        r.push_back({Join(Names(fwdOrder, {"_CC"}), {"CM_ASIDEFRAME_CC", "CM_ASIDEFRAME_SCROLL"}), 6});
        r.push_back({Join(Names(revOrder, {"_CC"}), {"CM_SIDEFRAME_CC", "CM_SIDEFRAME_SCROLL"}), 5});
        r.push_back({Join(Names(fwdBand, {"_GF"}), {"CM_EXPANDCIRCULAR_GF"}), 7});
        r.push_back({Join(Names(revBand, {"_GF"}), {"CM_SHRINKCIRCULAR_GF"}), 8});
        r.push_back({Join(Names(fwdOrder, {"_CF"}), {"CM_ASIDEFRAME_CF"}), 9});
        r.push_back({Join(Names(revOrder, {"_CF"}), {"CM_SIDEFRAME_CF"}), 10});
        return r;
    }();
    return rules;
}

bool In(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsListControl(const std::string& name)
{
    return name == "CM_EMPTYMODE" || name == "CM_REGROUP" || name == "CM_REGRESS";
}

// The class code a name gets from the rules, or nothing when no rule names it
// (custom, WORD, circular-area and unknown names).
std::optional<std::int32_t> ClassCodeOfName(const std::string& name)
{
    std::optional<std::int32_t> code;
    if (name == "CM_EMPTYMODE")
        code = 254;
    if (name == "CM_REGROUP")
        code = 253;
    if (name == "CM_REGRESS")
        code = 255;
    for (const ClassRule& rule : ClassRules())
        if (In(rule.names, name))
            code = rule.code;
    return code;
}

enum class Generator {
    None,
    ColumnOrder,
    RowOrder,
    RisingOrder,
    FallingOrder,
    FrameOrder,
    KernelOrder,
    ColumnBands,
    RowBands,
    RisingBands,
    FallingBands,
    Rings,
    SideToMiddle,
};

Generator GeneratorOfName(const std::string& name)
{
    const auto bandFamilies = {"_GC", "_GOBC", "_GF", "_SCROLL"};
    if (In(Join(Names({"LEFTTORIGHT", "RIGHTTOLEFT"}, {"_CC", "_CF"}), {"CM_BRIGHTTODARK"}), name))
        return Generator::ColumnOrder;
    if (In(Names({"UPTODOWN", "DOWNTOUP"}, {"_CC", "_CF"}), name))
        return Generator::RowOrder;
    if (In(Names({"LEFTDOWN", "RIGHTUP"}, {"_CC", "_CF"}), name))
        return Generator::RisingOrder;
    if (In(Names({"LEFTUP", "RIGHTDOWN"}, {"_CC", "_CF"}), name))
        return Generator::FallingOrder;
    if (In({"CM_ASIDEFRAME_CC", "CM_ASIDEFRAME_CF", "CM_SIDEFRAME_CC", "CM_SIDEFRAME_CF", "CM_SIDEFRAMEBD",
            "CM_SIDEFRAME_SCROLL", "CM_ASIDEFRAME_SCROLL"},
           name))
        return Generator::FrameOrder;
    if (name == "CM_KERNELBD")
        return Generator::KernelOrder;
    if (In(Names({"LEFTTORIGHT", "RIGHTTOLEFT"}, bandFamilies), name))
        return Generator::ColumnBands;
    if (In(Names({"UPTODOWN", "DOWNTOUP"}, bandFamilies), name))
        return Generator::RowBands;
    if (In(Names({"LEFTUP", "RIGHTDOWN"}, bandFamilies), name))
        return Generator::RisingBands;
    if (In(Names({"LEFTDOWN", "RIGHTUP"}, bandFamilies), name))
        return Generator::FallingBands;
    if (In({"CM_EXPANDCIRCULAR_GC", "CM_EXPANDCIRCULAR_GF", "CM_SHRINKCIRCULAR_GC", "CM_SHRINKCIRCULAR_GF"},
           name))
        return Generator::Rings;
    if (name == "CM_MIDDLETOSIDE_GC" || name == "CM_SIDETOMIDDLE_GC")
        return Generator::SideToMiddle;
    return Generator::None;
}

bool IsWordType(const std::string& type)
{
    return type == "CM_LEFTTORIGHT_WORD" || type == "CM_RIGHTTOLEFT_WORD" || type == "CM_UPTODOWN_WORD" ||
           type == "CM_DOWNTOUP_WORD";
}

// ---------------------------------------------------------------------------
// Grid, bounding box, sequences and tables.

class Grid {
public:
    Grid() : m_cells(static_cast<std::size_t>(kGridSize * kGridSize), -1) {}

    void Clear() { std::fill(m_cells.begin(), m_cells.end(), -1); }

    // Cells outside the grid count as empty wherever a rule looks at them.
    std::int32_t At(Coord x, Coord y) const
    {
        if (x < 0 || y < 0 || x >= kGridSize || y >= kGridSize)
            return -1;
        return m_cells[static_cast<std::size_t>(y * kGridSize + x)];
    }
    bool Occupied(Coord x, Coord y) const { return At(x, y) != -1; }

    void Put(Coord x, Coord y, std::int32_t lamp)
    {
        if (x < 0 || y < 0 || x >= kGridSize || y >= kGridSize)
            return;
        m_cells[static_cast<std::size_t>(y * kGridSize + x)] = lamp;
    }

private:
    std::vector<std::int32_t> m_cells;
};

struct Box {
    bool empty = true;
    Coord minX = 0, maxX = 0, minY = 0, maxY = 0;

    bool Contains(Coord x, Coord y) const
    {
        return !empty && x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
};

Box BoundingBox(const std::vector<CLamp>& lamps)
{
    Box box;
    for (const CLamp& l : lamps) {
        if (box.empty) {
            box = {false, l.x, l.x, l.y, l.y};
            continue;
        }
        box.minX = std::min<Coord>(box.minX, l.x);
        box.maxX = std::max<Coord>(box.maxX, l.x);
        box.minY = std::min<Coord>(box.minY, l.y);
        box.maxY = std::max<Coord>(box.maxY, l.y);
    }
    return box;
}

bool Contains(const Sequence& seq, std::uint32_t lamp)
{
    return std::find(seq.begin(), seq.end(), lamp) != seq.end();
}

void AppendUnique(Sequence& seq, std::uint32_t lamp)
{
    if (!Contains(seq, lamp))
        seq.push_back(lamp);
}

std::int32_t AddUnique(std::vector<UIntArray>& table, const UIntArray& a)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i] == a)
            return static_cast<std::int32_t>(i);
    table.push_back(a);
    return static_cast<std::int32_t>(table.size() - 1);
}

Coord FloorDiv(Coord a, Coord b)
{
    Coord q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Later lamps on the same cell replace earlier ones.
void PlaceAllLamps(const std::vector<CLamp>& lamps, Grid& g)
{
    for (const CLamp& l : lamps)
        g.Put(l.x, l.y, l.number);
}

// The lamps one record sees: its image layer (0 or above 50: all lamps),
// then the circle of a circular-area record. g is emptied first; it is only
// reused to spare the allocation.
void BuildGrid(const CModeItem& m, const CEditImgDoc& doc, Grid& g)
{
    const auto& lamps = doc.lampPositions;
    g.Clear();
    if (m.layer == 0 || m.layer > 50) {
        PlaceAllLamps(lamps, g);
    } else if (m.layer > 0 && static_cast<std::size_t>(m.layer) <= doc.layers.size()) {
        for (std::uint32_t pos : doc.layers[static_cast<std::size_t>(m.layer - 1)])
            if (pos < lamps.size())
                g.Put(lamps[pos].x, lamps[pos].y, lamps[pos].number);
    }
    if (m.type == "CM_CIRCULAR_AREA") {
        const Coord r2 = static_cast<Coord>(m.circleRadius) * m.circleRadius;
        for (Coord y = 0; y < kGridSize; ++y)
            for (Coord x = 0; x < kGridSize; ++x) {
                const Coord dx = m.circleX - x, dy = m.circleY - y;
                if (dx * dx + dy * dy > r2)
                    g.Put(x, y, -1);
            }
    }
}

// ---------------------------------------------------------------------------
// Generators.

struct Context {
    const CModeItem& m;
    const Grid& grid;
    const Box& box;

    bool InArea(Coord x, Coord y) const
    {
        return x >= m.areaLeft && x <= m.areaRight && y >= m.areaTop && y <= m.areaBottom;
    }

    // The qualifying rule: area lamps, then supplementary lamps wherever
    // they are met.
    void Visit(Coord x, Coord y, Sequence& seq) const
    {
        const std::int32_t lamp = grid.At(x, y);
        if (lamp == -1)
            return;
        const auto l = static_cast<std::uint32_t>(lamp);
        if (InArea(x, y))
            AppendUnique(seq, l);
        if (Contains(m.extraLamps, l))
            AppendUnique(seq, l);
    }

    // Area-only generators ignore the supplementary lamps.
    void VisitAreaOnly(Coord x, Coord y, Sequence& seq) const
    {
        const std::int32_t lamp = grid.At(x, y);
        if (lamp != -1 && InArea(x, y))
            AppendUnique(seq, static_cast<std::uint32_t>(lamp));
    }

    // The area clipped to the grid: cells outside it are empty anyway.
    Coord AreaLeft() const { return std::max<Coord>(m.areaLeft, 0); }
    Coord AreaRight() const { return std::min<Coord>(m.areaRight, kGridSize - 1); }
    Coord AreaTop() const { return std::max<Coord>(m.areaTop, 0); }
    Coord AreaBottom() const { return std::min<Coord>(m.areaBottom, kGridSize - 1); }

    Coord BandStep() const { return m.step <= 0 ? 1 : m.step; }
};

void VisitColumns(const Context& c, Coord fromX, Coord toX, Sequence& seq)
{
    for (Coord x = fromX; x <= toX; ++x)
        for (Coord y = c.box.minY; y <= c.box.maxY; ++y)
            c.Visit(x, y, seq);
}

void VisitRows(const Context& c, Coord fromY, Coord toY, Sequence& seq)
{
    for (Coord y = fromY; y <= toY; ++y)
        for (Coord x = c.box.minX; x <= c.box.maxX; ++x)
            c.Visit(x, y, seq);
}

Sequence ColumnOrder(const Context& c)
{
    Sequence seq;
    if (c.box.empty)
        return seq;
    const Coord sx = c.m.startX;
    if (c.box.minX < sx && sx <= c.box.maxX) {
        VisitColumns(c, sx, c.box.maxX, seq);
        VisitColumns(c, c.box.minX, sx - 1, seq);
    } else {
        VisitColumns(c, c.box.minX, c.box.maxX, seq);
    }
    return seq;
}

// Unlike the column order, the wrap test here looks at the area.
Sequence RowOrder(const Context& c)
{
    Sequence seq;
    if (c.box.empty)
        return seq;
    const Coord sy = c.m.startY;
    if (c.m.areaTop < sy && sy <= c.m.areaBottom) {
        VisitRows(c, sy, c.box.maxY, seq);
        VisitRows(c, c.box.minY, sy - 1, seq);
    } else {
        VisitRows(c, c.box.minY, c.box.maxY, seq);
    }
    return seq;
}

// `lines` diagonal lines, the anchor starting just left of (sx, sy). Rising
// lines keep x + y, falling lines x - y.
Sequence DiagonalOrder(const Context& c, bool rising, Coord sx, Coord sy, Coord lines)
{
    Sequence seq;
    if (c.box.empty)
        return seq;
    const Coord firstDy = rising ? 1 : -1; // y change per step of decreasing x
    auto firstPart = [&](Coord x, Coord y) {
        for (; c.box.Contains(x, y); --x, y += firstDy)
            c.Visit(x, y, seq);
    };
    auto secondPart = [&](Coord x, Coord y) {
        for (x += 1, y -= firstDy; c.box.Contains(x, y); ++x, y -= firstDy)
            c.Visit(x, y, seq);
    };
    Coord ax = sx - 1, ay = sy;
    for (Coord i = 0; i < lines; ++i) {
        if (ax < c.box.maxX) {
            ++ax;
            firstPart(ax, ay);
            secondPart(ax, ay);
        } else if (rising ? ay < c.box.maxY : ay > c.box.minY) {
            ay += rising ? 1 : -1;
            firstPart(ax, ay);
        }
    }
    return seq;
}

// Frame order helpers. Interior: all four neighbours occupied and off row 0
// and column 0; everything else occupied is an edge cell.
bool IsInterior(const Grid& g, Coord x, Coord y)
{
    return g.Occupied(x - 1, y) && g.Occupied(x + 1, y) && g.Occupied(x, y - 1) && g.Occupied(x, y + 1) &&
           x != 0 && y != 0;
}

bool IsEdgeLamp(const Grid& g, Coord x, Coord y)
{
    return g.Occupied(x, y) && !IsInterior(g, x, y);
}

// Follows the outline through (startX, startY), appending its lamps. A trace
// that never comes back to its start is cut off.
void TraceOutline(const Grid& g, Coord startX, Coord startY, Sequence& seq)
{
    constexpr std::int64_t kMaxProbeSteps = 8 * 250000 + 8;
    std::int64_t probeSteps = 0;
    Coord curX = startX, curY = startY;
    Coord probeX = startX - 1, probeY = startY - 1;
    int d0 = 0;
    do {
        bool found = false;
        int d = d0;
        for (; d < d0 + 8; ++d) {
            if (probeSteps == kMaxProbeSteps)
                return;
            ++probeSteps;
            if (d % 4 < 2)
                probeY += (d % 8 < 4) ? 1 : -1;
            else
                probeX += (d % 8 < 4) ? 1 : -1;
            if (IsEdgeLamp(g, probeX, probeY)) {
                found = true;
                break;
            }
        }
        if (found) {
            const Coord nextX = probeX, nextY = probeY;
            AppendUnique(seq, static_cast<std::uint32_t>(g.At(nextX, nextY)));
            probeX = curX;
            probeY = curY;
            curX = nextX;
            curY = nextY;
            d0 = (d + 5) % 8;
        }
    } while (curX != startX || curY != startY);
}

Sequence FrameOrder(const Context& c)
{
    Sequence seq;
    for (Coord x = c.AreaLeft(); x <= c.AreaRight(); ++x)
        for (Coord y = c.AreaTop(); y <= c.AreaBottom(); ++y) {
            if (!c.grid.Occupied(x, y) || IsInterior(c.grid, x, y))
                continue;
            const auto lamp = static_cast<std::uint32_t>(c.grid.At(x, y));
            if (Contains(seq, lamp))
                continue;
            seq.push_back(lamp);
            TraceOutline(c.grid, x, y, seq);
        }
    return seq;
}

Sequence KernelOrder(const Context& c)
{
    Sequence seq;
    const Grid& g = c.grid;
    for (Coord x = c.AreaLeft(); x <= c.AreaRight(); ++x)
        for (Coord y = c.AreaTop(); y <= c.AreaBottom(); ++y)
            if (g.Occupied(x, y) && g.Occupied(x - 1, y) && g.Occupied(x + 1, y) && g.Occupied(x, y - 1) &&
                g.Occupied(x, y + 1))
                AppendUnique(seq, static_cast<std::uint32_t>(g.At(x, y)));
    return seq;
}

// Inclusive ranges [first, last] of grid lines that make up the windows.
using Windows = std::vector<std::pair<Coord, Coord>>;

Windows SlidingWindows(bool wrap, Coord start, Coord lo, Coord hi, Coord step)
{
    Windows w;
    if (wrap) {
        for (Coord s = start; s <= hi; s += step)
            w.push_back({s, s + step - 1});
        for (Coord s = lo; s < start; s += step)
            w.push_back({s, std::min(s + step - 1, start - 1)});
    } else {
        for (Coord s = lo; s <= hi; s += step)
            w.push_back({s, s + step - 1});
    }
    return w;
}

// Band sequences go into the lamp-sequence table as they are made; empty
// ones are neither stored nor listed.
void AddBand(const Sequence& band, std::vector<UIntArray>& lampSeqTable, UIntArray& bandList)
{
    if (!band.empty())
        bandList.push_back(static_cast<std::uint32_t>(AddUnique(lampSeqTable, band)));
}

UIntArray ColumnBands(const Context& c, std::vector<UIntArray>& lampSeqTable)
{
    UIntArray bands;
    if (c.box.empty)
        return bands;
    const Coord sx = c.m.startX;
    const bool wrap = c.box.minX < sx && sx <= c.box.maxX;
    for (auto [from, to] : SlidingWindows(wrap, sx, c.box.minX, c.box.maxX, c.BandStep())) {
        Sequence seq;
        VisitColumns(c, from, to, seq);
        AddBand(seq, lampSeqTable, bands);
    }
    return bands;
}

UIntArray RowBands(const Context& c, std::vector<UIntArray>& lampSeqTable)
{
    UIntArray bands;
    if (c.box.empty)
        return bands;
    const Coord sy = c.m.startY;
    const bool wrap = c.m.areaTop < sy && sy <= c.m.areaBottom;
    for (auto [from, to] : SlidingWindows(wrap, sy, c.box.minY, c.box.maxY, c.BandStep())) {
        Sequence seq;
        VisitRows(c, from, to, seq);
        AddBand(seq, lampSeqTable, bands);
    }
    return bands;
}

// Rising bands anchor on the top row, falling bands on the bottom row; both
// then climb the right column and finally wrap round from the left.
UIntArray DiagonalBands(const Context& c, bool rising, std::vector<UIntArray>& lampSeqTable)
{
    UIntArray bands;
    if (c.box.empty)
        return bands;
    const CModeItem& m = c.m;
    const Box& b = c.box;
    const Coord step = c.BandStep();
    const Coord startSum = static_cast<Coord>(m.startX) + m.startY;
    const bool entered = static_cast<Coord>(m.areaLeft) + m.areaTop < startSum &&
                         startSum < static_cast<Coord>(m.areaRight) + m.areaBottom;
    Coord first = b.minX;
    if (entered) {
        const Coord offset =
            rising ? static_cast<Coord>(m.startX) - b.minX + m.startY : b.maxY - b.minX - m.startY + m.startX;
        first = b.minX + step * FloorDiv(offset, step);
    }
    const Coord row = rising ? b.minY : b.maxY;
    std::vector<std::pair<Coord, Coord>> anchors;
    Coord col = first;
    for (; col < b.maxX; col += step)
        anchors.push_back({col, row});
    if (rising) {
        for (; b.minY + (col - b.maxX) <= b.maxY; col += step)
            anchors.push_back({b.maxX, b.minY + (col - b.maxX)});
    } else {
        for (; b.maxY - (col - b.maxX) >= b.minY; col += step)
            anchors.push_back({b.maxX, b.maxY - (col - b.maxX)});
    }
    for (Coord w = b.minX; w < first; w += step)
        anchors.push_back({w, row});

    // Rising bands are made of rising lines (constant x + y).
    for (auto [ax, ay] : anchors)
        AddBand(DiagonalOrder(c, rising, ax, ay, step), lampSeqTable, bands);
    return bands;
}

UIntArray Rings(const Context& c, std::vector<UIntArray>& lampSeqTable)
{
    UIntArray bands;
    const CModeItem& m = c.m;
    const Coord step = c.BandStep();

    struct Cell {
        Coord x, y;
        std::uint32_t lamp;
        bool taken;
    };
    // Occupied area cells in scan order: column by column, rows top down.
    std::vector<Cell> cells;
    for (Coord x = c.AreaLeft(); x <= c.AreaRight(); ++x)
        for (Coord y = c.AreaTop(); y <= c.AreaBottom(); ++y)
            if (c.grid.Occupied(x, y))
                cells.push_back({x, y, static_cast<std::uint32_t>(c.grid.At(x, y)), false});

    Coord cx = m.startX, cy = m.startY;
    if (!c.InArea(cx, cy) && !cells.empty()) {
        cx = cells.front().x;
        cy = cells.front().y;
    }

    const Coord bandCount = static_cast<Coord>(m.areaRight) + m.areaBottom - m.areaLeft + 1;
    std::size_t takenCount = 0;
    Coord r = 0;
    for (Coord band = 0; band < bandCount; ++band) {
        // Once every cell is taken the remaining bands are empty.
        if (takenCount == cells.size())
            break;
        Sequence seq;
        for (Coord ring = 0; ring < step; ++ring, ++r) {
            for (Cell& cell : cells) {
                const Coord dx = cell.x - cx, dy = cell.y - cy;
                if (!cell.taken && dx * dx + dy * dy <= r * r) {
                    cell.taken = true;
                    ++takenCount;
                    AppendUnique(seq, cell.lamp);
                }
            }
        }
        AddBand(seq, lampSeqTable, bands);
    }
    return bands;
}

UIntArray SideToMiddleBands(const Context& c, std::vector<UIntArray>& lampSeqTable)
{
    UIntArray bands;
    if (c.box.empty)
        return bands;
    const Coord n = FloorDiv(c.box.maxX - c.box.minX, 2) + 1;
    for (Coord i = 0; i < n; ++i) {
        Sequence seq;
        for (Coord y = c.box.minY; y <= c.box.maxY; ++y)
            c.VisitAreaOnly(c.box.minX + i, y, seq);
        for (Coord y = c.box.minY; y <= c.box.maxY; ++y)
            c.VisitAreaOnly(c.box.maxX - i, y, seq);
        AddBand(seq, lampSeqTable, bands);
    }
    return bands;
}

// ---------------------------------------------------------------------------
// WORD expansion.

// One made record per bounding-box row (or column) that holds a lamp.
std::vector<CModeItem> ExpandWord(const CModeItem& word, const CEditImgDoc& doc, const Box& box,
                                  const Grid& allLamps)
{
    std::vector<CModeItem> made;
    if (box.empty)
        return made;
    const bool byRow = word.type == "CM_LEFTTORIGHT_WORD" || word.type == "CM_RIGHTTOLEFT_WORD";
    const bool reversed = word.type == "CM_RIGHTTOLEFT_WORD" || word.type == "CM_DOWNTOUP_WORD";
    const std::string direction = word.type.substr(0, word.type.size() - std::string("_WORD").size());
    const std::string type = direction + (word.wordColourMode == 1 ? "_CF" : "_CC");

    auto colourValue = [&](std::size_t i) { return i < word.colours.size() ? word.colours[i] : 0u; };
    const UIntArray text{colourValue(0), colourValue(1), colourValue(2)};
    const UIntArray background{colourValue(3), colourValue(4), colourValue(5)};
    const UIntArray* textGroup = nullptr;
    if (word.lampOrderIndex >= 0 && static_cast<std::size_t>(word.lampOrderIndex) < doc.lampGroups.size())
        textGroup = &doc.lampGroups[static_cast<std::size_t>(word.lampOrderIndex)];

    const Coord lineLo = byRow ? box.minY : box.minX;
    const Coord lineHi = byRow ? box.maxY : box.maxX;
    for (Coord line = lineLo; line <= lineHi; ++line) {
        bool any = false;
        Coord first = 0, last = 0;
        for (const CLamp& l : doc.lampPositions) {
            const Coord lampLine = byRow ? l.y : l.x;
            const Coord along = byRow ? l.x : l.y;
            if (lampLine != line)
                continue;
            first = any ? std::min(first, along) : along;
            last = any ? std::max(last, along) : along;
            any = true;
        }
        if (!any)
            continue;

        CModeItem rec = word;
        rec.type = type;
        if (byRow) {
            rec.areaLeft = static_cast<std::int32_t>(first);
            rec.areaRight = static_cast<std::int32_t>(last);
            rec.areaTop = rec.areaBottom = static_cast<std::int32_t>(line);
        } else {
            rec.areaTop = static_cast<std::int32_t>(first);
            rec.areaBottom = static_cast<std::int32_t>(last);
            rec.areaLeft = rec.areaRight = static_cast<std::int32_t>(line);
        }
        rec.colours.clear();
        for (Coord a = first; a <= last; ++a) {
            const std::int32_t lamp = byRow ? allLamps.At(a, line) : allLamps.At(line, a);
            if (lamp == -1)
                continue;
            const bool isText = textGroup && Contains(*textGroup, static_cast<std::uint32_t>(lamp));
            const UIntArray& triple = isText ? text : background;
            if (reversed && word.wordColourMode == 1)
                rec.colours.insert(rec.colours.begin(), triple.begin(), triple.end());
            else
                rec.colours.insert(rec.colours.end(), triple.begin(), triple.end());
        }
        if (word.wordColourMode == 0)
            for (std::int32_t i = 0; i < word.wordStep; ++i)
                rec.colours.insert(rec.colours.end(), background.begin(), background.end());
        made.push_back(std::move(rec));
    }
    return made;
}

// ---------------------------------------------------------------------------
// Compilation.

// The name the class rules and the generators look at.
const std::string& DispatchName(const CModeItem& m)
{
    return m.type == "CM_CIRCULAR_AREA" ? m.innerType : m.type;
}

bool NeedsLampOrder(std::int32_t code)
{
    return code == 0 || code == 5 || code == 6 || code == 9 || code == 10;
}

bool NeedsBandList(std::int32_t code)
{
    return code == 1 || code == 2 || code == 3 || code == 4 || code == 7 || code == 8;
}

bool ValidIndex(std::int32_t index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// Whether a working record survives into the compiled list.
bool IsCompiled(const CModeItem& m, const CEditImgDoc& doc)
{
    if (m.type == "CM_CUSTOMMODE") {
        if (NeedsLampOrder(m.layer))
            return ValidIndex(m.lampOrderIndex, doc.lampGroups.size());
        if (NeedsBandList(m.layer))
            return ValidIndex(m.bandOrderIndex, doc.groupLists.size());
        return true;
    }
    return ClassCodeOfName(DispatchName(m)).has_value();
}

void CompileRecord(CModeItem& rec, std::int32_t position, const CEditImgDoc& doc, const Box& box, Grid& grid,
                   CCompiledEffects& out)
{
    const bool custom = rec.type == "CM_CUSTOMMODE";
    const std::string name = DispatchName(rec);
    const std::int32_t code = custom ? rec.layer : *ClassCodeOfName(name);
    if (!custom && IsListControl(name))
        rec.loop = position;

    // The grid reads the image layer before the field takes the class code.
    BuildGrid(rec, doc, grid);
    rec.layer = code;

    if (code != 0 && code < 11)
        rec.colourGroupId = AddUnique(out.colourTable, rec.colours);
    if (custom || code >= 11)
        return;

    const Context c{rec, grid, box};
    auto lampOrder = [&](const Sequence& seq) { rec.lampOrderIndex = AddUnique(out.lampSequenceTable, seq); };
    auto bandList = [&](const UIntArray& bands) { rec.bandOrderIndex = AddUnique(out.bandTable, bands); };
    const Coord step = rec.step;
    switch (GeneratorOfName(name)) {
    case Generator::None:
        break;
    case Generator::ColumnOrder:
        lampOrder(ColumnOrder(c));
        break;
    case Generator::RowOrder:
        lampOrder(RowOrder(c));
        break;
    case Generator::RisingOrder:
        lampOrder(DiagonalOrder(c, true, rec.startX, rec.startY, step));
        break;
    case Generator::FallingOrder:
        lampOrder(DiagonalOrder(c, false, rec.startX, rec.startY, step));
        break;
    case Generator::FrameOrder:
        lampOrder(FrameOrder(c));
        break;
    case Generator::KernelOrder:
        lampOrder(KernelOrder(c));
        break;
    case Generator::ColumnBands:
        bandList(ColumnBands(c, out.lampSequenceTable));
        break;
    case Generator::RowBands:
        bandList(RowBands(c, out.lampSequenceTable));
        break;
    case Generator::RisingBands:
        bandList(DiagonalBands(c, true, out.lampSequenceTable));
        break;
    case Generator::FallingBands:
        bandList(DiagonalBands(c, false, out.lampSequenceTable));
        break;
    case Generator::Rings:
        bandList(Rings(c, out.lampSequenceTable));
        break;
    case Generator::SideToMiddle:
        bandList(SideToMiddleBands(c, out.lampSequenceTable));
        break;
    }
}

} // namespace

CCompiledEffects CompileEffectsOracle(const CEditImgDoc& doc)
{
    CCompiledEffects out;
    const Box box = BoundingBox(doc.lampPositions);
    Grid allLamps;
    PlaceAllLamps(doc.lampPositions, allLamps);

    // WORD expansion into the working list, with (mode number, records made)
    // for every WORD mode.
    std::vector<CModeItem> working;
    std::vector<std::pair<std::size_t, std::size_t>> remap;
    for (std::size_t i = 0; i < doc.modes.size(); ++i) {
        const CModeItem& m = doc.modes[i];
        if (!IsWordType(m.type)) {
            working.push_back(m);
            continue;
        }
        std::vector<CModeItem> made = ExpandWord(m, doc, box, allLamps);
        remap.push_back({i, made.size()});
        for (CModeItem& rec : made)
            working.push_back(std::move(rec));
    }

    out.lampSequenceTable = doc.lampGroups;
    out.bandTable = doc.groupLists;

    // Drops are known up front, so list-control records get their final
    // positions.
    std::vector<std::int32_t> compiledOf(working.size(), -1);
    for (std::size_t w = 0; w < working.size(); ++w) {
        if (!IsCompiled(working[w], doc))
            continue;
        compiledOf[w] = static_cast<std::int32_t>(out.modes.size());
        out.modes.push_back(working[w]);
    }
    Grid grid;
    for (std::size_t i = 0; i < out.modes.size(); ++i)
        CompileRecord(out.modes[i], static_cast<std::int32_t>(i), doc, box, grid, out);

    // Program groups: mode number -> working positions -> compiled records.
    for (std::size_t g = 0; g < out.programGroups.size() && g < doc.programGroups.size(); ++g) {
        for (const CModeItem& entry : doc.programGroups[g]) {
            const std::int32_t m = entry.layer;
            if (m < 0 || static_cast<std::size_t>(m) >= doc.modes.size())
                continue;
            std::int64_t first = m;
            std::int64_t count = 1;
            for (auto [wordPos, made] : remap) {
                if (wordPos < static_cast<std::size_t>(m))
                    first += static_cast<std::int64_t>(made) - 1;
                if (wordPos == static_cast<std::size_t>(m))
                    count = static_cast<std::int64_t>(made);
            }
            for (std::int64_t w = first; w < first + count; ++w) {
                const std::int32_t compiled = compiledOf[static_cast<std::size_t>(w)];
                if (compiled != -1)
                    out.programGroups[g].push_back(out.modes[static_cast<std::size_t>(compiled)]);
            }
        }
    }
    return out;
}

} // namespace lumaro::test
