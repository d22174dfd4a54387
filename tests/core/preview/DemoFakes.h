#pragma once

#include "core/preview/DemoCanvas.h"
#include "core/preview/DemoClock.h"
#include "core/preview/RecordingDemoCanvas.h"
#include "core/preview/VirtualDemoClock.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <utility>
#include <vector>

namespace lumaro::test {

// The core's virtual clock, remembering every wait asked for.
class VirtualDemoClock : public CVirtualDemoClock {
public:
    bool SleepMs(std::int64_t ms, std::stop_token stop) override
    {
        sleeps.push_back(ms);
        return CVirtualDemoClock::SleepMs(ms, stop);
    }

    std::vector<std::int64_t> sleeps; // every wait asked for, in order
};

// One painted lamp, stamped with the virtual time, as a trace prints it.
using DemoDraw = DemoStampedDraw;

// Records every draw; can request a stop right after a given number of them.
class RecordingDemoCanvas : public IDemoCanvas {
public:
    explicit RecordingDemoCanvas(const VirtualDemoClock& clock) : m_clock(clock) {}

    void DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape shape) override
    {
        draws.push_back({m_clock.Now(), lampNumber, colour});
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
