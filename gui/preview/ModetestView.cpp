#include "gui/preview/ModetestView.h"

#include <QPainter>

namespace lumaro::gui {

CModetestView::CModetestView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CModetestView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
}

} // namespace lumaro::gui
