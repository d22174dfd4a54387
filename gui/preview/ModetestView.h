#pragma once

#include "gui/app/View.h"

namespace lumaro::gui {

// The mode test view of template 169, a second view on a lamp layout document: an empty client area for now.
class CModetestView : public CView {
    Q_OBJECT
public:
    explicit CModetestView(CDocument* document);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumaro::gui
