#pragma once

#include "cli/JsonError.h"
#include "core/app/Status.h"
#include "core/project/EditImgDoc.h"

#include <string>
#include <string_view>

namespace lumaro::cli {

// The stored members of the document as JSON, the shape that the verbs and
// outside scripts share:
//   { "backgroundColour", "scanScope": {"left","top","right","bottom"},
//     "objectSize", "reservedReal", "lampSize", "backgroundTolerance",
//     "gridStep", "scenes": [16 × [8 × {"menuIndex","speed","colours"}]],
//     "lamps": [{"x","y","number","colour","size","shown","port","order"}],
//     "lampPositions", "lampPositions2": [{"x","y","number"}],
//     "modes": [MODE], "programGroups": [32 × [MODE]],
//     "lampGroups", "groupLists", "layers": [[uint, ...], ...] }
// with MODE an object of the CModeItem members under their own names. The
// state that is not stored (scanned, specialSaveMode) is left out.
Json LayoutToJson(const CEditImgDoc& doc);

// The reverse. A missing key keeps the value of a new document or record.
// Fails, with a detail naming the key by its path, on a value of the wrong
// JSON type, an integer outside the range of its field, an unknown key, or
// scenes and program groups that are not exactly 16 × 8 and 32. Layers are
// padded to 50.
Result<CEditImgDoc> LayoutFromJson(const Json& json);

// As text: indented by two spaces, with a final newline.
std::string FormatLayoutJson(const CEditImgDoc& doc);
// Also fails on text that is not JSON, with the line and column.
Result<CEditImgDoc> ParseLayoutJson(std::string_view text);

} // namespace lumaro::cli

namespace lumaro::cli {

// One mode record, in the MODE shape of the layout JSON.
Json ModeToJson(const CModeItem& mode);
// A list of uint arrays (tables, lamp groups, layers).
Json ArrayListToJson(const std::vector<UIntArray>& arrays);

} // namespace lumaro::cli
