#pragma once

#include <cstdint>
#include <stop_token>

namespace lumaro {

// Time for the demo painters' waits. The program's implementation sleeps on
// a steady clock; the tests' is a virtual clock that advances at once and
// keeps the time, so no test sleeps.
class IDemoClock {
public:
    virtual ~IDemoClock() = default;

    // Waits `ms` milliseconds (none when 0 or less) unless `stop` is
    // requested before or meanwhile; false when stopped, at once.
    virtual bool SleepMs(std::int64_t ms, std::stop_token stop) = 0;
};

} // namespace lumaro
