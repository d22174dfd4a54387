#include "gui/effects/ModeEditorPage.h"

#include "gui/app/DialogLangText.h"

namespace lumaro::gui {

CModeEditorPage::CModeEditorPage(const CModePageContext& context, const char* title, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    // The sheet relabels itself without entering its pages.
    MarkAsDialog(this);
    setWindowTitle(QString::fromLatin1(title));
}

} // namespace lumaro::gui
