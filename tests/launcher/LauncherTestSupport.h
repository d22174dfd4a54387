#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <ostream>

// Waits, from inside whatever event loop runs next (a modal exec(), a popup
// menu), for a visible top-level T, hands it to check and closes it. After
// five seconds without one it closes every window instead, so a missing
// window fails the test rather than hanging it.
template <class T> class WindowWatcher {
public:
    explicit WindowWatcher(std::function<void(T*)> check = {}) : m_check(std::move(check))
    {
        m_clock.start();
        schedule(0);
    }

    int seen() const { return m_seen; }

private:
    void schedule(int ms)
    {
        QTimer::singleShot(ms, &m_context, [this] { poll(); });
    }

    void poll()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            T* t = qobject_cast<T*>(w);
            if (t && t->isVisible()) {
                ++m_seen;
                if (m_check)
                    m_check(t);
                t->close();
                return;
            }
        }
        if (m_clock.elapsed() < 5000)
            schedule(10);
        else
            QApplication::closeAllWindows();
    }

    std::function<void(T*)> m_check;
    QElapsedTimer m_clock;
    QObject m_context;
    int m_seen = 0;
};

// True when every visible character of text is drawn with a real glyph of
// font or of a fallback font, rather than the "missing glyph" box.
bool HasAllGlyphs(const QString& text, const QFont& font);

// The arguments the test program gives its QApplication beyond its own.
QStringList LauncherExtraArguments();

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
