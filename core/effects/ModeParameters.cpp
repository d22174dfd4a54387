#include "core/effects/ModeParameters.h"

#include "core/effects/FrameGenerator.h"
#include "core/effects/ModeCatalogue.h"

#include <algorithm>
#include <limits>
#include <string>

namespace lumaro {

namespace {

constexpr std::int32_t kLastCell = CFrameGenerator::kGridSize - 1;

bool Reads(OrderKind kind, std::initializer_list<OrderKind> kinds)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

Status Range(std::int64_t value, std::int64_t low, std::int64_t high, const char* key, const char* what)
{
    if (value >= low && value <= high)
        return Status::Ok();
    return Status::Fail(key,
                        std::string(what) + " " + std::to_string(value) + " is not in " +
                            std::to_string(low) + ".." + std::to_string(high),
                        {std::to_string(low), std::to_string(high)});
}

// Every cell on the lamp grid. The message gives the range in the unit of
// the fields (pixels at zoom), which is what the user typed.
Status OnGrid(std::initializer_list<std::int64_t> cells, std::int64_t zoom, const char* key, const char* what)
{
    for (std::int64_t c : cells)
        if (c < 0 || c > kLastCell)
            return Status::Fail(key, std::string(what) + " cell " + std::to_string(c) + " is off the grid",
                                {"0", std::to_string(kLastCell * zoom)});
    return Status::Ok();
}

bool InArea(const CLamp& lamp, const CModeItem& r)
{
    return lamp.x >= r.areaLeft && lamp.x <= r.areaRight && lamp.y >= r.areaTop && lamp.y <= r.areaBottom;
}

// Whether the mode would find a lamp: one of its layer in the area, or a
// supplementary lamp when it reads them.
bool FindsLamp(const CEffectSet& effects, const CModeItem& r, bool readsExtraLamps)
{
    if (readsExtraLamps && !r.extraLamps.empty())
        return true;
    const auto& lamps = effects.lampPositions;
    if (r.layer == 0 || r.layer > CModeParameters::kMaxLayer)
        return std::any_of(lamps.begin(), lamps.end(), [&](const CLamp& l) { return InArea(l, r); });
    const auto layer = static_cast<std::size_t>(r.layer - 1);
    if (layer >= effects.layers.size())
        return false;
    const UIntArray& positions = effects.layers[layer];
    return std::any_of(positions.begin(), positions.end(),
                       [&](std::uint32_t p) { return p < lamps.size() && InArea(lamps[p], r); });
}

} // namespace

CParameterFields CModeParameters::FieldsFor(const CModeItem& record)
{
    CParameterFields f;
    const std::string& type = record.type;
    if (type == kCustomModeType) {
        // A custom mode plays the lists the user built; its layer is its class code.
        f.interval = f.loop = f.holdTime = f.layer = true;
        f.layerHeading = kLayerCodeHeading;
        return f;
    }
    if (type == "CM_EMPTYMODE" || type == "CM_REGROUP" || type == "CM_REGRESS") {
        // The controller reads the hold time of the first two only; the
        // compiler writes their position into the loop.
        f.holdTime = type != "CM_REGRESS";
        f.layerHeading = kLayerUnusedHeading;
        return f;
    }
    if (IsWordMode(type)) {
        // Each row of text is laid out over all lamps of its row, its own
        // area and start: layer, area, start and supplementary lamps would
        // put the text colours on the wrong lamps. Filled rows ("_CF") run
        // once, without the background step.
        const bool filled = record.wordColourMode == 1;
        f.interval = f.holdTime = f.wordColourMode = true;
        f.loop = f.wordStep = !filled;
        f.layerHeading = kLayerUnusedHeading;
        return f;
    }

    const OrderKind kind = OrderKindOf(IsCircularAreaMode(type) ? record.innerType : type);
    const int code = EffectClassOf(record);
    using K = OrderKind;
    f.interval = f.holdTime = f.layer = f.area = true;
    f.loop = code < 7 || code > 10; // the fills run once
    if (code == 0)
        f.loopHeading = kLoopFadeHeading;
    f.startPoint = Reads(kind, {K::ColumnLampOrder, K::RowLampOrder, K::RisingLampOrder, K::FallingLampOrder,
                                K::ColumnBands, K::RowBands, K::RisingBands, K::FallingBands, K::Rings});
    f.step = Reads(kind, {K::RisingLampOrder, K::FallingLampOrder, K::ColumnBands, K::RowBands,
                          K::RisingBands, K::FallingBands, K::Rings});
    if (kind == K::RowBands)
        f.stepHeading = kStepRowsHeading;
    else if (Reads(kind,
                   {K::RisingLampOrder, K::FallingLampOrder, K::RisingBands, K::FallingBands, K::Rings}))
        f.stepHeading = kStepLinesHeading;
    f.extraLamps = Reads(kind, {K::ColumnLampOrder, K::RowLampOrder, K::RisingLampOrder, K::FallingLampOrder,
                                K::ColumnBands, K::RowBands, K::RisingBands, K::FallingBands});
    return f;
}

std::int64_t CModeParameters::CellOf(std::int32_t pixel, int zoom)
{
    zoom = std::max(zoom, 1);
    const std::int64_t p = std::int64_t{pixel} + zoom / 2;
    return p >= 0 ? p / zoom : -((-p + zoom - 1) / zoom);
}

CParameterValues CModeParameters::Rezoomed(CParameterValues v, int fromZoom, int toZoom)
{
    toZoom = std::max(toZoom, 1);
    using L = std::numeric_limits<std::int32_t>;
    for (std::int32_t* field : {&v.startX, &v.startY, &v.areaLeft, &v.areaTop, &v.areaRight, &v.areaBottom})
        *field = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(CellOf(*field, fromZoom) * toZoom, L::min(), L::max()));
    return v;
}

