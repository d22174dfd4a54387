#include "EffectOracle.h"
#include "RandomProjects.h"
#include "core/effects/EffectCompiler.h"
#include "core/effects/ModeCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace lumaro;
using namespace lumaro::test;

namespace {

// ---------------------------------------------------------------------------
// Readable differences between two compilations.

template <class T> std::string Show(const T& v)
{
    return std::to_string(v);
}

std::string Show(const std::string& s)
{
    return "\"" + s + "\"";
}

std::string Show(const UIntArray& a)
{
    std::ostringstream out;
    out << "{";
    for (std::size_t i = 0; i < a.size() && i < 40; ++i)
        out << (i ? ", " : "") << a[i];
    if (a.size() > 40)
        out << ", ... (" << a.size() << " values)";
    out << "}";
    return out.str();
}

// The first field in which two records differ, or "" when they are equal.
std::string FieldDifference(const CModeItem& want, const CModeItem& got)
{
    std::ostringstream out;
    bool found = false;
    auto check = [&](const char* field, const auto& a, const auto& b) {
        if (found || a == b)
            return;
        found = true;
        out << field << ": oracle " << Show(a) << ", compiler " << Show(b);
    };
    check("type", want.type, got.type);
    check("name", want.name, got.name);
    check("layer (class code)", want.layer, got.layer);
    check("colours", want.colours, got.colours);
    check("interval", want.interval, got.interval);
    check("areaLeft", want.areaLeft, got.areaLeft);
    check("areaTop", want.areaTop, got.areaTop);
    check("areaRight", want.areaRight, got.areaRight);
    check("areaBottom", want.areaBottom, got.areaBottom);
    check("loop", want.loop, got.loop);
    check("holdTime", want.holdTime, got.holdTime);
    check("sceneEffect", want.sceneEffect, got.sceneEffect);
    check("startX", want.startX, got.startX);
    check("startY", want.startY, got.startY);
    check("step", want.step, got.step);
    check("colourGroupId", want.colourGroupId, got.colourGroupId);
    check("lampOrderIndex", want.lampOrderIndex, got.lampOrderIndex);
    check("bandOrderIndex", want.bandOrderIndex, got.bandOrderIndex);
    check("wordStep", want.wordStep, got.wordStep);
    check("wordColourMode", want.wordColourMode, got.wordColourMode);
    check("extraLamps", want.extraLamps, got.extraLamps);
    check("area2Left", want.area2Left, got.area2Left);
    check("area2Top", want.area2Top, got.area2Top);
    check("area2Right", want.area2Right, got.area2Right);
    check("area2Bottom", want.area2Bottom, got.area2Bottom);
    check("circleX", want.circleX, got.circleX);
    check("circleY", want.circleY, got.circleY);
    check("circleRadius", want.circleRadius, got.circleRadius);
    check("innerType", want.innerType, got.innerType);
    return out.str();
}

std::string Describe(const CModeItem& m)
{
    std::string s = m.type;
    if (m.type == "CM_CIRCULAR_AREA")
        s += " [" + m.innerType + "]";
    return s + " " + Show(m.name);
}

// The compiled records (of want) that point at table entry k.
std::string UsersOf(const CCompiledEffects& want, const char* table, std::size_t k)
{
    std::ostringstream out;
    for (std::size_t i = 0; i < want.modes.size(); ++i) {
        const CModeItem& m = want.modes[i];
        bool uses = false;
        if (std::string(table) == "colour table")
            uses = m.colourGroupId == static_cast<std::int32_t>(k);
        else if (std::string(table) == "band table")
            uses = m.bandOrderIndex == static_cast<std::int32_t>(k);
        else {
            uses = m.lampOrderIndex == static_cast<std::int32_t>(k);
            if (m.bandOrderIndex >= 0 && static_cast<std::size_t>(m.bandOrderIndex) < want.bandTable.size()) {
                const UIntArray& bands = want.bandTable[static_cast<std::size_t>(m.bandOrderIndex)];
                uses = uses || std::find(bands.begin(), bands.end(), k) != bands.end();
            }
        }
        if (uses)
            out << " record " << i << " (" << Describe(m) << ")";
    }
    const std::string s = out.str();
    return s.empty() ? "" : "; used by" + s;
}

std::string TableDifference(const char* table, const CCompiledEffects& want, const std::vector<UIntArray>& a,
                            const std::vector<UIntArray>& b)
{
    for (std::size_t k = 0; k < a.size() && k < b.size(); ++k)
        if (a[k] != b[k])
            return std::string(table) + " entry " + std::to_string(k) + ": oracle " + Show(a[k]) +
                   ", compiler " + Show(b[k]) + UsersOf(want, table, k);
    if (a.size() != b.size()) {
        const std::size_t k = std::min(a.size(), b.size());
        const auto& longer = a.size() > b.size() ? a : b;
        return std::string(table) + " size: oracle " + std::to_string(a.size()) + ", compiler " +
               std::to_string(b.size()) + "; first extra entry " + std::to_string(k) + " " + Show(longer[k]) +
               (a.size() > b.size() ? UsersOf(want, table, k) : "");
    }
    return "";
}

// The first difference between the oracle's result and the compiler's, in
// the order a reader would look for it; "" when they agree.
std::string FirstDifference(const CCompiledEffects& want, const CCompiledEffects& got)
{
    for (std::size_t i = 0; i < want.modes.size() && i < got.modes.size(); ++i) {
        const std::string d = FieldDifference(want.modes[i], got.modes[i]);
        if (!d.empty())
            return "compiled record " + std::to_string(i) + " (" + Describe(want.modes[i]) + "): " + d;
    }
    if (want.modes.size() != got.modes.size()) {
        const std::size_t k = std::min(want.modes.size(), got.modes.size());
        const auto& longer = want.modes.size() > got.modes.size() ? want.modes : got.modes;
        return "compiled record count: oracle " + std::to_string(want.modes.size()) + ", compiler " +
               std::to_string(got.modes.size()) + "; first extra record " + std::to_string(k) + " (" +
               Describe(longer[k]) + ")";
    }
    for (const auto& [table, a, b] :
         {std::tuple{"colour table", &want.colourTable, &got.colourTable},
          std::tuple{"lamp-sequence table", &want.lampSequenceTable, &got.lampSequenceTable},
          std::tuple{"band table", &want.bandTable, &got.bandTable}}) {
        const std::string d = TableDifference(table, want, *a, *b);
        if (!d.empty())
            return d;
    }
    for (std::size_t g = 0; g < want.programGroups.size(); ++g) {
        const auto& a = want.programGroups[g];
        const auto& b = got.programGroups[g];
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            const std::string d = FieldDifference(a[i], b[i]);
            if (!d.empty())
                return "program group " + std::to_string(g) + " entry " + std::to_string(i) + " (" +
                       Describe(a[i]) + "): " + d;
        }
        if (a.size() != b.size())
            return "program group " + std::to_string(g) + " size: oracle " + std::to_string(a.size()) +
                   ", compiler " + std::to_string(b.size());
    }
    return "";
}

