#pragma once

#include "core/effects/ModeItem.h"

namespace lumaro {

class CArchiveReader;
class CArchiveWriter;

// The mode record as the layout file stores it: the area first (top, bottom,
// left, right), the WORD and circular-area fields only for those types.
void WriteModeItem(CArchiveWriter& out, const CModeItem& item);
CModeItem ReadModeItem(CArchiveReader& in);

// Fewest bytes a stored mode record can take (two empty strings, no
// optional groups, two empty arrays).
inline constexpr std::size_t kMinModeItemBytes = 7 * 4 + 1 + 1 + 2 * 4 + 2 * 4 + 4 * 4 + 4 + 4 + 4 * 4;

} // namespace lumaro
