#include "RandomProjects.h"

#include <algorithm>
#include <random>
#include <set>
#include <utility>

namespace lumaro::test {

const std::vector<std::string>& CatalogueTypeNames()
{
    static const std::vector<std::string> names = {
        "CM_CUSTOMMODE",         "CM_EMPTYMODE",         "CM_REGROUP",           "CM_REGRESS",
        "CM_LEFTTORIGHT_GC",     "CM_LEFTTORIGHT_GOBC",  "CM_LEFTTORIGHT_GF",    "CM_LEFTTORIGHT_CC",
        "CM_LEFTTORIGHT_CF",     "CM_RIGHTTOLEFT_GC",    "CM_RIGHTTOLEFT_GOBC",  "CM_RIGHTTOLEFT_GF",
        "CM_RIGHTTOLEFT_CC",     "CM_RIGHTTOLEFT_CF",    "CM_UPTODOWN_GC",       "CM_UPTODOWN_GOBC",
        "CM_UPTODOWN_GF",        "CM_UPTODOWN_CC",       "CM_UPTODOWN_CF",       "CM_DOWNTOUP_GC",
        "CM_DOWNTOUP_GOBC",      "CM_DOWNTOUP_GF",       "CM_DOWNTOUP_CC",       "CM_DOWNTOUP_CF",
        "CM_LEFTUP_GC",          "CM_LEFTUP_GOBC",       "CM_LEFTUP_GF",         "CM_LEFTUP_CC",
        "CM_LEFTUP_CF",          "CM_RIGHTUP_GC",        "CM_RIGHTUP_GOBC",      "CM_RIGHTUP_GF",
        "CM_RIGHTUP_CC",         "CM_RIGHTUP_CF",        "CM_LEFTDOWN_GC",       "CM_LEFTDOWN_GOBC",
        "CM_LEFTDOWN_GF",        "CM_LEFTDOWN_CC",       "CM_LEFTDOWN_CF",       "CM_RIGHTDOWN_GC",
        "CM_RIGHTDOWN_GOBC",     "CM_RIGHTDOWN_GF",      "CM_RIGHTDOWN_CC",      "CM_RIGHTDOWN_CF",
        "CM_ASIDEFRAME_CC",      "CM_ASIDEFRAME_CF",     "CM_SIDEFRAME_CC",      "CM_SIDEFRAME_CF",
        "CM_BRIGHTTODARK",       "CM_SIDEFRAMEBD",       "CM_KERNELBD",          "CM_LEFTTORIGHT_SCROLL",
        "CM_RIGHTTOLEFT_SCROLL", "CM_UPTODOWN_SCROLL",   "CM_DOWNTOUP_SCROLL",   "CM_LEFTUP_SCROLL",
        "CM_LEFTDOWN_SCROLL",    "CM_RIGHTUP_SCROLL",    "CM_RIGHTDOWN_SCROLL",  "CM_SIDEFRAME_SCROLL",
        "CM_ASIDEFRAME_SCROLL",  "CM_LEFTTORIGHT_WORD",  "CM_RIGHTTOLEFT_WORD",  "CM_UPTODOWN_WORD",
        "CM_DOWNTOUP_WORD",      "CM_EXPANDCIRCULAR_GC", "CM_EXPANDCIRCULAR_GF", "CM_SHRINKCIRCULAR_GC",
        "CM_SHRINKCIRCULAR_GF",  "CM_CIRCULAR_AREA",
    };
    return names;
}

const std::vector<std::string>& CircleInnerTypeNames()
{
    static const std::vector<std::string> names = [] {
        const char* dirs[] = {"LEFTTORIGHT", "RIGHTTOLEFT", "UPTODOWN", "DOWNTOUP",
                              "LEFTUP",      "RIGHTUP",     "LEFTDOWN", "RIGHTDOWN"};
        std::vector<std::string> n;
        auto family = [&](const char* suffix) {
            for (const char* d : dirs)
                n.push_back(std::string("CM_") + d + suffix);
        };
        family("_GC");
        n.push_back("CM_EXPANDCIRCULAR_GC");
        n.push_back("CM_SHRINKCIRCULAR_GC");
        family("_GOBC");
        family("_CC");
        n.push_back("CM_ASIDEFRAME_CC");
        n.push_back("CM_SIDEFRAME_CC");
        family("_GF");
        n.push_back("CM_EXPANDCIRCULAR_GF");
        n.push_back("CM_SHRINKCIRCULAR_GF");
        family("_CF");
        n.push_back("CM_ASIDEFRAME_CF");
        n.push_back("CM_SIDEFRAME_CF");
        n.push_back("CM_BRIGHTTODARK");
        n.push_back("CM_SIDEFRAMEBD");
        n.push_back("CM_KERNELBD");
        for (const char* d : {"LEFTTORIGHT", "RIGHTTOLEFT", "UPTODOWN", "DOWNTOUP", "LEFTUP", "LEFTDOWN",
                              "RIGHTUP", "RIGHTDOWN"})
            n.push_back(std::string("CM_") + d + "_SCROLL");
        n.push_back("CM_SIDEFRAME_SCROLL");
        n.push_back("CM_ASIDEFRAME_SCROLL");
        return n;
    }();
    return names;
}

namespace {

// std::mt19937's output is fixed by the standard, its distributions are not:
// ranges are cut by hand so a seed means the same project everywhere.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_engine(seed) {}

