#pragma once

#include "core/app/Status.h"

#include <QString>

#include <string>
#include <vector>

namespace lumaro::gui {

// The language text of key; `fallback` when the key is missing, if given.
QString LangText(const char* key, const char* fallback = nullptr);

// The language text of key with its placeholders %1, %2 ... replaced by
// values in order; empty when the key is missing.
QString LangTextWith(const std::string& key, const std::vector<std::string>& values);

// The detail of a failure as the user reads it: its language text with the
// values filled in. Empty when the failure has only a technical detail,
// which is for the command line and the tests, not for the message box.
QString DetailText(const Status& status);

} // namespace lumaro::gui
