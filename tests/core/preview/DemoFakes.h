#pragma once

#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoClock.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <utility>
#include <vector>

namespace lumaro::test {

// A clock that never waits: a sleep moves its time on at once. It can
// request a stop at a set time, which ends the sleep that reaches it there.
class VirtualDemoClock : public IDemoClock {
public:
    bool SleepMs(std::int64_t ms, std::stop_token stop) override
    {
        sleeps.push_back(ms);
        if (stop.stop_requested())
            return false;
        if (m_stopAt && now + ms >= *m_stopAt) {
            now = std::max(now, *m_stopAt);
            m_stopSource.request_stop();
            return false;
        }
        now += ms;
        return true;
    }

    void StopAt(std::int64_t ms, std::stop_source source)
    {
        m_stopAt = ms;
        m_stopSource = std::move(source);
    }

    std::int64_t now = 0;
    std::vector<std::int64_t> sleeps; // every wait asked for, in order

private:
    std::optional<std::int64_t> m_stopAt;
    std::stop_source m_stopSource{std::nostopstate};
};

// One painted lamp, stamped with the virtual time, as a trace prints it.
struct DemoDraw {
    std::int64_t ms = 0;
    std::int32_t lamp = 0;
    DemoRgb colour;

    bool operator==(const DemoDraw&) const = default;
};

// Records every draw; can request a stop right after a given number of them.
class RecordingDemoCanvas : public IDemoCanvas {
public:
    explicit RecordingDemoCanvas(const VirtualDemoClock& clock) : m_clock(clock) {}

    void DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape shape) override
    {
        draws.push_back({m_clock.now, lampNumber, colour});
        shapes.push_back(shape);
        if (m_stopAfter && draws.size() == *m_stopAfter)
            m_stopSource.request_stop();
    }

    void StopAfterDraws(std::size_t count, std::stop_source source)
    {
        m_stopAfter = count;
        m_stopSource = std::move(source);
    }

    std::vector<DemoDraw> draws;
    std::vector<DemoShape> shapes;

private:
    const VirtualDemoClock& m_clock;
    std::optional<std::size_t> m_stopAfter;
    std::stop_source m_stopSource{std::nostopstate};
};

} // namespace lumaro::test
