#pragma once

#include "core/project/EditImgDoc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumaro::test {

// The 70 type names of the user's mode list, in list order.
const std::vector<std::string>& CatalogueTypeNames();

// The 61 names the circular area dialog offers as inner modes, in its order.
const std::vector<std::string>& CircleInnerTypeNames();

// A random project for comparing compilers, the same for the same seed on
// every platform: lamps in blocks, lines with holes and scatter (sometimes on
// row or column 0, sometimes reaching 499, sometimes two on one cell), a few
// layers with bad entries, user lamp groups and group lists, up to 25 modes
// of every type with awkward parameters, and program groups naming modes
// that are WORD modes, repeated, or missing.
CEditImgDoc RandomProject(std::uint32_t seed);

} // namespace lumaro::test
