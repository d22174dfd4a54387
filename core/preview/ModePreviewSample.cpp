#include "core/preview/ModePreviewSample.h"

#include "core/effects/EffectCompiler.h"
#include "core/effects/EffectSet.h"
#include "core/effects/ModeCatalogue.h"
#include "core/preview/DemoTrace.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

namespace lumaro {

namespace {

// Off row and column 0, where every lamp would count as the edge of a frame.
constexpr int kOrigin = 2;

constexpr std::int32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return static_cast<std::int32_t>(((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF));
}

// A short text for the text modes, '#' for the lamps of the text.
// clang-format off
constexpr std::string_view kWordRows[] = {
    "#..#.###....",
    "#..#..#.....",
    "####..#.....",
    "#..#..#.....",
    "#..#.###....",
};
// clang-format on

std::vector<CLamp> Block(int columns, int rows)
{
    std::vector<CLamp> lamps;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            lamps.emplace_back(kOrigin + x, kOrigin + y, static_cast<std::int32_t>(lamps.size()), 0, 1, 1);
    return lamps;
}

void AddColour(UIntArray& colours, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    colours.insert(colours.end(), {r, g, b});
}

bool LightsNothingAlone(std::string_view type)
{
    return type == kCustomModeType || type == "CM_EMPTYMODE" || type == "CM_REGROUP" || type == "CM_REGRESS";
}

} // namespace

CModePreviewSample::CModePreviewSample(std::string_view type)
{
    const auto catalogue = CatalogueTypes();
    if (std::find(catalogue.begin(), catalogue.end(), type) == catalogue.end() || LightsNothingAlone(type))
        return;

    CEffectSet effects;
    CModeItem& r = m_record;
    r.type = std::string(type);
    r.name = r.type;
    r.interval = 12;
    r.step = 1;

    int columns = 10, rows = 6;
    if (IsWordMode(type)) {
        columns = static_cast<int>(kWordRows[0].size());
        rows = static_cast<int>(std::size(kWordRows));
        UIntArray text;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < columns; ++x)
                if (kWordRows[y][static_cast<std::size_t>(x)] == '#')
                    text.push_back(static_cast<std::uint32_t>(y * columns + x));
        effects.lampGroups.push_back(std::move(text));
        r.lampOrderIndex = 0;
        r.wordStep = 4; // a gap before the text comes round again
        r.loop = 2;     // the painters play a record loop times
        AddColour(r.colours, 255, 200, 0);
        AddColour(r.colours, 0, 0, 60);
    } else if (IsCircularAreaMode(type)) {
        columns = rows = 11;
        r.innerType = "CM_LEFTTORIGHT_GC";
        r.circleX = r.circleY = kOrigin + 5;
        r.circleRadius = 5;
    } else if (OrderKindOf(type) == OrderKind::Rings) {
        columns = rows = 9;
    }
    m_lamps = Block(columns, rows);

    r.areaLeft = kOrigin;
    r.areaTop = kOrigin;
    r.areaRight = kOrigin + columns - 1;
    r.areaBottom = kOrigin + rows - 1;
    const OrderKind kind = OrderKindOf(IsCircularAreaMode(type) ? std::string_view(r.innerType) : type);
    if (kind == OrderKind::Rings) {
        r.startX = kOrigin + columns / 2;
        r.startY = kOrigin + rows / 2;
    } else if (kind == OrderKind::RisingLampOrder || kind == OrderKind::FallingLampOrder) {
        // Every diagonal line of the block, from the corner the lines start in.
        r.step = columns + rows;
        r.startX = kOrigin;
        r.startY = kind == OrderKind::RisingLampOrder ? kOrigin : r.areaBottom;
    }

    if (r.colours.empty()) {
        if (EffectClassOf(r) == 0) {
            // Bright to dark in 16 frames of a 15-step ramp.
            AddColour(r.colours, 255, 255, 255);
            AddColour(r.colours, 0, 0, 0);
            r.loop = 15;
            r.holdTime = 16;
            r.interval = 10;
        } else {
            AddColour(r.colours, 255, 0, 0);
            AddColour(r.colours, 0, 255, 0);
            AddColour(r.colours, 0, 0, 255);
            AddColour(r.colours, 255, 255, 0);
            r.loop = 4;
        }
    }

    effects.lampPositions = m_lamps;
    effects.modes = {r};
    m_compiled = CompileEffects(effects);

    DemoTraceOptions options;
    options.order = DemoOrder::Parallel;
    // The start delay of Parallel play is cut off below; the run may use
    // the whole length after it.
    std::int64_t delay = std::numeric_limits<std::int64_t>::max();
    for (const DemoStart& start : DemoStarts(m_compiled.modes, DemoOrder::Parallel))
        delay = std::min<std::int64_t>(delay, std::int64_t{start.startDelay} * 100);
    if (m_compiled.modes.empty())
        return;
    options.durationMs = delay + kMaxRunMs;
    const std::vector<DemoTraceDraw> trace = TraceDemo(m_compiled.modes, m_compiled, m_lamps, options);
    if (trace.empty())
        return;
    const std::int64_t period = FrameMilliseconds();
    const std::int64_t first = trace.front().ms;
    const std::int64_t last = trace.back().ms;
    std::vector<std::int32_t> colours(m_lamps.size(), kUnlit);
    std::size_t next = 0;
    // Frame n shows every draw up to its end.
    for (std::int64_t end = first; end <= last + period - 1 && end - first < kMaxRunMs; end += period) {
        for (; next < trace.size() && trace[next].ms <= end; ++next) {
            const DemoTraceDraw& d = trace[next];
            if (d.lamp == kDemoRestart)
                std::fill(colours.begin(), colours.end(), kUnlit);
            else if (d.lamp >= 0 && static_cast<std::size_t>(d.lamp) < colours.size())
                colours[static_cast<std::size_t>(d.lamp)] = Rgb(d.colour.red, d.colour.green, d.colour.blue);
        }
        m_frames.push_back(colours);
    }
}

int CModePreviewSample::FrameMilliseconds() const
{
    return std::max(20, m_record.interval * 10);
}

std::vector<std::int32_t> CModePreviewSample::Frame(std::size_t n) const
{
    if (m_frames.empty())
        return {};
    return m_frames[n % m_frames.size()];
}

} // namespace lumaro
