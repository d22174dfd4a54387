#include "core/preview/DemoPainter.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace lumaro {

namespace {

const UIntArray kEmpty;

std::uint8_t Channel(const UIntArray& list, std::size_t at)
{
    return static_cast<std::uint8_t>(list[at]);
}

// Triple k, counted from the start of the list.
DemoRgb FromStart(const UIntArray& list, std::int64_t k)
{
    const auto at = static_cast<std::size_t>(3 * k);
    return {Channel(list, at), Channel(list, at + 1), Channel(list, at + 2)};
}

// Triple k, counted back from the end. For a length that is not a multiple
// of three this is not triple C - 1 - k: the stray values at the end shift it.
DemoRgb FromEnd(const UIntArray& list, std::int64_t k)
{
    const auto at = list.size() - static_cast<std::size_t>(3 * k + 3);
    return {Channel(list, at), Channel(list, at + 1), Channel(list, at + 2)};
}

std::int64_t WholeTriples(const UIntArray& list)
{
    return static_cast<std::int64_t>(list.size() / 3);
}

// The wait after a chase or fade step: the step time less the drawing
// allowance, or `floor` once the allowance would bring it to `floor` or below.
std::int64_t StepWait(std::int64_t interval, std::int64_t allowance, std::int64_t floor)
{
    return allowance < interval * 10 - floor ? interval * 10 - allowance : floor;
}

} // namespace

CDemoPainter::CDemoPainter(IDemoCanvas& canvas, IDemoClock& clock, const CCompiledEffects& tables,
                           const std::vector<CLamp>& lamps, DemoShape shape)
    : m_canvas(canvas), m_clock(clock), m_tables(tables), m_lamps(lamps), m_shape(shape)
{
}

CDemoPainter::Result CDemoPainter::Play(const CModeItem& mode, std::stop_token stop)
{
    m_stop = std::move(stop);
    const int code = mode.layer;
    const bool known = (code >= 0 && code <= 10) || (code >= 253 && code <= 255);
    if (!known)
        return {};
    if (!Sleep(std::int64_t{mode.sceneEffect} * 100))
        return {true};
    if (code >= 253)
        return Special(mode, code);

    bool done = true;
    if (code == 0)
        done = Fade(mode);
    else if (code <= 4)
        done = BandChase(mode, code);
    else if (code <= 6)
        done = LampChase(mode, code);
    else if (code <= 8)
        done = BandFill(mode, code);
    else
        done = LampFill(mode, code);
    return {!done};
}

bool CDemoPainter::BandChase(const CModeItem& mode, int code)
{
    const UIntArray& colours = Colours(mode);
    const UIntArray& bands = BandList(mode.bandOrderIndex);
    const std::int64_t c = WholeTriples(colours);
    const auto b = static_cast<std::int64_t>(bands.size());
    const bool forward = code == 2 || code == 3;
    const bool fromEnd = code == 3 || code == 4;
    const std::int64_t perMs = forward ? 20 : 16;
    if (c == 0)
        return true;
    for (std::int64_t s = 0; s < mode.loop; ++s) {
        std::int64_t drawn = 0;
        for (std::int64_t band = b - 1; band >= 0; --band) {
            const std::int64_t k = forward ? (s - band + b - 1) % c : (band + s) % c;
            const DemoRgb colour = fromEnd ? FromEnd(colours, k) : FromStart(colours, k);
            if (!DrawLamps(LampOrder(static_cast<std::int32_t>(bands[static_cast<std::size_t>(band)])),
                           colour, drawn))
                return false;
        }
        if (!Sleep(StepWait(mode.interval, drawn / perMs, std::int64_t{mode.interval} * 5)))
            return false;
    }
    return true;
}

bool CDemoPainter::LampChase(const CModeItem& mode, int code)
{
    const UIntArray& colours = Colours(mode);
    const UIntArray& order = LampOrder(mode.lampOrderIndex);
    const std::int64_t c = WholeTriples(colours);
    const auto n = static_cast<std::int64_t>(order.size());
    if (c == 0)
        return true;
    for (std::int64_t s = 0; s < mode.loop; ++s) {
        if (code == 6) {
            for (std::int64_t p = n - 1; p >= 0; --p)
                if (!DrawLamp(order[static_cast<std::size_t>(p)], FromEnd(colours, (s - p + n - 1) % c)))
                    return false;
        } else {
            for (std::int64_t p = 0; p < n; ++p)
                if (!DrawLamp(order[static_cast<std::size_t>(p)], FromStart(colours, (p + s) % c)))
                    return false;
        }
        if (!Sleep(StepWait(mode.interval, (n - 1) / 10, 0)))
            return false;
    }
    return true;
}