std::string Summary(const CEditImgDoc& doc)
{
    std::size_t groupEntries = 0;
    for (const auto& g : doc.programGroups)
        groupEntries += g.size();
    return std::to_string(doc.lampPositions.size()) + " lamps, " + std::to_string(doc.modes.size()) +
           " modes, " + std::to_string(groupEntries) + " program-group entries";
}

// ---------------------------------------------------------------------------
// Randomized comparison.

TEST(EffectCompilerComparison, AgreesWithTheOracleOnRandomProjects)
{
    constexpr std::uint32_t kSeeds = 300;
    int failures = 0;
    for (std::uint32_t seed = 1; seed <= kSeeds && failures < 5; ++seed) {
        const CEditImgDoc doc = RandomProject(seed);
        const CCompiledEffects want = CompileEffectsOracle(doc);
        const CCompiledEffects got = CompileEffects(doc);
        if (want == got)
            continue;
        ++failures;
        ADD_FAILURE() << "RandomProject(" << seed << ") [" << Summary(doc)
                      << "]: " << FirstDifference(want, got);
    }
}

// Random projects number every lamp once; a file may give two cells the
// same number, which every order must still take once.
TEST(EffectCompilerComparison, AgreesWithTheOracleWhenANumberStandsOnTwoCells)
{
    CEditImgDoc doc;
    for (int x = 0; x < 7; ++x)
        for (int y = 0; y < 6; ++y)
            doc.lampPositions.emplace_back(20 + x, 30 + y, (x * 6 + y) % 17,
                                           static_cast<std::int32_t>(kColourRed), 8, 1);
    for (std::string_view type : CatalogueTypes()) {
        if (type == "CM_CUSTOMMODE" || OrderKindOf(type) == OrderKind::None)
            continue;
        for (int step : {1, 3}) {
            CModeItem m;
            m.type = std::string(type);
            m.areaRight = m.areaBottom = 499;
            m.step = step;
            m.startX = 23;
            m.startY = 32;
            m.colours = {255, 0, 0};
            doc.modes.push_back(m);
        }
    }
    EXPECT_EQ(FirstDifference(CompileEffectsOracle(doc), CompileEffects(doc)), "");
}

TEST(EffectCompilerComparison, DifferenceReportNamesTheFirstDifferingPlace)
{
    const CEditImgDoc doc = RandomProject(3);
    const CCompiledEffects want = CompileEffectsOracle(doc);
    EXPECT_EQ(FirstDifference(want, want), "");

    CCompiledEffects got = want;
    got.lampSequenceTable.push_back({1, 2});
    EXPECT_NE(FirstDifference(want, got).find("lamp-sequence table size"), std::string::npos);

    CModeItem extra;
    extra.type = "CM_KERNELBD";
    got = want;
    got.modes.push_back(extra);
    got.modes.back().step = 1;
    EXPECT_NE(FirstDifference(want, got).find("compiled record count"), std::string::npos);

    got = want;
    got.programGroups[31].push_back(extra);
    EXPECT_NE(FirstDifference(want, got).find("program group 31 size"), std::string::npos);
}

TEST(RandomProjects, SameSeedGivesTheSameProject)
{
    EXPECT_TRUE(RandomProject(17).SameStoredData(RandomProject(17)));
    EXPECT_FALSE(RandomProject(17).SameStoredData(RandomProject(18)));
}

// The comparison is only as good as the projects it runs on.
TEST(RandomProjects, CoverTheAwkwardCases)
{
    std::set<std::string> types;
    std::set<std::string> inner;
    int noLamps = 0, oneLamp = 0, atZero = 0, at499 = 0, sameCell = 0, wordInGroup = 0, missingInGroup = 0;
    int badStep = 0, offGrid = 0, inverted = 0, layered = 0, radiusZero = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const CEditImgDoc doc = RandomProject(seed);
        const auto& lamps = doc.lampPositions;
        noLamps += lamps.empty();
        oneLamp += lamps.size() == 1;
        std::set<std::pair<int, int>> cells;
        bool zero = false, edge = false, same = false;
        for (std::size_t i = 0; i < lamps.size(); ++i) {
            ASSERT_EQ(lamps[i].number, static_cast<std::int32_t>(i));
            zero = zero || lamps[i].x == 0 || lamps[i].y == 0;
            edge = edge || lamps[i].x == 499 || lamps[i].y == 499;
            same = same || !cells.insert({lamps[i].x, lamps[i].y}).second;
        }
        atZero += zero;
        at499 += edge;
        sameCell += same;
        for (const CModeItem& m : doc.modes) {
            types.insert(m.type);
            if (m.type == "CM_CIRCULAR_AREA") {
                inner.insert(m.innerType);
                radiusZero += m.circleRadius == 0;
            }
            badStep += m.step <= 0;
            offGrid += m.areaLeft < 0 || m.areaRight > 499;
            inverted += m.areaLeft > m.areaRight || m.areaTop > m.areaBottom;
            layered += m.layer > 0 && m.layer <= 50;
        }
        for (const auto& g : doc.programGroups)
            for (const CModeItem& e : g) {
                if (e.layer < 0 || static_cast<std::size_t>(e.layer) >= doc.modes.size())
                    ++missingInGroup;
                else if (doc.modes[static_cast<std::size_t>(e.layer)].type.find("_WORD") != std::string::npos)
                    ++wordInGroup;
            }
    }
    for (const std::string& t : CatalogueTypeNames())
        EXPECT_TRUE(types.count(t)) << t;
    EXPECT_TRUE(types.count("CM_MIDDLETOSIDE_GC"));
    EXPECT_TRUE(types.count("CM_SIDETOMIDDLE_GC"));
    EXPECT_GE(inner.size(), 50u);
    for (int count : {noLamps, oneLamp, atZero, at499, sameCell, wordInGroup, missingInGroup, badStep,
                      offGrid, inverted, layered, radiusZero})
        EXPECT_GE(count, 3);
}

