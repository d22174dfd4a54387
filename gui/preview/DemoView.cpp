#include "gui/preview/DemoView.h"

#include "gui/preview/DemoDoc.h"

#include <QPainter>

namespace lumaro::gui {

CDemoView::CDemoView(CDocument* document) : CView(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (auto* demo = qobject_cast<CDemoDoc*>(document)) {
        m_picture.SetLamps(demo->HandOver().lamps);
        connect(demo, &CDemoDoc::HandOverChanged, this, [this, demo] {
            m_picture.SetLamps(demo->HandOver().lamps);
            update();
        });
    }
}

void CDemoView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (m_picture.LampCount() == 0)
        return;
    m_picture.Place(size(), 0);
    painter.drawImage(0, 0, m_picture.Render({}));
}

} // namespace lumaro::gui
