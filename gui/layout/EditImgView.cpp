#include "gui/layout/EditImgView.h"

#include "gui/layout/LayoutDocument.h"

#include <QPainter>

namespace lumaro::gui {

CEditImgView::CEditImgView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CLayoutDocument* CEditImgView::GetLayoutDocument() const
{
    return qobject_cast<CLayoutDocument*>(GetDocument());
}

void CEditImgView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
}

} // namespace lumaro::gui
