#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Converts dialog template units to pixels the way the Windows dialog
// manager does, so the dialogs keep their proportions with any font: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY);

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }

    int x(int du) const;
    int y(int du) const;
    QSize size(int cx, int cy) const;
    // Each of the four values is converted on its own, as a dialog item
    // template is, so an item's size does not depend on where it sits.
    QRect rect(int x, int y, int cx, int cy) const;

private:
    int m_baseX;
    int m_baseY;
};