    // Inclusive on both ends; lo <= hi.
    int Between(int lo, int hi)
    {
        const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
        return static_cast<int>(lo + static_cast<std::int64_t>(m_engine() % span));
    }
    bool Percent(int p) { return Between(0, 99) < p; }
    template <class T> const T& Pick(const std::vector<T>& v)
    {
        return v[static_cast<std::size_t>(Between(0, static_cast<int>(v.size()) - 1))];
    }

private:
    std::mt19937 m_engine;
};

struct Bounds {
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool empty = true;
};

Bounds BoundsOf(const std::vector<CLamp>& lamps)
{
    Bounds b;
    for (const CLamp& l : lamps) {
        if (b.empty) {
            b = {l.x, l.x, l.y, l.y, false};
            continue;
        }
        b.minX = std::min(b.minX, l.x);
        b.maxX = std::max(b.maxX, l.x);
        b.minY = std::min(b.minY, l.y);
        b.maxY = std::max(b.maxY, l.y);
    }
    if (b.empty)
        b = {0, 40, 0, 40, true};
    return b;
}

std::vector<CLamp> RandomLamps(Rng& rng)
{
    int target = 0;
    const int kind = rng.Between(0, 99);
    if (kind < 5)
        target = 0;
    else if (kind < 10)
        target = 1;
    else if (kind < 30)
        target = rng.Between(2, 20);
    else
        target = rng.Between(20, 400);

    // Where the lamps cluster: touching row or column 0, reaching 499, or
    // anywhere; sometimes spread over the whole grid.
    int originX = rng.Between(1, 300), originY = rng.Between(1, 300);
    int span = rng.Percent(10) ? 499 : rng.Between(5, 80);
    if (rng.Percent(20))
        originX = 0;
    if (rng.Percent(20))
        originY = 0;
    if (rng.Percent(10))
        originX = 499 - span;
    if (rng.Percent(10))
        originY = 499 - span;
    span = std::min(span, 499 - std::max(originX, originY));

    const bool allowSameCell = rng.Percent(15);
    std::set<std::pair<int, int>> used;
    std::vector<std::pair<int, int>> cells;
    auto add = [&](int x, int y) {
        if (x < 0 || y < 0 || x > 499 || y > 499 || static_cast<int>(cells.size()) >= target)
            return;
        if (!used.insert({x, y}).second && !(allowSameCell && rng.Percent(30)))
            return;
        cells.push_back({x, y});
    };

    int guard = 0;
    while (static_cast<int>(cells.size()) < target && ++guard < 2000) {
        const int x0 = originX + rng.Between(0, span), y0 = originY + rng.Between(0, span);
        switch (rng.Between(0, 5)) {
        case 0:
        case 1: { // a block, sometimes with a hole
            const int w = rng.Between(1, 12), h = rng.Between(1, 12);
            const bool hole = w >= 3 && h >= 3 && rng.Percent(40);
            const int hx = x0 + rng.Between(1, std::max(1, w - 2)),
                      hy = y0 + rng.Between(1, std::max(1, h - 2));
            for (int x = x0; x < x0 + w; ++x)
                for (int y = y0; y < y0 + h; ++y)
                    if (!(hole && x == hx && y == hy))
                        add(x, y);
            break;
        }
        case 2: { // a line, across or down, with gaps
            const bool across = rng.Percent(50);
            const int len = rng.Between(1, 30);
            for (int i = 0; i < len; ++i)
                if (!rng.Percent(10))
                    add(across ? x0 + i : x0, across ? y0 : y0 + i);
            break;
        }
        case 3: { // a diagonal line
            const int len = rng.Between(1, 15);
            const int dy = rng.Percent(50) ? 1 : -1;
            for (int i = 0; i < len; ++i)
                add(x0 + i, y0 + dy * i);
            break;
        }
        case 4: { // a ring outline
            const int w = rng.Between(3, 10), h = rng.Between(3, 10);
            for (int x = x0; x < x0 + w; ++x) {
                add(x, y0);
                add(x, y0 + h - 1);
            }
            for (int y = y0 + 1; y < y0 + h - 1; ++y) {
                add(x0, y);
                add(x0 + w - 1, y);
            }
            break;
        }
        default:
            add(x0, y0);
            break;
        }
    }
    if (!cells.empty() && rng.Percent(15))
        cells.back() = {rng.Percent(50) ? 499 : cells.back().first,
                        rng.Percent(50) ? 499 : cells.back().second};
    if (!cells.empty() && rng.Percent(10))
        cells.back() = {0, 0};
    if (rng.Percent(40)) {
        for (std::size_t i = cells.size(); i > 1; --i)
            std::swap(cells[i - 1], cells[static_cast<std::size_t>(rng.Between(0, static_cast<int>(i) - 1))]);
    }

    std::vector<CLamp> lamps;
    for (auto [x, y] : cells)
        lamps.emplace_back(x, y, static_cast<std::int32_t>(lamps.size()),
                           static_cast<std::int32_t>(kColourRed), 8, 1);
    return lamps;
}

UIntArray RandomNumbers(Rng& rng, int count, int below)
{
    UIntArray a;
    for (int i = 0; i < count; ++i)
        a.push_back(static_cast<std::uint32_t>(rng.Between(0, std::max(0, below - 1))));
    return a;
}

const std::vector<std::string>& OddTypeNames()
{
    static const std::vector<std::string> names = {
        "CM_LEFTUP_WORD", "CM_RIGHTDOWN_WORD", "", "CM_NOTHING", "cm_lefttoright_gc", "CM_LEFTTORIGHT_GC ",
    };
    return names;
}

const std::vector<std::string>& OddInnerNames()
{
    static const std::vector<std::string> names = {
        "CM_EMPTYMODE",       "CM_REGRESS",         "CM_REGROUP", "CM_CIRCULAR_AREA", "CM_LEFTTORIGHT_WORD",
        "CM_MIDDLETOSIDE_GC", "CM_SIDETOMIDDLE_GC", "",           "CM_NOTHING",       "CM_CUSTOMMODE",
    };
    return names;
}

std::string RandomType(Rng& rng)
{
    const int kind = rng.Between(0, 99);
    if (kind < 3)
        return rng.Pick(OddTypeNames());
    if (kind < 7)
        return rng.Percent(50) ? "CM_MIDDLETOSIDE_GC" : "CM_SIDETOMIDDLE_GC";
    if (kind < 12)
        return rng.Percent(50) ? "CM_CIRCULAR_AREA" : "CM_CUSTOMMODE";
    return rng.Pick(CatalogueTypeNames());
}

// A coordinate near [lo, hi]: mostly inside, sometimes just beyond an end.
int Near(Rng& rng, int lo, int hi)
{
    const int k = rng.Between(0, 99);
    if (k < 10)
        return lo - rng.Between(1, 6);
    if (k < 20)
        return hi + rng.Between(1, 6);
    if (k < 30)
        return rng.Percent(50) ? lo : hi;
    return rng.Between(std::min(lo, hi), std::max(lo, hi));
}

void RandomArea(Rng& rng, const Bounds& b, CModeItem& m)
{
    const int k = rng.Between(0, 99);
    if (k < 50) { // the lamps, give or take a few cells
        m.areaLeft = b.minX + rng.Between(-3, 3);
        m.areaRight = b.maxX + rng.Between(-3, 3);
        m.areaTop = b.minY + rng.Between(-3, 3);
        m.areaBottom = b.maxY + rng.Between(-3, 3);
    } else if (k < 70) { // part of them
        m.areaLeft = rng.Between(b.minX, b.maxX);
        m.areaRight = rng.Between(m.areaLeft, b.maxX);
        m.areaTop = rng.Between(b.minY, b.maxY);
        m.areaBottom = rng.Between(m.areaTop, b.maxY);
    } else if (k < 80) { // partly off the grid
        m.areaLeft = rng.Between(-20, b.minX);
        m.areaRight = rng.Between(b.maxX, 530);
        m.areaTop = rng.Between(-20, b.minY);
        m.areaBottom = rng.Between(b.maxY, 530);
    } else if (k < 90) { // empty or inverted
        m.areaLeft = rng.Between(b.minX, b.maxX);
        m.areaRight = m.areaLeft - rng.Between(1, 5);
        m.areaTop = rng.Between(b.minY, b.maxY);
        m.areaBottom = rng.Percent(50) ? m.areaTop - rng.Between(1, 5) : b.maxY;
        if (rng.Percent(50)) {
            std::swap(m.areaLeft, m.areaRight);
            std::swap(m.areaTop, m.areaBottom);
        }
    } else {
        m.areaLeft = rng.Between(0, 499);
        m.areaRight = rng.Between(0, 499);
        m.areaTop = rng.Between(0, 499);
        m.areaBottom = rng.Between(0, 499);
    }
}

void RandomStart(Rng& rng, const Bounds& b, CModeItem& m)
{
    const int k = rng.Between(0, 99);
    if (k < 40) {
        m.startX = Near(rng, m.areaLeft, m.areaRight);
        m.startY = Near(rng, m.areaTop, m.areaBottom);
    } else if (k < 65) {
        m.startX = Near(rng, b.minX, b.maxX);
        m.startY = Near(rng, b.minY, b.maxY);
    } else if (k < 85) {
        m.startX = rng.Percent(50) ? b.minX - rng.Between(1, 20) : b.maxX + rng.Between(1, 20);
        m.startY = rng.Percent(50) ? b.minY - rng.Between(1, 20) : b.maxY + rng.Between(1, 20);
    } else {
        m.startX = rng.Between(-20, 520);
        m.startY = rng.Between(-20, 520);
    }
}

int RandomStep(Rng& rng)
{
    const int k = rng.Between(0, 99);
    if (k < 35)
        return rng.Between(0, 3);
    if (k < 85)
        return rng.Between(0, 12);
    if (k < 95)
        return rng.Between(-3, -1);
    return rng.Between(13, 40);
}

CModeItem RandomMode(Rng& rng, int index, const CEditImgDoc& doc, const Bounds& b,
                     const std::vector<int>& filledLayers, const std::vector<UIntArray>& colourPool)
{
    const int lampCount = static_cast<int>(doc.lampPositions.size());
    CModeItem m;
    m.type = RandomType(rng);
    m.name = "mode " + std::to_string(index);

    const int layerKind = rng.Between(0, 99);
    if (layerKind < 60 || (layerKind < 85 && filledLayers.empty()))
        m.layer = 0;
    else if (layerKind < 85)
        m.layer = rng.Pick(filledLayers);
    else
        m.layer = rng.Between(0, 52);

    if (rng.Percent(30)) {
        m.colours = rng.Pick(colourPool);
    } else {
        const int n = rng.Between(0, 12);
        for (int i = 0; i < n; ++i)
            m.colours.push_back(static_cast<std::uint32_t>(rng.Between(0, 255)));
    }
    m.interval = rng.Between(0, 200);
    m.loop = rng.Between(0, 50);
    m.holdTime = rng.Between(0, 30);
    m.sceneEffect = rng.Percent(80) ? 0 : rng.Between(1, 11);
    RandomArea(rng, b, m);
    RandomStart(rng, b, m);
    m.step = RandomStep(rng);
    m.colourGroupId = rng.Between(-1, 5);
    m.lampOrderIndex = rng.Between(-2, 8);
    m.bandOrderIndex = rng.Between(-2, 8);
    if (rng.Percent(40)) {
        const int n = rng.Between(1, 5);
        for (int i = 0; i < n; ++i)
            m.extraLamps.push_back(static_cast<std::uint32_t>(rng.Between(0, lampCount + 2)));
    }
    if (rng.Percent(30)) {
        m.area2Left = rng.Between(0, 499);
        m.area2Top = rng.Between(0, 499);
        m.area2Right = rng.Between(0, 499);
        m.area2Bottom = rng.Between(0, 499);
    }
    // Circle fields left in a record of another type must be ignored.
    if (rng.Percent(10)) {
        m.circleX = rng.Between(b.minX, b.maxX);
        m.circleY = rng.Between(b.minY, b.maxY);
        m.circleRadius = rng.Between(0, 5);
        m.innerType = rng.Pick(CircleInnerTypeNames());
    }

    const int groups = static_cast<int>(doc.lampGroups.size());
    const int lists = static_cast<int>(doc.groupLists.size());
    if (m.type.size() > 5 && m.type.compare(m.type.size() - 5, 5, "_WORD") == 0) {
        m.wordStep = rng.Between(-2, 5);
        m.wordColourMode = rng.Percent(10) ? 2 : rng.Between(0, 1);
        m.lampOrderIndex =
            rng.Percent(85) ? rng.Between(0, std::max(0, groups - 1)) : rng.Between(-1, groups + 1);
        if (rng.Percent(20))
            m.colours.resize(static_cast<std::size_t>(rng.Between(0, 5)));
    } else if (m.type == "CM_CIRCULAR_AREA") {
        m.innerType = rng.Percent(85) ? rng.Pick(CircleInnerTypeNames()) : rng.Pick(OddInnerNames());
        m.circleX = Near(rng, b.minX, b.maxX);
        m.circleY = Near(rng, b.minY, b.maxY);
        const int r = rng.Between(0, 99);
        m.circleRadius = r < 20 ? 0 : r < 90 ? rng.Between(1, 30) : rng.Between(-4, -1);
    } else if (m.type == "CM_CUSTOMMODE") {
        const int c = rng.Between(0, 99);
        m.layer = c < 80 ? rng.Between(0, 10) : c < 90 ? rng.Between(11, 52) : rng.Between(253, 255);
        m.lampOrderIndex = rng.Percent(75) ? rng.Between(0, groups) : rng.Between(-1, groups + 1);
        m.bandOrderIndex = rng.Percent(75) ? rng.Between(0, lists) : rng.Between(-1, lists + 1);
    }
    return m;
}

} // namespace

