#pragma once

#include <string_view>

namespace lumaro {

// The four text modes of the catalogue; only they store wordStep and
// wordColourMode in the layout file.
bool IsWordMode(std::string_view type);

// The circular-area mode stores its centre, radius and inner type.
inline constexpr std::string_view kCircularAreaType = "CM_CIRCULAR_AREA";
bool IsCircularAreaMode(std::string_view type);

} // namespace lumaro