// ---------------------------------------------------------------------------
// Hand-checked cases, run against both the oracle and the compiler.

using Compiler = CCompiledEffects (*)(const CEditImgDoc&);

struct NamedCompiler {
    const char* name;
    Compiler compile;
};

const NamedCompiler kOracle{"Oracle", [](const CEditImgDoc& d) { return CompileEffectsOracle(d); }};
const NamedCompiler kCompiler{"Compiler", [](const CEditImgDoc& d) { return CompileEffects(d); }};

// Lamps numbered in list order.
CEditImgDoc DocWithLamps(const std::vector<std::pair<int, int>>& cells)
{
    CEditImgDoc doc;
    for (auto [x, y] : cells)
        doc.lampPositions.emplace_back(x, y, static_cast<std::int32_t>(doc.lampPositions.size()),
                                       static_cast<std::int32_t>(kColourRed), 8, 1);
    doc.lamps = doc.lampPositions;
    return doc;
}

// A 3 x 3 block at columns and rows 10..12, numbered row by row:
//   0 1 2
//   3 4 5
//   6 7 8
CEditImgDoc BlockDoc()
{
    std::vector<std::pair<int, int>> cells;
    for (int y = 10; y <= 12; ++y)
        for (int x = 10; x <= 12; ++x)
            cells.push_back({x, y});
    return DocWithLamps(cells);
}

// A mode over the whole grid.
CModeItem Mode(const std::string& type)
{
    CModeItem m;
    m.type = type;
    m.name = type;
    m.areaLeft = 0;
    m.areaTop = 0;
    m.areaRight = 499;
    m.areaBottom = 499;
    m.colours = {255, 0, 0};
    return m;
}

CModeItem Mode(const std::string& type, int left, int top, int right, int bottom)
{
    CModeItem m = Mode(type);
    m.areaLeft = left;
    m.areaTop = top;
    m.areaRight = right;
    m.areaBottom = bottom;
    return m;
}

class EffectCompilerCases : public ::testing::TestWithParam<NamedCompiler> {
protected:
    CCompiledEffects Compile(const CEditImgDoc& doc) const { return GetParam().compile(doc); }

    // The lamp order of compiled record i.
    static UIntArray Order(const CCompiledEffects& c, std::size_t i)
    {
        const auto k = static_cast<std::size_t>(c.modes.at(i).lampOrderIndex);
        return c.lampSequenceTable.at(k);
    }

    // The bands of compiled record i, each resolved to its lamps.
    static std::vector<UIntArray> Bands(const CCompiledEffects& c, std::size_t i)
    {
        std::vector<UIntArray> out;
        for (std::uint32_t k : c.bandTable.at(static_cast<std::size_t>(c.modes.at(i).bandOrderIndex)))
            out.push_back(c.lampSequenceTable.at(k));
        return out;
    }

    using LampSets = std::vector<UIntArray>;
};

INSTANTIATE_TEST_SUITE_P(Both, EffectCompilerCases, ::testing::Values(kOracle, kCompiler),
                         [](const auto& p) { return std::string(p.param.name); });

// --- column and row bands

TEST_P(EffectCompilerCases, ColumnBandsStartAtTheLeftWhenStartIsLeftOfTheLamps)
{
    CEditImgDoc doc = DocWithLamps({{3, 4}, {5, 4}, {7, 4}});
    CModeItem m = Mode("CM_LEFTTORIGHT_GC");
    m.step = 2;
    m.startX = 0;
    doc.modes = {m};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 1u);
    EXPECT_EQ(c.modes[0].layer, 2);
    EXPECT_EQ(Bands(c, 0), (LampSets{{0}, {1}, {2}}));
}

TEST_P(EffectCompilerCases, ColumnBandsWrapRoundAtTheStartColumn)
{
    CEditImgDoc doc = DocWithLamps({{3, 4}, {5, 4}, {7, 4}});
    CModeItem m = Mode("CM_LEFTTORIGHT_GC");
    m.step = 2;
    m.startX = 5;
    doc.modes = {m};
    // Windows [5..6], [7..8], then [3..4].
    EXPECT_EQ(Bands(Compile(doc), 0), (LampSets{{1}, {2}, {0}}));
}

TEST_P(EffectCompilerCases, ColumnBandWindowsBeforeTheStartAreCutAtIt)
{
    CEditImgDoc doc = DocWithLamps({{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}, {8, 4}});
    CModeItem m = Mode("CM_RIGHTTOLEFT_GOBC");
    m.step = 2;
    m.startX = 6;
    doc.modes = {m};
    // Windows [6..7], [8..9], [3..4], then [5..5] cut at the start column.
    const auto c = Compile(doc);
    EXPECT_EQ(c.modes[0].layer, 4);
    EXPECT_EQ(Bands(c, 0), (LampSets{{3, 4}, {5}, {0, 1}, {2}}));
}

TEST_P(EffectCompilerCases, BandStepZeroOrNegativeCountsAsOne)
{
    CEditImgDoc doc = DocWithLamps({{3, 4}, {4, 4}, {4, 6}});
    for (int step : {0, -2}) {
        CModeItem m = Mode("CM_LEFTTORIGHT_GF");
        m.step = step;
        doc.modes = {m};
        EXPECT_EQ(Bands(Compile(doc), 0), (LampSets{{0}, {1, 2}})) << "step " << step;
    }
}

TEST_P(EffectCompilerCases, ColumnBandsTakeSupplementaryLampsAndSkipEmptyWindows)
{
    // Column 5 is empty; lamp 2 lies below the area but is supplementary.
    CEditImgDoc doc = DocWithLamps({{3, 4}, {4, 4}, {6, 4}, {6, 9}});
    CModeItem m = Mode("CM_LEFTTORIGHT_SCROLL", 0, 0, 499, 8);
    m.extraLamps = {3};
    doc.modes = {m};
    EXPECT_EQ(Bands(Compile(doc), 0), (LampSets{{0}, {1}, {2, 3}}));
}

TEST_P(EffectCompilerCases, RowBandsWrapOnlyWhenStartLiesInsideTheAreaRows)
{
    CEditImgDoc doc = DocWithLamps({{2, 1}, {2, 2}, {2, 3}, {2, 4}});
    CModeItem m = Mode("CM_UPTODOWN_GC", 0, 1, 499, 4);
    m.step = 1;
    m.startY = 3;
    CModeItem atTop = m;
    atTop.startY = 1; // equal to areaTop: no wrap
    doc.modes = {m, atTop};
    const auto c = Compile(doc);
    EXPECT_EQ(Bands(c, 0), (LampSets{{2}, {3}, {0}, {1}}));
    EXPECT_EQ(Bands(c, 1), (LampSets{{0}, {1}, {2}, {3}}));
}

