#include "gui/effects/Page5.h"

#include "gui/app/DialogLangText.h"

namespace lumaro::gui {

CPage5::CPage5(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "GroupList", parent)
{
    SetDialogLangText(this, kDialogId);
}

} // namespace lumaro::gui
