#pragma once

#include "core/effects/ArrayTable.h"
#include "core/effects/ModeCatalogue.h"
#include "core/effects/ModeItem.h"
#include "core/firmware/ControllerLimits.h"
#include "core/layout/Lamp.h"

#include <cstdint>
#include <vector>

namespace lumaro {

// Smallest and largest x and y of the lamps on the grid.
struct CBoundingBox {
    std::int64_t minX = 0, minY = 0, maxX = -1, maxY = -1;
    bool Empty() const { return maxX < minX || maxY < minY; }
    bool Contains(std::int64_t x, std::int64_t y) const
    {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
};

// Orders the lamps of one mode into a lamp sequence or a band list over the
// 500 × 500 lamp grid. One generator serves a whole compilation: the grid is
// rebuilt only when a mode's layer or circle differs from the last one, and
// duplicate checks use a mark per lamp number, so every mode costs time in
// proportion to the cells it visits.
class CFrameGenerator {
public:
    static constexpr int kGridSize = controller::kGridSize;

    CFrameGenerator(const std::vector<CLamp>& lampPositions, const std::vector<UIntArray>& layers);

    // The box of the lamps on the grid; lamps off it are never placed, so
    // they bound nothing, however far off a corrupt file puts them.
    static CBoundingBox BoundsOnGrid(const std::vector<CLamp>& lamps);

    const CBoundingBox& Box() const { return m_box; }

    // The grid for a record: its layer's lamps (all lamps for layer 0 or
    // above 50), masked by the circle of a circular-area record.
    void PrepareGrid(const CModeItem& record);
    // Lamp number on a cell, -1 for an empty cell or one outside the grid.
    std::int32_t Cell(std::int64_t x, std::int64_t y) const
    {
        if (x < 0 || y < 0 || x >= kGridSize || y >= kGridSize)
            return -1;
        return m_grid[static_cast<std::size_t>(y * kGridSize + x)];
    }

    // For the lamp-order kinds.
    // hash, when given, receives the order's CArrayHash.
    UIntArray LampOrder(const CModeItem& record, OrderKind kind, std::uint64_t* hash = nullptr);
    // For the band kinds: each band's lamps go into lampSequences, the
    // returned list holds their positions.
    UIntArray BandOrder(const CModeItem& record, OrderKind kind, CArrayTable& lampSequences);

private:
    class Sequence;
    struct Visit;

    void ColumnOrder(Visit& v, std::int64_t fromX, std::int64_t toX);
    void RowOrder(Visit& v, std::int64_t fromY, std::int64_t toY);
    void ColumnLampOrder(Visit& v, std::int64_t startX);
    void RowLampOrder(Visit& v, std::int64_t startY);
    void DiagonalLampOrder(Visit& v, bool rising, std::int64_t startX, std::int64_t startY,
                           std::int64_t lines);
    void DiagonalPart(Visit& v, bool rising, std::int64_t x, std::int64_t y, int dx);
    void FrameOrder(Visit& v);
    void TraceOutline(Visit& v, std::int64_t x, std::int64_t y);
    void KernelOrder(Visit& v);
    bool IsInterior(std::int64_t x, std::int64_t y) const;

    // Each band's lamps, when there are any, go into the table; the band
    // list collects their positions.
    template <class Fill> void AddBand(Visit& v, CArrayTable& lampSequences, UIntArray& bands, Fill fill);
    void ColumnBands(Visit& v, const CModeItem& r, CArrayTable& lampSequences, UIntArray& bands);
    void RowBands(Visit& v, const CModeItem& r, CArrayTable& lampSequences, UIntArray& bands);
    void DiagonalBands(Visit& v, const CModeItem& r, bool rising, CArrayTable& lampSequences,
                       UIntArray& bands);
    void Rings(Visit& v, const CModeItem& r, CArrayTable& lampSequences, UIntArray& bands);
    void SideToMiddleBands(Visit& v, CArrayTable& lampSequences, UIntArray& bands);

    const std::vector<CLamp>& m_lamps;
    const std::vector<UIntArray>& m_layers;
    CBoundingBox m_box;
    std::vector<std::int32_t> m_grid;
    std::vector<std::size_t> m_filled; // cells set by the last PrepareGrid
    // No lamp number stands on two cells of the grid (and every number has
    // a mark): a walk that looks at each cell once then needs no marks.
    bool m_gridUnique = false;
    UIntArray m_bandBuffer;

    // What the grid currently holds.
    bool m_gridValid = false;
    std::int64_t m_gridLayer = 0;
    bool m_gridCircle = false;
    std::int64_t m_circleX = 0, m_circleY = 0, m_circleR = 0;

    // Marks per lamp number, stamped with a generation so clearing is
    // rare; 16 bits keep a whole grid's marks in the cache beside the grid.
    std::vector<std::uint16_t> m_marks;
    std::uint16_t m_generation = 0;
};

} // namespace lumaro