// --- lamp orders

TEST_P(EffectCompilerCases, RowOrderWithStartOutsideTheAreaRowsBeginsAtTheTop)
{
    // A column of lamps at rows 1..6; the area holds rows 1..4.
    CEditImgDoc doc = DocWithLamps({{2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}});
    CModeItem outside = Mode("CM_UPTODOWN_CC", 0, 1, 499, 4);
    outside.startY = 5; // inside the bounding box, outside the area rows
    CModeItem inside = outside;
    inside.startY = 3;
    doc.modes = {outside, inside};
    const auto c = Compile(doc);
    EXPECT_EQ(c.modes[0].layer, 6);
    EXPECT_EQ(Order(c, 0), (UIntArray{0, 1, 2, 3}));
    EXPECT_EQ(Order(c, 1), (UIntArray{2, 3, 0, 1}));
}

TEST_P(EffectCompilerCases, SupplementaryLampTakesThePlaceOfItsColumn)
{
    // Lamp 1 lies below the area rows.
    CEditImgDoc doc = DocWithLamps({{1, 1}, {2, 2}, {3, 1}});
    CModeItem plain = Mode("CM_LEFTTORIGHT_CC", 0, 1, 499, 1);
    CModeItem extra = plain;
    extra.extraLamps = {1};
    CModeItem wrapped = extra;
    wrapped.startX = 2;
    doc.modes = {plain, extra, wrapped};
    const auto c = Compile(doc);
    EXPECT_EQ(Order(c, 0), (UIntArray{0, 2}));
    EXPECT_EQ(Order(c, 1), (UIntArray{0, 1, 2}));
    EXPECT_EQ(Order(c, 2), (UIntArray{1, 2, 0}));
}

TEST_P(EffectCompilerCases, BrightToDarkIsOrderedLikeLeftToRightButKeepsItsColourGroup)
{
    CEditImgDoc doc = BlockDoc();
    CModeItem cc = Mode("CM_LEFTTORIGHT_CC");
    cc.startX = 11;
    cc.colourGroupId = 17;
    CModeItem bd = cc;
    bd.type = "CM_BRIGHTTODARK";
    doc.modes = {cc, bd};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2u);
    EXPECT_EQ(c.modes[0].layer, 6);
    EXPECT_EQ(c.modes[1].layer, 0);
    EXPECT_EQ(c.modes[0].lampOrderIndex, c.modes[1].lampOrderIndex);
    EXPECT_EQ(Order(c, 1), (UIntArray{1, 4, 7, 2, 5, 8, 0, 3, 6}));
    EXPECT_EQ(c.modes[0].colourGroupId, 0);
    EXPECT_EQ(c.modes[1].colourGroupId, 17);
    EXPECT_EQ(c.colourTable, (std::vector<UIntArray>{{255, 0, 0}}));
}

TEST_P(EffectCompilerCases, DiagonalLampOrdersFollowRisingAndFallingLines)
{
    // 0 1
    // 2 3   at columns 1..2, rows 1..2
    CEditImgDoc doc = DocWithLamps({{1, 1}, {2, 1}, {1, 2}, {2, 2}});
    CModeItem rising = Mode("CM_LEFTDOWN_CC");
    rising.startX = 1;
    rising.startY = 1;
    rising.step = 3;
    CModeItem risingShort = rising;
    risingShort.step = 2;
    CModeItem falling = Mode("CM_RIGHTDOWN_CF");
    falling.startX = 1;
    falling.startY = 2;
    falling.step = 3;
    CModeItem none = rising;
    none.step = 0;
    doc.modes = {rising, risingShort, falling, none};
    const auto c = Compile(doc);
    EXPECT_EQ(c.modes[0].layer, 5);
    EXPECT_EQ(c.modes[2].layer, 9);
    EXPECT_EQ(Order(c, 0), (UIntArray{0, 1, 2, 3}));
    EXPECT_EQ(Order(c, 1), (UIntArray{0, 1, 2}));
    EXPECT_EQ(Order(c, 2), (UIntArray{2, 3, 0, 1}));
    EXPECT_EQ(Order(c, 3), UIntArray{});
}

// --- frame and kernel

TEST_P(EffectCompilerCases, SingleLampFrameIsThatLampAndKernelIsEmpty)
{
    CEditImgDoc doc = DocWithLamps({{7, 9}});
    doc.modes = {Mode("CM_SIDEFRAME_CC"), Mode("CM_KERNELBD")};
    const auto c = Compile(doc);
    EXPECT_EQ(Order(c, 0), (UIntArray{0}));
    EXPECT_EQ(Order(c, 1), UIntArray{});
}

TEST_P(EffectCompilerCases, BlockFrameRunsDownTheLeftSideFirstAndKernelIsTheCentre)
{
    CEditImgDoc doc = BlockDoc();
    doc.modes = {Mode("CM_ASIDEFRAME_CF"), Mode("CM_KERNELBD"), Mode("CM_SIDEFRAMEBD")};
    const auto c = Compile(doc);
    EXPECT_EQ(Order(c, 0), (UIntArray{0, 3, 6, 7, 8, 5, 2, 1}));
    EXPECT_EQ(Order(c, 1), (UIntArray{4}));
    EXPECT_EQ(c.modes[2].lampOrderIndex, c.modes[0].lampOrderIndex);
}

TEST_P(EffectCompilerCases, FrameTraceFollowsItsOutlineOutOfTheArea)
{
    // The area holds only the block's right column; the trace starting there
    // still walks the whole outline.
    CEditImgDoc doc = BlockDoc();
    doc.modes = {Mode("CM_SIDEFRAME_CF", 12, 0, 499, 499), Mode("CM_KERNELBD", 12, 0, 499, 499)};
    const auto c = Compile(doc);
    const UIntArray frame = Order(c, 0);
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(frame[0], 2u);
    EXPECT_EQ(std::set<std::uint32_t>(frame.begin(), frame.end()),
              (std::set<std::uint32_t>{0, 1, 2, 3, 5, 6, 7, 8}));
    EXPECT_EQ(Order(c, 1), UIntArray{});
}

// --- rings

