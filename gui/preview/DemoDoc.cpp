#include "gui/preview/DemoDoc.h"

#include "core/app/FileSystem.h"
#include "gui/app/CommandIds.h"

namespace lumaro::gui {

CDemoDoc::CDemoDoc()
{
    // Nothing to store yet, so saving is not offered.
    OnUpdate(cmd::FileSave, [](CCmdUI& ui) { ui.Enable(false); });
    OnUpdate(cmd::FileSaveAs, [](CCmdUI& ui) { ui.Enable(false); });
}

void CDemoDoc::SetHandOver(CPlayHandOver handOver)
{
    m_handOver = std::move(handOver);
    Q_EMIT HandOverChanged();
}

bool CDemoDoc::OnOpenDocument(const QString& path)
{
    Result<std::string> bytes = ReadFileBytes(FindPathNoCase(fs::path(path.toStdU16String())));
    if (!bytes) {
        ReportFailure(bytes.status().key);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

} // namespace lumaro::gui
