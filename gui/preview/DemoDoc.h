#pragma once

#include "gui/app/Document.h"

namespace lumaro::gui {

// The demo document of template 131. It has no content yet: it opens empty
// (or from a file it only checks for being readable) and cannot be saved.
class CDemoDoc : public CDocument {
    Q_OBJECT
public:
    CDemoDoc();

    bool OnOpenDocument(const QString& path) override;
};

} // namespace lumaro::gui
