#include "gui/layout/LayoutDocument.h"

#include "core/layout/LayoutFile.h"

namespace lumaro::gui {

namespace {
fs::path ToPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}
} // namespace

bool CLayoutDocument::OnNewDocument()
{
    m_data = lumaro::CEditImgDoc();
    return true;
}

bool CLayoutDocument::OnOpenDocument(const QString& path)
{
    Result<lumaro::CEditImgDoc> loaded = CLayoutFile::Load(FindPathNoCase(ToPath(path)));
    if (!loaded) {
        ReportFailure(loaded.status().key);
        return false;
    }
    m_data = std::move(loaded).value();
    m_data.modified = false;
    return true;
}

bool CLayoutDocument::OnSaveDocument(const QString& path)
{
    Status saved = CLayoutFile::Save(m_data, ToPath(path));
    if (!saved) {
        ReportFailure(saved.key);
        return false;
    }
    m_data.modified = false;
    return true;
}

} // namespace lumaro::gui
