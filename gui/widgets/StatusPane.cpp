#include "gui/widgets/StatusPane.h"

#include <QEvent>
#include <QFontMetrics>

namespace lumaro::gui {

CStatusPane::CStatusPane(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void CStatusPane::SetFullText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    setToolTip(text);
    updateGeometry();
    Elide();
}

int CStatusPane::Around() const
{
    const QMargins m = contentsMargins();
    return m.left() + m.right() + 2 * frameWidth() + 2 * margin();
}

QSize CStatusPane::sizeHint() const
{
    // The whole text's width, whatever part of it is shown now.
    return {fontMetrics().horizontalAdvance(m_text) + Around(), QLabel::sizeHint().height()};
}

QSize CStatusPane::minimumSizeHint() const
{
    const int least = fontMetrics().horizontalAdvance(QStringLiteral("Wm…")) + Around();
    return {std::min(sizeHint().width(), least), QLabel::minimumSizeHint().height()};
}

void CStatusPane::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void CStatusPane::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Elide();
}

void CStatusPane::Elide()
{
    const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, contentsRect().width());
    if (shown != text())
        setText(shown);
}

} // namespace lumaro::gui
