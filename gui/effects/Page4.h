#pragma once

#include "gui/effects/ModeEditorPage.h"

namespace lumaro::gui {

// Dialog 110, made with the other pages of the mode editor but never shown
// in its sheet.
class CPage4 : public CModeEditorPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 110;

    explicit CPage4(const CModePageContext& context, QWidget* parent = nullptr);
};

} // namespace lumaro::gui
