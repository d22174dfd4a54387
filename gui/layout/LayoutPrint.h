#pragma once

#include "core/layout/Lamp.h"

#include <cstddef>
#include <vector>

class QPainter;
class QPrinter;

namespace lumaro::gui {

// One printed page of the layout: a block of cells and the lamps in it.
struct LampPrintPage {
    int number = 0; // 1-based; pages run down first, then across
    int blockLeft = 0;
    int blockTop = 0;
    std::vector<std::size_t> lamps; // indices into the lamp list
};

// The layout's device pixels are those of a 360 dpi printer: the block of
// 2500 × 3800 and the page number at (1300, 3900) fit A4 and Letter.
inline constexpr int kPrintLayoutDpi = 360;
inline constexpr int kPrintBlockWidth = 2500;
inline constexpr int kPrintBlockHeight = 3800;

// Pages of columns × rows cells over the lamps' bounding box, in page order.
std::vector<LampPrintPage> LampPrintPages(const std::vector<CLamp>& lamps, int columns, int rows);

// Paints one page in the layout's device pixels: a square and the port and
// order of each lamp, in colour when printColour is set; with wiring, the
// port chains as far as they cross the page.
void PaintLampPage(QPainter& painter, const LampPrintPage& page, const std::vector<CLamp>& lamps,
                   int cellSize, bool printColour, bool wiring);

// Prints every page, scaled to the printer's real resolution.
void PrintLampPages(QPrinter& printer, const std::vector<CLamp>& lamps, int cellSize, bool printColour,
                    bool wiring = false);

} // namespace lumaro::gui
