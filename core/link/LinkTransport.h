#pragma once

#include "core/app/Status.h"

#include <string_view>

namespace lumaro {

// The byte link to the controller as the download sees it. The program's
// implementation wraps a serial port opened at 9600,N,8,1; the tests wrap a
// boot-loader model. Received bytes travel the other way: whoever owns the
// port hands each received block to CHexDownload::OnBytesReceived.
class ILinkTransport {
public:
    virtual ~ILinkTransport() = default;

    // Queues bytes for sending and returns at once; it must not wait for the
    // line. A failure (the port went away) ends the download.
    virtual Status Send(std::string_view bytes) = 0;

    // Drops whatever the port has received and not yet delivered.
    virtual void DiscardInput() = 0;
};

} // namespace lumaro