CParameterValues CModeParameters::ValuesOf(const CModeItem& r, int zoom)
{
    zoom = std::max(zoom, 1);
    auto px = [&](std::int32_t cell) {
        using L = std::numeric_limits<std::int32_t>;
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{cell} * zoom, L::min(), L::max()));
    };
    return {r.interval,    r.loop,           r.holdTime,      r.step,       r.layer,
            r.wordStep,    r.wordColourMode, px(r.startX),    px(r.startY), px(r.areaLeft),
            px(r.areaTop), px(r.areaRight),  px(r.areaBottom)};
}

Status CModeParameters::Store(const CParameterValues& v, const UIntArray& parameterLamps, int zoom,
                              const CEffectSet& effects, CModeItem& record)
{
    zoom = std::max(zoom, 1);
    CModeItem out = record;
    if (IsWordMode(out.type))
        out.wordColourMode = v.wordColourMode == 1 ? 1 : 0;
    const CParameterFields f = FieldsFor(out);

    // The value fields the type uses, each within its range.
    const bool custom = out.type == kCustomModeType;
    struct Field {
        bool used;
        std::int32_t value, low, high;
        const char* key;
        const char* what;
        std::int32_t& stored;
    };
    const Field fields[] = {
        {f.interval, v.interval, 1, kMaxTiming, kIntervalKey, "interval", out.interval},
        {f.loop, v.loop, 1, kMaxTiming, kLoopKey, "loop", out.loop},
        {f.holdTime, v.holdTime, 0, kMaxTiming, kHoldTimeKey, "hold time", out.holdTime},
        {f.step, v.step, 1, kMaxStep, kStepKey, "step", out.step},
        {f.layer, v.layer, 0, custom ? kMaxCustomCode : kMaxLayer, custom ? kCustomCodeKey : kLayerKey,
         custom ? "class code" : "layer", out.layer},
        {f.wordStep, v.wordStep, 0, kMaxWordStep, kWordStepKey, "text step", out.wordStep},
    };
    for (const Field& field : fields) {
        if (!field.used)
            continue;
        if (Status s = Range(field.value, field.low, field.high, field.key, field.what); !s)
            return s;
        field.stored = field.value;
    }
    if (f.startPoint) {
        const std::int64_t x = CellOf(v.startX, zoom), y = CellOf(v.startY, zoom);
        if (Status s = OnGrid({x, y}, zoom, kStartPointKey, "start point"); !s)
            return s;
        out.startX = static_cast<std::int32_t>(x);
        out.startY = static_cast<std::int32_t>(y);
    }
    if (f.extraLamps)
        out.extraLamps = ChosenLamps(parameterLamps);
    if (f.area) {
        std::int64_t l = CellOf(v.areaLeft, zoom), t = CellOf(v.areaTop, zoom);
        std::int64_t r = CellOf(v.areaRight, zoom), b = CellOf(v.areaBottom, zoom);
        if (l > r)
            std::swap(l, r);
        if (t > b)
            std::swap(t, b);
        if (Status s = OnGrid({l, t, r, b}, zoom, kAreaKey, "area"); !s)
            return s;
        out.areaLeft = static_cast<std::int32_t>(l);
        out.areaTop = static_cast<std::int32_t>(t);
        out.areaRight = static_cast<std::int32_t>(r);
        out.areaBottom = static_cast<std::int32_t>(b);
        if (!FindsLamp(effects, out, f.extraLamps))
            return Status::Fail(kEmptyAreaKey,
                                "no lamp of layer " + std::to_string(out.layer) + " in the area");
    }
    record = std::move(out);
    return Status::Ok();
}

UIntArray CModeParameters::ParameterLampList(const UIntArray& extraLamps)
{
    return extraLamps.empty() ? UIntArray{CPickLists::kNoLamp} : extraLamps;
}

UIntArray CModeParameters::ChosenLamps(const UIntArray& parameterLamps)
{
    UIntArray lamps = parameterLamps;
    std::erase(lamps, CPickLists::kNoLamp);
    return lamps;
}

} // namespace lumaro
