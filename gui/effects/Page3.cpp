#include "gui/effects/Page3.h"

#include "gui/app/DialogLangText.h"

namespace lumaro::gui {

CPage3::CPage3(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "ModeList", parent)
{
    SetDialogLangText(this, kDialogId);
}

} // namespace lumaro::gui
