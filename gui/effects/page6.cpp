#include "gui/effects/page6.h"

#include "core/app/LangText.h"

namespace lumaro::gui {

Cpage6::Cpage6(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "Mode Parameter", parent)
{
    // Unlike its neighbours this page takes its texts through its own code.
    if (const std::string title = GetLangText("IDD112_Title"); !title.empty())
        setWindowTitle(QString::fromStdString(title));
}

} // namespace lumaro::gui
