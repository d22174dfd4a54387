#pragma once

#include <QStatusBar>

#include <vector>

namespace lumaro::gui {

class CStatusPane;

// The main frame's status bar: four text panes, then the Caps Lock, Num Lock
// and Scroll Lock indicator panes. Panes are addressed by index, 0 to 6.
class CStatusBarXP : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 7;

    explicit CStatusBarXP(QWidget* parent = nullptr);

    int PaneCount() const { return static_cast<int>(m_panes.size()); }
    bool SetPaneText(int index, const QString& text);
    QString PaneText(int index) const;

private:
    std::vector<CStatusPane*> m_panes;
};

} // namespace lumaro::gui
