#pragma once

#include "core/preview/DemoCanvas.h"
#include "core/preview/VirtualDemoClock.h"

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <utility>
#include <vector>

namespace lumaro {

// One painted lamp, stamped with the virtual time of its drawing.
struct DemoStampedDraw {
    std::int64_t ms = 0;
    std::int32_t lamp = 0;
    DemoRgb colour;

    bool operator==(const DemoStampedDraw&) const = default;
};

// Records every draw of one painter at its clock's time. It requests a stop
// once it holds `limit` draws, which bounds a painter whose waits are all 0.
class CRecordingDemoCanvas : public IDemoCanvas {
public:
    CRecordingDemoCanvas(const CVirtualDemoClock& clock, std::size_t limit, std::stop_source stop)
        : m_clock(clock), m_limit(limit), m_stop(std::move(stop))
    {
    }

    void DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape) override
    {
        draws.push_back({m_clock.Now(), lampNumber, colour});
        if (draws.size() >= m_limit)
            m_stop.request_stop();
    }

    std::vector<DemoStampedDraw> draws;

private:
    const CVirtualDemoClock& m_clock;
    std::size_t m_limit;
    std::stop_source m_stop;
};

} // namespace lumaro
