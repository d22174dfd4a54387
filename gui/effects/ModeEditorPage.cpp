#include "gui/effects/ModeEditorPage.h"

#include "core/app/LangText.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"

namespace lumaro::gui {

CModeEditorPage::CModeEditorPage(const CModePageContext& context, const char* title, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    // The sheet relabels itself without entering its pages.
    MarkAsDialog(this);
    setWindowTitle(QString::fromLatin1(title));
}

bool CModeEditorPage::EditOrTell(const QString& text, Aspects aspects,
                                 const std::function<Status(CEditImgDoc&)>& change)
{
    Status status;
    m_context.document.Edit(text, aspects, [&](CEditImgDoc& data) {
        status = change(data);
        return bool(status);
    });
    if (!status)
        m_context.prompts.message(this, QString::fromStdString(GetLangText(status)), QMessageBox::Warning,
                                  QMessageBox::Ok);
    return bool(status);
}

} // namespace lumaro::gui