TEST_P(EffectCompilerCases, ExpandCircularWithStartOutsideTheAreaCentresOnTheLeftmostLamp)
{
    // Lamp 0 is the top lamp of the leftmost column; lamp 4 is at distance
    // sqrt(18), in ring 5, so rings 3 and 4 are empty. Within a ring lamps
    // come in scan order: lamp 1 (column 5) before lamp 3 (column 7).
    CEditImgDoc doc = DocWithLamps({{5, 5}, {5, 7}, {6, 5}, {7, 5}, {8, 8}});
    CModeItem m = Mode("CM_EXPANDCIRCULAR_GC", 0, 0, 20, 20);
    m.startX = 30;
    m.startY = 30;
    m.step = 1;
    CModeItem wide = m;
    wide.step = 2;
    CModeItem shrink = m;
    shrink.type = "CM_SHRINKCIRCULAR_GC";
    doc.modes = {m, wide, shrink};
    const auto c = Compile(doc);
    EXPECT_EQ(Bands(c, 0), (LampSets{{0}, {2}, {1, 3}, {4}}));
    EXPECT_EQ(Bands(c, 1), (LampSets{{0, 2}, {1, 3}, {4}}));
    EXPECT_EQ(c.modes[0].layer, 2);
    EXPECT_EQ(c.modes[2].layer, 1);
    EXPECT_EQ(c.modes[2].bandOrderIndex, c.modes[0].bandOrderIndex);
}

TEST_P(EffectCompilerCases, RingsAroundAStartPointInsideTheArea)
{
    CEditImgDoc doc = BlockDoc();
    CModeItem m = Mode("CM_EXPANDCIRCULAR_GF", 0, 0, 20, 20);
    m.startX = 11;
    m.startY = 11;
    m.step = 1;
    doc.modes = {m};
    // Ring 1 adds the edge middles, ring 2 the corners, each in scan order.
    EXPECT_EQ(Bands(Compile(doc), 0), (LampSets{{4}, {3, 1, 7, 5}, {0, 6, 2, 8}}));
}

// --- circular area

TEST_P(EffectCompilerCases, CircularAreaWithRadiusZeroKeepsOnlyTheCentreLamp)
{
    CEditImgDoc doc = BlockDoc();
    CModeItem m = Mode("CM_CIRCULAR_AREA");
    m.innerType = "CM_LEFTTORIGHT_CC";
    m.circleX = 11;
    m.circleY = 11;
    m.circleRadius = 0;
    CModeItem one = m;
    one.circleRadius = 1;
    doc.modes = {m, one};
    const auto c = Compile(doc);
    EXPECT_EQ(c.modes[0].type, "CM_CIRCULAR_AREA");
    EXPECT_EQ(c.modes[0].layer, 6);
    EXPECT_EQ(Order(c, 0), (UIntArray{4}));
    EXPECT_EQ(Order(c, 1), (UIntArray{3, 1, 4, 7, 5}));
}

TEST_P(EffectCompilerCases, CircularAreaTakesTheClassCodeOfItsInnerMode)
{
    CEditImgDoc doc = BlockDoc();
    CModeItem kernel = Mode("CM_CIRCULAR_AREA");
    kernel.innerType = "CM_KERNELBD";
    kernel.circleX = 11;
    kernel.circleY = 11;
    kernel.circleRadius = 5;
    kernel.colourGroupId = 9;
    CModeItem scroll = kernel;
    scroll.innerType = "CM_RIGHTUP_SCROLL";
    doc.modes = {kernel, scroll};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2u);
    EXPECT_EQ(c.modes[0].layer, 0);
    EXPECT_EQ(c.modes[0].colourGroupId, 9);
    EXPECT_EQ(Order(c, 0), (UIntArray{4}));
    EXPECT_EQ(c.modes[1].layer, 1);
    EXPECT_EQ(c.modes[1].colourGroupId, 0);
}

TEST_P(EffectCompilerCases, CircularAreaWithoutARunnableInnerModeIsDropped)
{
    CEditImgDoc doc = BlockDoc();
    doc.modes.push_back(Mode("CM_KERNELBD"));
    for (const char* inner : {"CM_CIRCULAR_AREA", "CM_LEFTTORIGHT_WORD", ""}) {
        CModeItem m = Mode("CM_CIRCULAR_AREA");
        m.innerType = inner;
        m.circleRadius = 5;
        doc.modes.push_back(m);
    }
    doc.modes.push_back(Mode("CM_EMPTYMODE"));
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2u);
    EXPECT_EQ(c.modes[1].type, "CM_EMPTYMODE");
    EXPECT_EQ(c.modes[1].loop, 1);
}

// --- class codes

