#pragma once

#include "core/preview/DemoClock.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <utility>

namespace lumaro {

// A clock that never waits: a sleep moves its time on at once. It can
// request a stop at a set time, which ends the sleep that reaches it there,
// so that a painter that would run for ever ends at that time.
class CVirtualDemoClock : public IDemoClock {
public:
    explicit CVirtualDemoClock(std::int64_t start = 0) : m_now(start) {}

    bool SleepMs(std::int64_t ms, std::stop_token stop) override
    {
        if (stop.stop_requested())
            return false;
        ms = std::max<std::int64_t>(ms, 0);
        if (m_stopAt && m_now + ms >= *m_stopAt) {
            m_now = std::max(m_now, *m_stopAt);
            m_stopSource.request_stop();
            return false;
        }
        m_now += ms;
        return true;
    }

    void StopAt(std::int64_t ms, std::stop_source source)
    {
        m_stopAt = ms;
        m_stopSource = std::move(source);
    }

    std::int64_t Now() const { return m_now; }

private:
    std::int64_t m_now = 0;
    std::optional<std::int64_t> m_stopAt;
    std::stop_source m_stopSource{std::nostopstate};
};

} // namespace lumaro
