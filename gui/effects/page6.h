#pragma once

#include "gui/effects/ModeEditorPage.h"

namespace lumaro::gui {

// Tab 3 of the mode editor, dialog 112: timing, scope and start point of
// the record being edited; its OK stores the record in the mode list. For
// now only its place in the sheet, its title and what every page is handed.
class Cpage6 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 112;

    explicit Cpage6(const CModePageContext& context, QWidget* parent = nullptr);
};

} // namespace lumaro::gui
