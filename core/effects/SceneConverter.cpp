#include "core/effects/SceneConverter.h"

#include "core/effects/FrameGenerator.h"

#include <algorithm>

namespace lumaro {

namespace {

struct EffectRow {
    std::string_view name;
    std::string_view type;
    int loopKind; // 0: the loop value, 1: width × 8
    std::int32_t loop;
    bool stepIsWidth;
};

constexpr std::array<EffectRow, CSceneConverter::kEffectCount> kEffects = {{
    {"Null", "", 0, 0, false},
    {"ToLeftRotating", "CM_LEFTTORIGHT_GC", 0, 100, false},
    {"ToRightRotating", "CM_RIGHTTOLEFT_GC", 0, 100, false},
    {"Shifting", "CM_RIGHTTOLEFT_GC", 0, 100, true},
    {"ToLeftChasing", "CM_RIGHTTOLEFT_GC", 1, 0, false},
    {"ToRightChasing", "CM_LEFTTORIGHT_GC", 1, 0, false},
    {"Flicker", "CM_RIGHTTOLEFT_GC", 0, 100, true},
    {"InStepShading", "CM_RIGHTTOLEFT_GC", 0, 768, true},
    {"FlickerChanging", "CM_RIGHTTOLEFT_GC", 0, 1536, true},
    {"StaticSingleColor", "CM_RIGHTTOLEFT_GC", 0, 10, true},
    {"SideToMiddle", "CM_MIDDLETOSIDE_GC", 1, 0, true},
    {"MiddleToSide", "CM_SIDETOMIDDLE_GC", 1, 0, true},
}};

void Push(UIntArray& list, std::uint32_t r, std::uint32_t g, std::uint32_t b, std::int64_t times = 1)
{
    for (std::int64_t i = 0; i < times; ++i)
        list.insert(list.end(), {r, g, b});
}

// No width beyond the grid's can come from lamps that play; a larger one
// would only ask for colour lists of gigabytes.
std::int64_t OnGrid(std::int64_t width)
{
    return std::clamp<std::int64_t>(width, 0, CFrameGenerator::kGridSize);
}

constexpr std::uint32_t kNine[9][3] = {{255, 0, 0},   {128, 128, 255}, {0, 255, 0},
                                       {255, 128, 0}, {0, 0, 255},     {0, 128, 0},
                                       {255, 255, 0}, {128, 0, 128},   {0, 255, 255}};

} // namespace

std::array<std::string_view, CSceneConverter::kEffectCount> CSceneConverter::EffectNames()
{
    std::array<std::string_view, kEffectCount> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kEffects[i].name;
    return names;
}

UIntArray CSceneConverter::DefaultColours(int menuIndex, std::int64_t width)
{
    UIntArray c;
    width = OnGrid(width);
    switch (menuIndex) {
    case 1:
    case 2:
    case 3:
        for (const auto& k : kNine)
            Push(c, k[0], k[1], k[2]);
        break;
    case 4:
    case 5:
        Push(c, 0, 0, 0, width);
        for (const auto& k : {std::array<std::uint32_t, 3>{255, 0, 0},
                              {0, 255, 0},
                              {0, 0, 255},
                              {255, 255, 0},
                              {255, 0, 255},
                              {0, 255, 255},
                              {255, 255, 255}})
            Push(c, k[0], k[1], k[2], width);
        break;
    case 6:
        for (const auto& k : kNine) {
            Push(c, k[0], k[1], k[2]);
            Push(c, 0, 0, 0);
        }
        break;
    case 7:
        Push(c, 255, 0, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 255 - i, i, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 0, 255 - i, i);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, i, 0, 255 - i);
        break;
    case 8:
        Push(c, 0, 0, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, i, 0, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 255 - i, 0, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 0, i, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 0, 255 - i, 0);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 0, 0, i);
        for (std::uint32_t i = 0; i <= 255; ++i)
            Push(c, 0, 0, 255 - i);
        break;
    case 9:
        Push(c, 255, 0, 0);
        break;
    case 10:
    case 11: {
        const std::int64_t m = width / 2 + 1;
        Push(c, 0, 0, 0, m);
        for (const auto& k : {std::array<std::uint32_t, 3>{255, 0, 0},
                              {0, 255, 0},
                              {0, 0, 255},
                              {255, 255, 0},
                              {255, 0, 255},
                              {0, 255, 255}})
            Push(c, k[0], k[1], k[2], m);
        break;
    }
    default:
        break;
    }
    return c;
}

CModeItem CSceneConverter::ModeFor(int menuIndex, std::int32_t speed, const UIntArray& colours,
                                   std::int64_t width)
{
    const EffectRow& e = kEffects[static_cast<std::size_t>(menuIndex)];
    width = OnGrid(width);
    CModeItem m;
    m.type = std::string(e.type);
    m.name = m.type;
    m.areaRight = m.areaBottom = 180;
    m.interval = speed;
    m.loop = e.loopKind == 1 ? static_cast<std::int32_t>(width * 8) : e.loop;
    m.step = e.stepIsWidth ? static_cast<std::int32_t>(width) : 0;
    // Unsigned, as the controller's tables hold it.
    m.holdTime = static_cast<std::int32_t>(static_cast<std::uint32_t>(m.loop) *
                                           static_cast<std::uint32_t>(speed) / 10u);
    m.sceneEffect = menuIndex;
    m.colours = colours;
    return m;
}

std::int64_t CSceneConverter::LampWidth(const std::vector<CLamp>& lamps)
{
    const CBoundingBox box = CFrameGenerator::BoundsOnGrid(lamps);
    return box.Empty() ? 0 : box.maxX - box.minX + 1;
}

void CSceneConverter::Convert(CEffectSet& effects, const std::vector<CLamp>& lamps)
{
    effects.modes.clear();
    for (auto& g : effects.programGroups)
        g.clear();
    effects.lampPositions = lamps;
    const std::int64_t width = LampWidth(effects.lampPositions);
    for (std::size_t s = 0; s < effects.scenes.size(); ++s)
        for (CSceneSlot& slot : effects.scenes[s]) {
            if (slot.menuIndex <= 0 || slot.menuIndex >= kEffectCount)
                continue;
            if (slot.colours.empty())
                slot.colours = DefaultColours(slot.menuIndex, width);
            CModeItem entry = ModeFor(slot.menuIndex, slot.speed, slot.colours, width);
            const auto number = static_cast<std::int32_t>(effects.modes.size());
            effects.modes.push_back(entry);
            entry.layer = number;
            effects.programGroups[s].push_back(std::move(entry));
        }
}

} // namespace lumaro
