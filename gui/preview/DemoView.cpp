#include "gui/preview/DemoView.h"

#include <QPainter>

namespace lumaro::gui {

CDemoView::CDemoView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CDemoView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
}

} // namespace lumaro::gui
