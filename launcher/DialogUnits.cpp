#include "launcher/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

#include <cstdlib>

namespace {

// a * b / c rounded half away from zero, like Windows' MulDiv.
int MulDiv(int a, int b, int c)
{
    const long long n = static_cast<long long>(a) * b;
    const long long q = (std::llabs(n) * 2 + c) / (2LL * c);
    return static_cast<int>(n < 0 ? -q : q);
}

int AverageCharWidth(const QFontMetrics& fm)
{
    static const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (fm.horizontalAdvance(kAlphabet) + 26) / 52;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    m_baseX = AverageCharWidth(fm);
    m_baseY = fm.height();
}

DialogUnits::DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

int DialogUnits::x(int du) const
{
    return MulDiv(du, m_baseX, 4);
}

int DialogUnits::y(int du) const
{
    return MulDiv(du, m_baseY, 8);
}

QSize DialogUnits::size(int cx, int cy) const
{
    return QSize(x(cx), y(cy));
}

QRect DialogUnits::rect(int x, int y, int cx, int cy) const
{
    return QRect(this->x(x), this->y(y), this->x(cx), this->y(cy));
}
