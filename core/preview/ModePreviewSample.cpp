#include "core/preview/ModePreviewSample.h"

#include "core/effects/EffectCompiler.h"
#include "core/effects/EffectSet.h"
#include "core/effects/ModeCatalogue.h"

#include <algorithm>
#include <cstdlib>
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

PreviewMotion PreviewMotionOf(int classCode)
{
    switch (classCode) {
    case 0:
        return PreviewMotion::Fade;
    case 1:
    case 2:
    case 3:
    case 4:
        return PreviewMotion::BandChase;
    case 5:
    case 6:
        return PreviewMotion::LampChase;
    case 7:
    case 8:
        return PreviewMotion::BandFill;
    case 9:
    case 10:
        return PreviewMotion::LampFill;
    default:
        return PreviewMotion::None;
    }
}

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
    for (const CModeItem& compiled : m_compiled.modes)
        AddTrack(compiled);
    for (const Track& track : m_tracks)
        m_frameCount = std::max(m_frameCount, track.frames);
}

void CModePreviewSample::AddTrack(const CModeItem& compiled)
{
    Track t;
    t.code = compiled.layer;
    t.motion = PreviewMotionOf(t.code);
    const auto& sequences = m_compiled.lampSequenceTable;
    auto sequence = [&](std::int64_t index) -> const UIntArray* {
        return index >= 0 && static_cast<std::size_t>(index) < sequences.size()
                   ? &sequences[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    if (t.motion == PreviewMotion::BandChase || t.motion == PreviewMotion::BandFill) {
        const std::int64_t at = compiled.bandOrderIndex;
        if (at < 0 || static_cast<std::size_t>(at) >= m_compiled.bandTable.size())
            return;
        for (std::uint32_t band : m_compiled.bandTable[static_cast<std::size_t>(at)])
            if (const UIntArray* lamps = sequence(band))
                t.units.push_back(*lamps);
    } else if (t.motion != PreviewMotion::None) {
        if (const UIntArray* lamps = sequence(compiled.lampOrderIndex))
            for (std::uint32_t lamp : *lamps)
                t.units.push_back({lamp});
    }
    if (t.units.empty())
        return;

    const UIntArray& c = compiled.colours;
    if (t.motion == PreviewMotion::Fade) {
        // From the first colour toward the second (black when missing) by
        // distance / loop a frame, never past the target.
        auto at = [&](std::size_t i) { return static_cast<int>(i < c.size() ? c[i] & 0xFF : 0); };
        int colour[3] = {at(0), at(1), at(2)};
        const int target[3] = {at(3), at(4), at(5)};
        int distance = 0;
        for (int k = 0; k < 3; ++k)
            distance = std::max(distance, std::abs(target[k] - colour[k]));
        const int step = compiled.loop != 0 ? distance / std::abs(compiled.loop) : distance;
        const int interval = compiled.interval != 0 ? compiled.interval : 1;
        const int frames = std::clamp(compiled.holdTime * 10 / interval, 1, 1000);
        for (int f = 0; f < frames; ++f) {
            t.colours.push_back(Rgb(colour[0], colour[1], colour[2]));
            for (int k = 0; k < 3; ++k)
                colour[k] = colour[k] < target[k] ? std::min(colour[k] + step, target[k])
                                                  : std::max(colour[k] - step, target[k]);
        }
        t.frames = t.colours.size();
    } else {
        for (std::size_t i = 0; i + 2 < c.size(); i += 3)
            t.colours.push_back(Rgb(c[i], c[i + 1], c[i + 2]));
        if (t.colours.empty())
            return; // no whole colour: the painters draw nothing either
        const bool chase = t.motion == PreviewMotion::BandChase || t.motion == PreviewMotion::LampChase;
        // A chase repeats after one pass of its colours; a fill shows an
        // empty frame, one more unit each frame, and the full set once more.
        t.frames = chase ? t.colours.size() : t.units.size() + 2;
    }
    m_tracks.push_back(std::move(t));
}

int CModePreviewSample::FrameMilliseconds() const
{
    return std::max(20, m_record.interval * 10);
}

std::vector<std::int32_t> CModePreviewSample::Frame(std::size_t n) const
{
    std::vector<std::int32_t> lamps(m_lamps.size(), kUnlit);
    for (const Track& track : m_tracks)
        Paint(track, n % track.frames, lamps);
    return lamps;
}

void CModePreviewSample::Paint(const Track& t, std::size_t frame, std::vector<std::int32_t>& lamps) const
{
    auto light = [&](const UIntArray& unit, std::int32_t colour) {
        for (std::uint32_t lamp : unit)
            if (lamp < lamps.size())
                lamps[lamp] = colour;
    };
    const auto n = static_cast<std::int64_t>(t.units.size());
    const auto c = static_cast<std::int64_t>(t.colours.size());
    const auto s = static_cast<std::int64_t>(frame);
    switch (t.motion) {
    case PreviewMotion::BandChase:
    case PreviewMotion::LampChase: {
        // As the demo's chases: the forward codes move a colour toward the
        // end of the list, the others toward its start; some families count
        // their colours from the end of the list.
        const bool forward = t.code == 2 || t.code == 3 || t.code == 6;
        const bool fromEnd = t.code == 3 || t.code == 4 || t.code == 6;
        for (std::int64_t u = 0; u < n; ++u) {
            const std::int64_t k = (((forward ? s - u + n - 1 : u + s) % c) + c) % c;
            light(t.units[static_cast<std::size_t>(u)],
                  t.colours[static_cast<std::size_t>(fromEnd ? c - 1 - k : k)]);
        }
        break;
    }
    case PreviewMotion::BandFill:
    case PreviewMotion::LampFill: {
        const bool forward = t.code == 7 || t.code == 9;
        for (std::int64_t i = 0; i < std::min(s, n); ++i) {
            const std::int64_t u = forward ? i : n - 1 - i;
            light(t.units[static_cast<std::size_t>(u)], t.colours[static_cast<std::size_t>(i % c)]);
        }
        break;
    }
    case PreviewMotion::Fade:
        for (const UIntArray& unit : t.units)
            light(unit, t.colours[frame]);
        break;
    case PreviewMotion::None:
        break;
    }
}

} // namespace lumaro
