#include "core/preview/SteadyDemoClock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace lumaro {

bool CSteadyDemoClock::SleepMs(std::int64_t ms, std::stop_token stop)
{
    if (ms > 0) {
        // Nothing notifies this variable; only the stop request wakes it early.
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        wake.wait_for(lock, stop, std::chrono::milliseconds(ms), [] { return false; });
    }
    return !stop.stop_requested();
}

} // namespace lumaro
