#pragma once

#include "core/preview/DemoClock.h"

namespace lumaro {

// The demo's real clock: a wait that a stop request cuts short at once, so
// that Start or a closing window never waits for a painter's step to end.
class CSteadyDemoClock : public IDemoClock {
public:
    bool SleepMs(std::int64_t ms, std::stop_token stop) override;
};

} // namespace lumaro
