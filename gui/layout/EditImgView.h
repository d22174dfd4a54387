#pragma once

#include "gui/app/View.h"

namespace lumaro::gui {

class CLayoutDocument;

// The lamp layout view of template 130. For now it only paints its empty
// client area; the layout editing comes with the view's own commands.
class CEditImgView : public CView {
    Q_OBJECT
public:
    explicit CEditImgView(CDocument* document);

    CLayoutDocument* GetLayoutDocument() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumaro::gui
