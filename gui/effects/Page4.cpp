#include "gui/effects/Page4.h"

namespace lumaro::gui {

CPage4::CPage4(const CModePageContext& context, QWidget* parent) : CModeEditorPage(context, "", parent) {}

} // namespace lumaro::gui
