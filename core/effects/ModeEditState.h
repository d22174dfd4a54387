#pragma once

#include "core/effects/ModeItem.h"

#include <optional>
#include <utility>

namespace lumaro {

// What the mode editor's pages share while a mode is being made or changed.
// The record lives here, not in the project, until the parameter page's OK
// puts it into the mode list: colours, timing and scope can be tried out
// without an edit of the document for every click.
struct CModeEditState {
    // What the parameter page's OK does with the record.
    enum class Action { None, Adding, Inserting, Editing };

    CModeItem record;
    Action action = Action::None;
    // A new "CM_CUSTOMMODE" still waits for its lamp order or band list
    // from the group list page.
    bool customModePending = false;
    // The circular-area dialog is open; its choice becomes the next record.
    bool circularAreaPending = false;
    // The selected mode of the mode list: the one edited, or the one a new
    // mode is inserted behind; -1 for none.
    int selectedIndex = -1;
    // "Copy Mode"'s record, which "Paste Mode" inserts.
    std::optional<CModeItem> copied;
    // Counts the records begun, so that a page refills its controls once
    // for each new record rather than on every visit.
    unsigned recordSerial = 0;

    void Begin(CModeItem newRecord, Action why)
    {
        record = std::move(newRecord);
        action = why;
        ++recordSerial;
    }
};

} // namespace lumaro