TEST_P(EffectCompilerCases, EveryNameGetsTheClassCodeOfItsCatalogueRow)
{
    const std::vector<std::pair<const char*, int>> codes = {
        {"CM_EMPTYMODE", 254},        {"CM_REGROUP", 253},         {"CM_REGRESS", 255},
        {"CM_LEFTTORIGHT_GC", 2},     {"CM_LEFTTORIGHT_GOBC", 3},  {"CM_LEFTTORIGHT_GF", 7},
        {"CM_LEFTTORIGHT_CC", 6},     {"CM_LEFTTORIGHT_CF", 9},    {"CM_RIGHTTOLEFT_GC", 1},
        {"CM_RIGHTTOLEFT_GOBC", 4},   {"CM_RIGHTTOLEFT_GF", 8},    {"CM_RIGHTTOLEFT_CC", 5},
        {"CM_RIGHTTOLEFT_CF", 10},    {"CM_UPTODOWN_GC", 2},       {"CM_UPTODOWN_GOBC", 3},
        {"CM_UPTODOWN_GF", 7},        {"CM_UPTODOWN_CC", 6},       {"CM_UPTODOWN_CF", 9},
        {"CM_DOWNTOUP_GC", 1},        {"CM_DOWNTOUP_GOBC", 4},     {"CM_DOWNTOUP_GF", 8},
        {"CM_DOWNTOUP_CC", 5},        {"CM_DOWNTOUP_CF", 10},      {"CM_LEFTUP_GC", 2},
        {"CM_LEFTUP_GOBC", 3},        {"CM_LEFTUP_GF", 7},         {"CM_LEFTUP_CC", 5},
        {"CM_LEFTUP_CF", 10},         {"CM_RIGHTUP_GC", 1},        {"CM_RIGHTUP_GOBC", 4},
        {"CM_RIGHTUP_GF", 8},         {"CM_RIGHTUP_CC", 6},        {"CM_RIGHTUP_CF", 9},
        {"CM_LEFTDOWN_GC", 2},        {"CM_LEFTDOWN_GOBC", 3},     {"CM_LEFTDOWN_GF", 7},
        {"CM_LEFTDOWN_CC", 5},        {"CM_LEFTDOWN_CF", 10},      {"CM_RIGHTDOWN_GC", 1},
        {"CM_RIGHTDOWN_GOBC", 4},     {"CM_RIGHTDOWN_GF", 8},      {"CM_RIGHTDOWN_CC", 6},
        {"CM_RIGHTDOWN_CF", 9},       {"CM_ASIDEFRAME_CC", 6},     {"CM_ASIDEFRAME_CF", 9},
        {"CM_SIDEFRAME_CC", 5},       {"CM_SIDEFRAME_CF", 10},     {"CM_BRIGHTTODARK", 0},
        {"CM_SIDEFRAMEBD", 0},        {"CM_KERNELBD", 0},          {"CM_LEFTTORIGHT_SCROLL", 2},
        {"CM_RIGHTTOLEFT_SCROLL", 1}, {"CM_UPTODOWN_SCROLL", 2},   {"CM_DOWNTOUP_SCROLL", 1},
        {"CM_LEFTUP_SCROLL", 2},      {"CM_LEFTDOWN_SCROLL", 2},   {"CM_RIGHTUP_SCROLL", 1},
        {"CM_RIGHTDOWN_SCROLL", 1},   {"CM_SIDEFRAME_SCROLL", 5},  {"CM_ASIDEFRAME_SCROLL", 6},
        {"CM_EXPANDCIRCULAR_GC", 2},  {"CM_EXPANDCIRCULAR_GF", 7}, {"CM_SHRINKCIRCULAR_GC", 1},
        {"CM_SHRINKCIRCULAR_GF", 8},  {"CM_MIDDLETOSIDE_GC", 2},   {"CM_SIDETOMIDDLE_GC", 1},
    };
    CEditImgDoc doc = BlockDoc();
    for (const auto& [type, code] : codes) {
        doc.modes.push_back(Mode(type));
        CModeItem circle = Mode("CM_CIRCULAR_AREA");
        circle.innerType = type;
        circle.circleRadius = 3;
        doc.modes.push_back(circle);
    }
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2 * codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(c.modes[2 * i].type, codes[i].first);
        EXPECT_EQ(c.modes[2 * i].layer, codes[i].second) << codes[i].first;
        EXPECT_EQ(c.modes[2 * i + 1].layer, codes[i].second) << "circle of " << codes[i].first;
    }
}

TEST_P(EffectCompilerCases, ScrollAndGcOfOneDirectionShareCodeAndBandList)
{
    CEditImgDoc doc = BlockDoc();
    doc.lampPositions.emplace_back(14, 11, 9, static_cast<std::int32_t>(kColourRed), 8, 1);
    const char* dirs[] = {"LEFTTORIGHT", "RIGHTTOLEFT", "UPTODOWN", "DOWNTOUP",
                          "LEFTUP",      "RIGHTUP",     "LEFTDOWN", "RIGHTDOWN"};
    for (const char* d : dirs) {
        CModeItem gc = Mode(std::string("CM_") + d + "_GC");
        gc.step = 2;
        gc.startX = 11;
        gc.startY = 11;
        CModeItem scroll = gc;
        scroll.type = std::string("CM_") + d + "_SCROLL";
        doc.modes.push_back(gc);
        doc.modes.push_back(scroll);
    }
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 16u);
    for (std::size_t i = 0; i < 16; i += 2) {
        EXPECT_EQ(c.modes[i].layer, c.modes[i + 1].layer) << c.modes[i].type;
        EXPECT_EQ(c.modes[i].bandOrderIndex, c.modes[i + 1].bandOrderIndex) << c.modes[i].type;
        EXPECT_FALSE(Bands(c, i).empty()) << c.modes[i].type;
    }
}

TEST_P(EffectCompilerCases, FrameScrollsGetLampOrderCodes)
{
    CEditImgDoc doc = BlockDoc();
    doc.modes = {Mode("CM_SIDEFRAME_SCROLL"), Mode("CM_ASIDEFRAME_SCROLL"), Mode("CM_SIDEFRAME_CC")};
    const auto c = Compile(doc);
    EXPECT_EQ(c.modes[0].layer, 5);
    EXPECT_EQ(c.modes[1].layer, 6);
    EXPECT_EQ(c.modes[0].lampOrderIndex, c.modes[2].lampOrderIndex);
    EXPECT_EQ(Order(c, 1), (UIntArray{0, 3, 6, 7, 8, 5, 2, 1}));
}

TEST_P(EffectCompilerCases, UnknownTypesAreDroppedAndListControlsCountOnlyKeptRecords)
{
    CEditImgDoc doc = BlockDoc();
    for (const char* t :
         {"CM_REGROUP", "CM_LEFTUP_WORD", "", "CM_LEFTTORIGHT_GC ", "CM_REGRESS", "CM_EMPTYMODE"})
        doc.modes.push_back(Mode(t));
    doc.modes[0].loop = 40;
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 3u);
    EXPECT_EQ(c.modes[0].layer, 253);
    EXPECT_EQ(c.modes[0].loop, 0);
    EXPECT_EQ(c.modes[1].layer, 255);
    EXPECT_EQ(c.modes[1].loop, 1);
    EXPECT_EQ(c.modes[2].layer, 254);
    EXPECT_EQ(c.modes[2].loop, 2);
    EXPECT_TRUE(c.colourTable.empty());
}

// --- custom modes and tables

TEST_P(EffectCompilerCases, CustomModeWithoutItsListDisappearsAndTheEmptyModeBehindMovesUp)
{
    CEditImgDoc doc = BlockDoc();
    doc.groupLists = {{0}};
    CModeItem custom = Mode("CM_CUSTOMMODE");
    custom.layer = 7;
    custom.bandOrderIndex = -1;
    custom.lampOrderIndex = 0;
    doc.modes = {Mode("CM_LEFTTORIGHT_GC"), custom, Mode("CM_EMPTYMODE")};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2u);
    EXPECT_EQ(c.modes[1].type, "CM_EMPTYMODE");
    EXPECT_EQ(c.modes[1].loop, 1);
}

