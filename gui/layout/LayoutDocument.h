#pragma once

#include "core/layout/EditImgDoc.h"
#include "gui/app/Document.h"

namespace lumaro::gui {

// The lamp layout document of templates 130 and 169: owns the project data
// and reads and writes it as a layout file.
class CLayoutDocument : public CDocument {
    Q_OBJECT
public:
    CLayoutDocument() = default;

    lumaro::CEditImgDoc& Data() { return m_data; }
    const lumaro::CEditImgDoc& Data() const { return m_data; }

    bool IsModified() const override { return m_data.modified; }
    void SetModifiedFlag(bool modified = true) override { m_data.modified = modified; }

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;

private:
    lumaro::CEditImgDoc m_data;
};

} // namespace lumaro::gui