CEditImgDoc RandomProject(std::uint32_t seed)
{
    Rng rng(seed * 2654435761u + 12345u);
    CEditImgDoc doc;
    doc.lampPositions = RandomLamps(rng);
    const int lampCount = static_cast<int>(doc.lampPositions.size());

    // The layout may have been edited after the lamps were handed over; the
    // compiler must read only the handed-over positions.
    doc.lamps = doc.lampPositions;
    if (rng.Percent(20)) {
        if (!doc.lamps.empty() && rng.Percent(50))
            doc.lamps.pop_back();
        else
            for (CLamp& l : doc.lamps)
                l.x += 1;
    }

    // Layers: a few filled, with repeats and positions past the list.
    std::vector<int> filledLayers;
    const int filled = rng.Between(0, 5);
    for (int i = 0; i < filled; ++i) {
        const int k = rng.Between(1, 50);
        filledLayers.push_back(k);
        UIntArray& layer = doc.layers[static_cast<std::size_t>(k - 1)];
        layer.clear();
        const int n = rng.Between(0, std::min(lampCount, 60));
        for (int j = 0; j < n; ++j)
            layer.push_back(static_cast<std::uint32_t>(rng.Between(0, std::max(0, lampCount - 1))));
        if (rng.Percent(30))
            layer.push_back(static_cast<std::uint32_t>(lampCount + rng.Between(0, 3)));
        if (rng.Percent(10))
            layer.push_back(0xFFFFFFFFu);
    }
    // Layers 51 and 52 may exist; a mode on them still sees every lamp.
    if (rng.Percent(10))
        doc.layers.resize(52, RandomNumbers(rng, 3, std::max(1, lampCount)));

    // User lists; empty ones often equal a generator's empty result.
    const int groupCount = rng.Between(0, 6);
    for (int i = 0; i < groupCount; ++i) {
        if (rng.Percent(20))
            doc.lampGroups.push_back({});
        else if (!doc.lampGroups.empty() && rng.Percent(15))
            doc.lampGroups.push_back(doc.lampGroups.back());
        else
            doc.lampGroups.push_back(RandomNumbers(rng, rng.Between(1, 15), lampCount + 3));
    }
    const int listCount = rng.Between(0, 5);
    for (int i = 0; i < listCount; ++i)
        doc.groupLists.push_back(rng.Percent(20) ? UIntArray{} : RandomNumbers(rng, rng.Between(1, 6), 20));

    const std::vector<UIntArray> colourPool = {
        {},
        {255, 0, 0},
        {255, 0, 0, 0, 255, 0},
        {1, 2, 3, 4, 5, 6, 7, 8, 9},
    };
    const Bounds bounds = BoundsOf(doc.lampPositions);
    const int modeCount = rng.Between(0, 25);
    for (int i = 0; i < modeCount; ++i)
        doc.modes.push_back(RandomMode(rng, i, doc, bounds, filledLayers, colourPool));

    std::vector<int> wordModes;
    for (int i = 0; i < modeCount; ++i) {
        const std::string& t = doc.modes[static_cast<std::size_t>(i)].type;
        if (t.size() > 5 && t.compare(t.size() - 5, 5, "_WORD") == 0)
            wordModes.push_back(i);
    }
    for (auto& group : doc.programGroups) {
        if (rng.Percent(50))
            continue;
        const int n = rng.Between(1, 5);
        for (int j = 0; j < n; ++j) {
            int m = 0;
            const int k = rng.Between(0, 99);
            if (k < 60 && modeCount > 0)
                m = rng.Between(0, modeCount - 1);
            else if (k < 75 && !wordModes.empty())
                m = rng.Pick(wordModes);
            else if (k < 85 && !group.empty())
                m = group.back().layer;
            else if (k < 95)
                m = modeCount + rng.Between(0, 3);
            else
                m = -rng.Between(1, 3);
            CModeItem entry =
                (m >= 0 && m < modeCount) ? doc.modes[static_cast<std::size_t>(m)] : CModeItem{};
            // A stale copy: the compiled entry must come from the mode list.
            if (rng.Percent(30)) {
                entry.name += " (old)";
                entry.areaLeft += 1;
                entry.colours.push_back(7);
            }
            entry.layer = m;
            group.push_back(std::move(entry));
        }
    }
    return doc;
}

} // namespace lumaro::test