TEST_P(EffectCompilerCases, CustomModeKeepsTheUserListsAndGetsItsColours)
{
    CEditImgDoc doc = BlockDoc();
    doc.lampGroups = {{4, 5}, {8}};
    doc.groupLists = {{0, 1}};
    CModeItem order = Mode("CM_CUSTOMMODE");
    order.layer = 10;
    order.lampOrderIndex = 1;
    order.bandOrderIndex = -1;
    order.colours = {1, 2, 3};
    CModeItem bands = order;
    bands.layer = 3;
    bands.lampOrderIndex = -1;
    bands.bandOrderIndex = 0;
    CModeItem plain = order;
    plain.layer = 0;
    plain.colourGroupId = 12;
    CModeItem missing = order;
    missing.lampOrderIndex = 2; // past the two lamp groups
    doc.modes = {order, bands, plain, missing};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 3u);
    EXPECT_EQ(c.modes[0].layer, 10);
    EXPECT_EQ(c.modes[0].lampOrderIndex, 1);
    EXPECT_EQ(c.modes[0].colourGroupId, 0);
    EXPECT_EQ(c.modes[1].bandOrderIndex, 0);
    EXPECT_EQ(c.modes[1].colourGroupId, 0);
    EXPECT_EQ(c.modes[2].colourGroupId, 12);
    EXPECT_EQ(c.lampSequenceTable, doc.lampGroups);
    EXPECT_EQ(c.bandTable, doc.groupLists);
    EXPECT_EQ(c.colourTable, (std::vector<UIntArray>{{1, 2, 3}}));
}

TEST_P(EffectCompilerCases, TablesStartWithTheUserListsAndShareEqualEntries)
{
    CEditImgDoc doc = BlockDoc();
    doc.lampGroups = {{9, 9}, {0, 3, 6, 1, 4, 7, 2, 5, 8}, {}};
    doc.groupLists = {{}, {5}};
    CModeItem order = Mode("CM_LEFTTORIGHT_CC");
    CModeItem nothing = Mode("CM_KERNELBD", 20, 20, 30, 30);
    CModeItem noBands = Mode("CM_LEFTTORIGHT_GC", 20, 20, 30, 30);
    CModeItem bands = Mode("CM_LEFTTORIGHT_GC");
    CModeItem green = Mode("CM_RIGHTTOLEFT_GC");
    green.colours = {0, 255, 0};
    doc.modes = {order, nothing, noBands, bands, green};
    const auto c = Compile(doc);
    EXPECT_EQ(c.modes[0].lampOrderIndex, 1); // the user's equal group
    EXPECT_EQ(c.modes[1].lampOrderIndex, 2); // the user's empty group
    EXPECT_EQ(c.modes[2].bandOrderIndex, 0); // the user's empty list
    EXPECT_EQ(c.modes[3].bandOrderIndex, 2);
    EXPECT_EQ(c.modes[4].bandOrderIndex, 2);
    EXPECT_EQ(c.bandTable[2], (UIntArray{3, 4, 5}));
    EXPECT_EQ(c.lampSequenceTable[3], (UIntArray{0, 3, 6}));
    EXPECT_EQ(c.lampSequenceTable.size(), 6u);
    EXPECT_EQ(c.modes[0].colourGroupId, 0);
    EXPECT_EQ(c.modes[3].colourGroupId, 0);
    EXPECT_EQ(c.modes[4].colourGroupId, 1);
}

// --- layers

TEST_P(EffectCompilerCases, LayerAbove50UsesAllLampsLikeLayer0)
{
    CEditImgDoc doc = BlockDoc();
    doc.layers[0] = {4};
    doc.layers.resize(52, UIntArray{4});
    CModeItem all = Mode("CM_LEFTTORIGHT_CC");
    CModeItem l51 = all;
    l51.layer = 51;
    CModeItem l1 = all;
    l1.layer = 1;
    doc.modes = {all, l51, l1};
    const auto c = Compile(doc);
    EXPECT_EQ(Order(c, 0).size(), 9u);
    EXPECT_EQ(c.modes[1].lampOrderIndex, c.modes[0].lampOrderIndex);
    EXPECT_EQ(c.modes[1].layer, 6);
    EXPECT_EQ(Order(c, 2), (UIntArray{4}));
}

TEST_P(EffectCompilerCases, LayerEntriesPastTheLampListAreSkipped)
{
    CEditImgDoc doc = BlockDoc();
    doc.layers[4] = {8, 99, 0, 0xFFFFFFFFu, 8};
    CModeItem m = Mode("CM_UPTODOWN_CF");
    m.layer = 5;
    CModeItem empty = m;
    empty.layer = 6;
    doc.modes = {m, empty};
    const auto c = Compile(doc);
    EXPECT_EQ(Order(c, 0), (UIntArray{0, 8}));
    EXPECT_EQ(Order(c, 1), UIntArray{});
}

// --- WORD expansion

// Rows 1 and 3:  x = 1 2 3 in row 1 (lamps 0 1 2), x = 2 4 in row 3 (lamps
// 3 4). The text is lamps 1 and 4.
CEditImgDoc WordDoc()
{
    CEditImgDoc doc = DocWithLamps({{1, 1}, {2, 1}, {3, 1}, {2, 3}, {4, 3}});
    doc.lampGroups = {{7}, {1, 4}};
    return doc;
}

