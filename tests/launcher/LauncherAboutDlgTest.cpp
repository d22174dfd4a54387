#include "LauncherTestSupport.h"

#include "launcher/LauncherAboutDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLabel* TextLabel(const CLauncherAboutDlg& about, const QString& text)
{
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

QPushButton* OkButton(const CLauncherAboutDlg& about)
{
    return about.findChild<QPushButton*>(QStringLiteral("okButton"));
}

const QString kVersion = QStringLiteral("Start 4.0 版");
const QString kCopyright = QStringLiteral("版权所有 (C) 2004 Norvale");

TEST(LauncherAboutDlg, ShowsCaptionVersionAndCopyright)
{
    CLauncherAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 Start"));
    EXPECT_NE(TextLabel(about, kVersion), nullptr);
    EXPECT_NE(TextLabel(about, kCopyright), nullptr);
    ASSERT_NE(OkButton(about), nullptr);
    EXPECT_EQ(OkButton(about)->text(), QStringLiteral("确定"));
}

TEST(LauncherAboutDlg, ShowsTheProgramIcon)
{
    CLauncherAboutDlg about;
    bool found = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            found = true;
            EXPECT_EQ(label->pixmap().size(), QSize(32, 32));
            EXPECT_TRUE(about.rect().contains(label->geometry()));
        }
    }
    EXPECT_TRUE(found) << "the icon resource is missing";
}

TEST(LauncherAboutDlg, ChineseTextsHaveGlyphs)
{
    CLauncherAboutDlg about;
    for (const QString& text : {about.windowTitle(), kVersion, kCopyright, OkButton(about)->text()})
        EXPECT_TRUE(HasAllGlyphs(text, about.font()))
            << "no font with Chinese glyphs for " << text.toStdString();
}

TEST(LauncherAboutDlg, TextsAreNotClipped)
{
    CLauncherAboutDlg about;
    about.show();
    const QRect ok = OkButton(about)->geometry();
    for (const QString& text : {kVersion, kCopyright}) {
        QLabel* label = TextLabel(about, text);
        ASSERT_NE(label, nullptr);
        EXPECT_GE(label->width(), label->sizeHint().width()) << text.toStdString();
        EXPECT_GE(label->height(), label->sizeHint().height()) << text.toStdString();
        EXPECT_TRUE(about.rect().contains(label->geometry())) << text.toStdString();
        EXPECT_FALSE(label->geometry().intersects(ok)) << text.toStdString();
    }
    EXPECT_TRUE(about.rect().contains(ok));
    EXPECT_LT(QFontMetrics(OkButton(about)->font()).horizontalAdvance(OkButton(about)->text()), ok.width());
}

TEST(LauncherAboutDlg, OkAccepts)
{
    CLauncherAboutDlg about;
    QTimer::singleShot(0, &about, [&] { OkButton(about)->click(); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

TEST(LauncherAboutDlg, EnterPressesOk)
{
    CLauncherAboutDlg about;
    QTimer::singleShot(0, &about, [&] { QTest::keyClick(&about, Qt::Key_Return); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

} // namespace
