#pragma once

#include <QLabel>

namespace lumaro::gui {

// A status bar pane that shows as much of its text as fits, elided at the
// end, and the whole text as its tool tip. A long message never asks for
// more room than the window has: the pane wants its text's width but makes
// do with a few characters, so the window never grows past the screen.
class CStatusPane : public QLabel {
    Q_OBJECT
public:
    explicit CStatusPane(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    QString FullText() const { return m_text; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Elide();
    int Around() const;

    QString m_text;
};

} // namespace lumaro::gui
