#include "launcher/LauncherAboutDlg.h"

#include "launcher/DialogUnits.h"
#include "launcher/LauncherIcon.h"
#include "launcher/LauncherResources.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using namespace launcher;

namespace {
constexpr int kIconPixels = 32;
}

CLauncherAboutDlg::CLauncherAboutDlg(QWidget* parent)
    : QDialog(parent), m_icon(new QLabel(this)), m_version(new QLabel(AboutVersion(), this)),
      m_copyright(new QLabel(AboutCopyright(), this)), m_ok(new QPushButton(OkCaption(), this))
{
    setObjectName(QStringLiteral("aboutDialog"));
    setProperty(kDlgItemIdProperty, int(IDD_ABOUTBOX));
    setWindowTitle(AboutCaption());

    m_icon->setPixmap(LauncherIcon().pixmap(kIconPixels, kIconPixels));
    m_version->setTextFormat(Qt::PlainText);
    m_copyright->setTextFormat(Qt::PlainText);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    placeItems();
}

void CLauncherAboutDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        placeItems();
    QDialog::changeEvent(event);
}

void CLauncherAboutDlg::placeItems()
{
    const DialogUnits du(font());

    m_icon->setGeometry(QRect(du.x(11), du.y(17), kIconPixels, kIconPixels));

    // A line is eight units, the primary font's height; Chinese glyphs may
    // come from a fallback font that needs more, so a line never gets less
    // than the label asks for.
    auto placeLine = [&](QLabel* label, int y) {
        QRect r = du.rect(40, y, 119, 8);
        r.setHeight(std::max(r.height(), label->sizeHint().height()));
        r.setWidth(std::max(r.width(), label->sizeHint().width()));
        label->setGeometry(r);
    };
    placeLine(m_version, 10);
    placeLine(m_copyright, 25);

    m_ok->setGeometry(du.rect(178, 7, 50, 14));
    setFixedSize(du.size(235, 55));
}
