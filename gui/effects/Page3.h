#pragma once

#include "gui/effects/ModeEditorPage.h"

namespace lumaro::gui {

// Tab 0 of the mode editor, dialog 109: the catalogue, the project's mode
// list and the preview of the selected type. For now only its place in the
// sheet, its title and what every page is handed.
class CPage3 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 109;

    explicit CPage3(const CModePageContext& context, QWidget* parent = nullptr);
};

} // namespace lumaro::gui
