#pragma once

#include "gui/app/View.h"

namespace lumaro::gui {

// The demo view of template 131: an empty client area for now.
class CDemoView : public CView {
    Q_OBJECT
public:
    explicit CDemoView(CDocument* document);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumaro::gui
