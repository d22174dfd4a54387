#pragma once

#include "core/preview/PlayHandOver.h"
#include "gui/app/Document.h"

namespace lumaro::gui {

// The demo document of template 131: what a play command handed over (its
// own copy of the lamps, a share of the compiled data). Opened from a file
// it only checks the file for being readable; it cannot be saved.
class CDemoDoc : public CDocument {
    Q_OBJECT
public:
    CDemoDoc();
    bool OnOpenDocument(const QString& path) override;

    void SetHandOver(CPlayHandOver handOver);
    const CPlayHandOver& HandOver() const { return m_handOver; }

Q_SIGNALS:
    void HandOverChanged();

private:
    CPlayHandOver m_handOver;
};

} // namespace lumaro::gui
