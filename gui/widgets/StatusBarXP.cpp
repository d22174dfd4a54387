#include "gui/widgets/StatusBarXP.h"

#include "gui/widgets/StatusPane.h"
#include <QFontDatabase>

namespace lumaro::gui {

CStatusBarXP::CStatusBarXP(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    // The coordinate panes are formatted with fixed widths ("%6d"), which
    // only line up in a fixed-pitch font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pane = new CStatusPane(this);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setContentsMargins(4, 0, 4, 0);
        if (i == 0) {
            addWidget(pane, 1);
        } else if (i <= 3) {
            pane->setFont(fixed);
            addPermanentWidget(pane);
        } else {
            // Lock indicators: Qt offers no portable way to read the lock
            // states, so these panes show only what is set into them.
            pane->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
            addPermanentWidget(pane);
        }
        m_panes.push_back(pane);
    }
}

bool CStatusBarXP::SetPaneText(int index, const QString& text)
{
    if (index < 0 || index >= PaneCount())
        return false;
    m_panes[static_cast<std::size_t>(index)]->SetFullText(text);
    return true;
}

QString CStatusBarXP::PaneText(int index) const
{
    if (index < 0 || index >= PaneCount())
        return {};
    return m_panes[static_cast<std::size_t>(index)]->FullText();
}

} // namespace lumaro::gui