TEST_P(EffectCompilerCases, WordModeBecomesOneRecordPerRowWithTextColours)
{
    CEditImgDoc doc = WordDoc();
    CModeItem w = Mode("CM_LEFTTORIGHT_WORD");
    w.colours = {10, 20, 30, 1, 2, 3};
    w.lampOrderIndex = 1;
    w.wordStep = 2;
    w.wordColourMode = 0;
    doc.modes = {w};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2u);
    EXPECT_EQ(c.modes[0].type, "CM_LEFTTORIGHT_CC");
    EXPECT_EQ(c.modes[0].layer, 6);
    EXPECT_EQ(std::vector<int>(
                  {c.modes[0].areaLeft, c.modes[0].areaTop, c.modes[0].areaRight, c.modes[0].areaBottom}),
              (std::vector<int>{1, 1, 3, 1}));
    EXPECT_EQ(c.modes[0].colours, (UIntArray{1, 2, 3, 10, 20, 30, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(Order(c, 0), (UIntArray{0, 1, 2}));
    EXPECT_EQ(std::vector<int>(
                  {c.modes[1].areaLeft, c.modes[1].areaTop, c.modes[1].areaRight, c.modes[1].areaBottom}),
              (std::vector<int>{2, 3, 4, 3}));
    // The empty cell (3, 3) adds no colour.
    EXPECT_EQ(c.modes[1].colours, (UIntArray{1, 2, 3, 10, 20, 30, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(c.colourTable, (std::vector<UIntArray>{c.modes[0].colours, c.modes[1].colours}));
    EXPECT_EQ(c.modes[1].colourGroupId, 1);
}

TEST_P(EffectCompilerCases, ReversedWordInCfModePutsItsColoursInFront)
{
    CEditImgDoc doc = WordDoc();
    CModeItem w = Mode("CM_RIGHTTOLEFT_WORD");
    w.colours = {10, 20, 30, 1, 2, 3};
    w.lampOrderIndex = 1;
    w.wordStep = 3;
    w.wordColourMode = 1;
    CModeItem columns = w;
    columns.type = "CM_UPTODOWN_WORD";
    columns.colours = {10, 20, 30}; // no background given: black
    columns.wordColourMode = 0;
    columns.wordStep = 1;
    doc.modes = {w, columns};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 6u);
    EXPECT_EQ(c.modes[0].type, "CM_RIGHTTOLEFT_CF");
    EXPECT_EQ(c.modes[0].layer, 10);
    EXPECT_EQ(c.modes[0].colours, (UIntArray{1, 2, 3, 10, 20, 30, 1, 2, 3}));
    EXPECT_EQ(c.modes[1].colours, (UIntArray{10, 20, 30, 1, 2, 3}));
    // Columns 1..4: column 2 holds lamps 1 (row 1) and 3 (row 3).
    EXPECT_EQ(c.modes[2].type, "CM_UPTODOWN_CC");
    EXPECT_EQ(c.modes[2].colours, (UIntArray{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(c.modes[3].colours, (UIntArray{10, 20, 30, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int>(
                  {c.modes[3].areaLeft, c.modes[3].areaTop, c.modes[3].areaRight, c.modes[3].areaBottom}),
              (std::vector<int>{2, 1, 2, 3}));
    EXPECT_EQ(c.modes[5].colours, (UIntArray{10, 20, 30, 0, 0, 0}));
}

TEST_P(EffectCompilerCases, ProgramGroupsFindRecordsBehindAWordExpansion)
{
    // Five rows of lamps: the WORD mode at position 2 makes five records.
    CEditImgDoc doc = DocWithLamps({{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}});
    CModeItem word = Mode("CM_LEFTTORIGHT_WORD");
    doc.modes = {Mode("CM_LEFTTORIGHT_GC"), Mode("CM_UPTODOWN_GC"), word, Mode("CM_EMPTYMODE"),
                 Mode("CM_KERNELBD")};
    doc.modes[4].name = "fifth";
    CModeItem entry4 = doc.modes[4];
    entry4.layer = 4;
    CModeItem entry2 = word;
    entry2.layer = 2;
    doc.programGroups[0] = {entry4, entry2};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 9u);
    EXPECT_EQ(c.modes[3].type, "CM_LEFTTORIGHT_CC");
    EXPECT_EQ(c.modes[7].loop, 7);
    ASSERT_EQ(c.programGroups[0].size(), 6u);
    EXPECT_EQ(c.programGroups[0][0], c.modes[8]);
    EXPECT_EQ(c.programGroups[0][0].name, "fifth");
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(c.programGroups[0][1 + i], c.modes[2 + i]);
}

// --- program groups

TEST_P(EffectCompilerCases, ProgramGroupWithAModeTwiceHoldsTwoEqualEntries)
{
    CEditImgDoc doc = BlockDoc();
    doc.modes = {Mode("CM_LEFTTORIGHT_GC"), Mode("CM_UPTODOWN_CC"), Mode("CM_EMPTYMODE"),
                 Mode("CM_KERNELBD")};
    CModeItem entry = doc.modes[3];
    entry.layer = 3;
    doc.programGroups[7] = {entry, entry};
    const auto c = Compile(doc);
    ASSERT_EQ(c.programGroups[7].size(), 2u);
    EXPECT_EQ(c.programGroups[7][0], c.modes[3]);
    EXPECT_EQ(c.programGroups[7][1], c.modes[3]);
    for (std::size_t g = 0; g < c.programGroups.size(); ++g) {
        if (g != 7) {
            EXPECT_TRUE(c.programGroups[g].empty()) << g;
        }
    }
}

TEST_P(EffectCompilerCases, ProgramGroupEntriesAreCompiledRecordsNotTheirOwnCopies)
{
    CEditImgDoc doc = BlockDoc();
    CModeItem custom = Mode("CM_CUSTOMMODE");
    custom.layer = 2;
    custom.bandOrderIndex = -1;
    doc.modes = {Mode("CM_LEFTTORIGHT_GC"), custom, Mode("CM_REGRESS")};
    CModeItem stale = doc.modes[0];
    stale.name = "renamed since";
    stale.areaRight = 3;
    stale.layer = 0;
    CModeItem dropped = custom;
    dropped.layer = 1;
    CModeItem past = stale;
    past.layer = 3;
    CModeItem negative = stale;
    negative.layer = -1;
    CModeItem regress = stale;
    regress.layer = 2;
    doc.programGroups[31] = {past, stale, dropped, negative, regress};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 2u);
    ASSERT_EQ(c.programGroups[31].size(), 2u);
    EXPECT_EQ(c.programGroups[31][0], c.modes[0]);
    EXPECT_EQ(c.programGroups[31][1], c.modes[1]);
    EXPECT_EQ(c.programGroups[31][1].loop, 1);
}

TEST_P(EffectCompilerCases, NoLampsGiveEmptyOrdersAndNoWordRecords)
{
    CEditImgDoc doc;
    doc.modes = {Mode("CM_LEFTTORIGHT_CC"),    Mode("CM_LEFTUP_GC"),    Mode("CM_DOWNTOUP_WORD"),
                 Mode("CM_EXPANDCIRCULAR_GC"), Mode("CM_SIDEFRAME_CC"), Mode("CM_EMPTYMODE")};
    CModeItem entry = doc.modes[5];
    entry.layer = 5;
    doc.programGroups[0] = {entry};
    const auto c = Compile(doc);
    ASSERT_EQ(c.modes.size(), 5u);
    EXPECT_EQ(c.lampSequenceTable, (std::vector<UIntArray>{{}}));
    EXPECT_EQ(c.bandTable, (std::vector<UIntArray>{{}}));
    EXPECT_EQ(c.modes[4].loop, 4);
    ASSERT_EQ(c.programGroups[0].size(), 1u);
    EXPECT_EQ(c.programGroups[0][0], c.modes[4]);
}

} // namespace
