#pragma once

#include "gui/effects/ModeEditorPage.h"

namespace lumaro::gui {

// Tab 2 of the mode editor, dialog 111: the lamp lists and band lists of
// custom modes, built by picking lamps in the mode test view. For now only
// its place in the sheet, its title and what every page is handed.
class CPage5 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 111;

    explicit CPage5(const CModePageContext& context, QWidget* parent = nullptr);
};

} // namespace lumaro::gui
