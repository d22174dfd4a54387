#pragma once

#include <QPoint>

#include <optional>

namespace lumaro::gui {

// What a view of a lamp layout tells about the cell under the pointer, for
// the main frame's status panes and coordinates bar.
struct HoveredCell {
    // The port chain of the lamp on the cell; -1 for none.
    struct Chain {
        int port;
        int order;
    };

    std::optional<QPoint> cell; // none while the pointer has not been over the view
    int number = -1;            // the lamp on the cell, -1 for none
    // None from a view that shows no chains: a cell then leaves the chain's
    // texts as they are.
    std::optional<Chain> chain = Chain{-1, -1};
    int total = 0; // lamps in the layout
    // Where the count's label starts in its pane; the mode test view's
    // starts a column further left.
    int totalIndent = 11;
};

} // namespace lumaro::gui
