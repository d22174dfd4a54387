#pragma once

#include "core/app/Status.h"

#include <cstddef>
#include <string_view>

namespace lumaro {

// What a running download tells the dialog. The calls come after the
// download has finished its own step, so a listener may call back into it
// (Cancel, or Start from OnFinished); it must not destroy it from a call.
class IDownloadListener {
public:
    virtual ~IDownloadListener() = default;

    // One of the fixed texts of downloadtext, in the order the dialog shows
    // them. The download does not wait for the box to be closed.
    virtual void OnMessage(std::string_view text) = 0;

    // Record characters accepted so far, of the file's size in bytes (line
    // ends are not sent, so a finished file stays a little short of it).
    virtual void OnProgress(std::size_t sent, std::size_t total) = 0;

    // The download is over: Ok, or the failure that stopped it (its detail is
    // the text already shown, or why it was cancelled).
    virtual void OnFinished(const Status& outcome) = 0;
};

} // namespace lumaro
