#pragma once

#include "core/layout/LampLayout.h"

#include <cstdint>
#include <optional>

namespace lumaro {

// Inserting and deleting single lamps by grid cell. Lamp numbers follow the
// scan's column-major order: a lamp's key is x × R + y, with R the rows of
// the scan scope at the layout's grid step.
class CLampEditor {
public:
    enum class InsertResult { Inserted, Occupied, NegativeCell };

    // Message keys for an insert at a negative cell, on a click and while dragging.
    static constexpr const char* kNegativeCellClickKey = "EDITIMGVIEW_ONLBDCLK_CIP";
    static constexpr const char* kNegativeCellDragKey = "EDITIMGVIEW_ONLBDCLK_ORIF";

    // Index of the first lamp in list order on the cell.
    static std::optional<std::size_t> FindLamp(const CLampLayout& layout, std::int32_t cx, std::int32_t cy);

    static InsertResult Insert(CLampLayout& layout, std::int32_t cx, std::int32_t cy);
    // False when no lamp stands on the cell.
    static bool Delete(CLampLayout& layout, std::int32_t cx, std::int32_t cy);

    // Rows per column of the key; 0 when the grid step has no whole part, in
    // which case lamps are ordered by column, then row.
    static std::int64_t KeyRows(const CLampLayout& layout);
};

} // namespace lumaro
