#pragma once

#include "core/project/EditImgDoc.h"

namespace lumaro::test {

// A document that uses every section of the layout file: lamps on ports,
// scenes, a WORD mode, a circular-area mode, program groups, array lists
// with empty arrays, and a name that is not UTF-8.
CEditImgDoc MakeRichDocument();

// n lamps on a square grid, numbered in list order.
std::vector<CLamp> MakeLampGrid(int n);

} // namespace lumaro::test