bool CDemoPainter::BandFill(const CModeItem& mode, int code)
{
    const UIntArray& colours = Colours(mode);
    const UIntArray& bands = BandList(mode.bandOrderIndex);
    const std::int64_t c = WholeTriples(colours);
    const auto b = static_cast<std::int64_t>(bands.size());
    if (c == 0)
        return true;
    for (std::int64_t i = 0; i < b; ++i) {
        const std::int64_t band = code == 7 ? i : b - 1 - i;
        std::int64_t drawn = 0;
        if (!DrawLamps(LampOrder(static_cast<std::int32_t>(bands[static_cast<std::size_t>(band)])),
                       FromStart(colours, i % c), drawn))
            return false;
        if (!Sleep(std::int64_t{mode.interval} * 9))
            return false;
    }
    return true;
}

bool CDemoPainter::LampFill(const CModeItem& mode, int code)
{
    const UIntArray& colours = Colours(mode);
    const UIntArray& order = LampOrder(mode.lampOrderIndex);
    const std::int64_t c = WholeTriples(colours);
    const auto n = static_cast<std::int64_t>(order.size());
    if (c == 0)
        return true;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int64_t p = code == 9 ? i : n - 1 - i;
        if (!DrawLamp(order[static_cast<std::size_t>(p)], FromStart(colours, i % c)))
            return false;
        if (!Sleep(std::int64_t{mode.interval} * 10))
            return false;
    }
    return true;
}

bool CDemoPainter::Fade(const CModeItem& mode)
{
    // A compiled fade keeps the colour group id the user chose, which is no
    // index into the colour-list table; its own two colours are what it fades.
    const UIntArray& colours = mode.colours;
    const UIntArray& order = LampOrder(mode.lampOrderIndex);
    const DemoRgb start = colours.size() >= 3 ? FromStart(colours, 0) : DemoRgb{};
    const DemoRgb target = colours.size() >= 6 ? FromStart(colours, 1) : DemoRgb{};
    int current[3] = {start.red, start.green, start.blue};
    const int goal[3] = {target.red, target.green, target.blue};

    int distance = 0;
    for (int ch = 0; ch < 3; ++ch)
        distance = std::max(distance, std::abs(goal[ch] - current[ch]));
    // A negative loop would step away from the target; its size is what counts.
    const int step = mode.loop != 0 ? std::abs(distance / mode.loop) : distance;
    const std::int64_t interval = mode.interval != 0 ? mode.interval : 1;
    const std::int64_t frames = std::int64_t{mode.holdTime} * 10 / interval;
    const auto n = static_cast<std::int64_t>(order.size());

    for (std::int64_t f = 0; f < frames; ++f) {
        const DemoRgb colour{static_cast<std::uint8_t>(current[0]), static_cast<std::uint8_t>(current[1]),
                             static_cast<std::uint8_t>(current[2])};
        std::int64_t drawn = 0;
        if (!DrawLamps(order, colour, drawn))
            return false;
        if (!Sleep(StepWait(interval, (n - 1) / 10, 0)))
            return false;
        for (int ch = 0; ch < 3; ++ch)
            current[ch] = current[ch] < goal[ch] ? std::min(current[ch] + step, goal[ch])
                                                 : std::max(current[ch] - step, goal[ch]);
    }
    return true;
}

CDemoPainter::Result CDemoPainter::Special(const CModeItem& mode, int code)
{
    if (code == 254)
        for (const CLamp& lamp : m_lamps)
            if (!DrawLamp(static_cast<std::uint32_t>(lamp.number), DemoRgb{}))
                return {true};
    if (m_stop.stop_requested())
        return {true};
    return {false, code == 255 ? Request::RestartParallel : Request::EndModesBefore, mode.loop};
}

bool CDemoPainter::DrawLamp(std::uint32_t lampNumber, DemoRgb colour)
{
    if (m_stop.stop_requested())
        return false;
    // A number outside the lamp list has nothing to paint.
    if (lampNumber < m_lamps.size())
        m_canvas.DrawLamp(static_cast<std::int32_t>(lampNumber), colour, m_shape);
    return true;
}

bool CDemoPainter::DrawLamps(const UIntArray& order, DemoRgb colour, std::int64_t& drawn)
{
    for (std::uint32_t lamp : order) {
        if (!DrawLamp(lamp, colour))
            return false;
        if (lamp < m_lamps.size())
            ++drawn;
    }
    return true;
}

bool CDemoPainter::Sleep(std::int64_t ms)
{
    return m_clock.SleepMs(std::max<std::int64_t>(ms, 0), m_stop);
}

const UIntArray& CDemoPainter::Colours(const CModeItem& mode) const
{
    const auto& table = m_tables.colourTable;
    const auto i = static_cast<std::size_t>(mode.colourGroupId);
    return mode.colourGroupId >= 0 && i < table.size() ? table[i] : kEmpty;
}

const UIntArray& CDemoPainter::LampOrder(std::int32_t index) const
{
    const auto& table = m_tables.lampSequenceTable;
    const auto i = static_cast<std::size_t>(index);
    return index >= 0 && i < table.size() ? table[i] : kEmpty;
}

const UIntArray& CDemoPainter::BandList(std::int32_t index) const
{
    const auto& table = m_tables.bandTable;
    const auto i = static_cast<std::size_t>(index);
    return index >= 0 && i < table.size() ? table[i] : kEmpty;
}

} // namespace lumaro
