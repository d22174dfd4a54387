#pragma once

#include <cstdint>

namespace lumaro {

// Time for the download's waits. The program's implementation is a monotonic
// clock with one single-shot timer on the user-interface thread; the tests'
// is a virtual clock they advance themselves, so no test sleeps.
class ILinkClock {
public:
    virtual ~ILinkClock() = default;

    // Milliseconds since any fixed moment; never goes back.
    virtual std::int64_t NowMs() const = 0;

    // Asks for one call of CHexDownload::OnTimer at or after atMs. A new
    // request replaces the previous one. An early or extra call is harmless.
    virtual void WakeAt(std::int64_t atMs) = 0;
};

} // namespace lumaro
