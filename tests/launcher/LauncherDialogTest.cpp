#include "LauncherTestSupport.h"

#include "launcher/LauncherAboutDlg.h"
#include "launcher/LauncherDialog.h"
#include "launcher/LauncherResources.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {

using launcher::IDC_PROFESSIONAL;
using launcher::IDC_STANDARD;
using launcher::IDC_STATIC;

struct StartCall {
    QString program;
    QStringList args;
};

// Puts LUMARO_HOME back as it was when the test ends.
class ScopedLumaroHome {
public:
    explicit ScopedLumaroHome(const std::optional<QString>& value)
    {
        if (m_hadValue)
            m_old = qgetenv("LUMARO_HOME");
        if (value)
            qputenv("LUMARO_HOME", QFile::encodeName(*value));
        else
            qunsetenv("LUMARO_HOME");
    }
    ~ScopedLumaroHome()
    {
        if (m_hadValue)
            qputenv("LUMARO_HOME", m_old);
        else
            qunsetenv("LUMARO_HOME");
    }

private:
    bool m_hadValue = qEnvironmentVariableIsSet("LUMARO_HOME");
    QByteArray m_old;
};

class LauncherDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_lumaroHome.emplace(m_home.path());
    }

    void TearDown() override { m_lumaroHome.reset(); }

    // A dialog whose starts are recorded and answered with the next entry of
    // results (the last one repeats).
    std::unique_ptr<CLauncherDialog> makeDialog(std::vector<bool> results)
    {
        m_results = std::move(results);
        return std::make_unique<CLauncherDialog>(
            [this](const QString& program, const QStringList& args) {
                m_starts.push_back({program, args});
                const size_t i = std::min(m_starts.size(), m_results.size()) - 1;
                return m_results[i];
            },
            [this](QWidget* parent, const QString& message) {
                m_failures.push_back(message);
                m_failureParents.push_back(parent);
            });
    }

    static QPushButton* button(const CLauncherDialog& dialog, int id)
    {
        return qobject_cast<QPushButton*>(dialog.dlgItem(id));
    }

    QString homeFile(const QString& name) const { return QDir(m_home.path()).filePath(name); }

    QTemporaryDir m_home;
    std::optional<ScopedLumaroHome> m_lumaroHome;
    std::vector<bool> m_results;
    std::vector<StartCall> m_starts;
    std::vector<QString> m_failures;
    std::vector<QWidget*> m_failureParents;
};

// ---- Which edition each button starts -------------------------------------

TEST_F(LauncherDialogTest, ProfessionalStartsEditionOne)
{
    auto dialog = makeDialog({true});
    button(*dialog, IDC_PROFESSIONAL)->click();

    ASSERT_EQ(m_starts.size(), 1u);
    EXPECT_EQ(m_starts[0].program, homeFile("Lumaro1"));
}

TEST_F(LauncherDialogTest, StandardStartsEditionTwo)
{
    auto dialog = makeDialog({true});
    button(*dialog, IDC_STANDARD)->click();

    ASSERT_EQ(m_starts.size(), 1u);
    EXPECT_EQ(m_starts[0].program, homeFile("Lumaro2"));
}

TEST_F(LauncherDialogTest, EditionsLieInTheDataFolderBesideThePrograms)
{
    ScopedLumaroHome unset(std::nullopt);
    auto dialog = makeDialog({true});
    button(*dialog, IDC_PROFESSIONAL)->click();

    ASSERT_EQ(m_starts.size(), 1u);
    const QString expected = QCoreApplication::applicationDirPath() + "/../share/lumaro/Lumaro1";
    EXPECT_EQ(QDir::cleanPath(m_starts[0].program), QDir::cleanPath(expected));
}

TEST_F(LauncherDialogTest, PassesNoneOfItsOwnArguments)
{
    const QStringList own = QCoreApplication::arguments();
    for (const QString& arg : LauncherExtraArguments())
        ASSERT_TRUE(own.contains(arg)) << "the launcher was meant to have a command line";

    auto dialog = makeDialog({false});
    button(*dialog, IDC_PROFESSIONAL)->click();
    button(*dialog, IDC_STANDARD)->click();

    ASSERT_EQ(m_starts.size(), 2u);
    EXPECT_TRUE(m_starts[0].args.isEmpty());
    EXPECT_TRUE(m_starts[1].args.isEmpty());
}

// ---- After a start --------------------------------------------------------

TEST_F(LauncherDialogTest, SuccessfulStartAcceptsTheDialog)
{
    auto dialog = makeDialog({true});
    dialog->show();
    button(*dialog, IDC_STANDARD)->click();

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(LauncherDialogTest, SuccessfulStartEndsTheModalLoop)
{
    auto dialog = makeDialog({true});
    QTimer::singleShot(0, dialog.get(), [&] { button(*dialog, IDC_PROFESSIONAL)->click(); });

    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
    EXPECT_EQ(m_starts.size(), 1u);
}

TEST_F(LauncherDialogTest, FailedStartKeepsTheDialogOpenAndSaysSo)
{
    auto dialog = makeDialog({false});
    dialog->show();
    button(*dialog, IDC_PROFESSIONAL)->click();

    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0], QStringLiteral("Can not find the File!"));
    EXPECT_EQ(m_failureParents[0], dialog.get());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(button(*dialog, IDC_PROFESSIONAL)->isEnabled());
    EXPECT_TRUE(button(*dialog, IDC_STANDARD)->isEnabled());
}

TEST_F(LauncherDialogTest, OtherEditionCanBeTriedAfterAFailure)
{
    auto dialog = makeDialog({false, true});
    dialog->show();
    button(*dialog, IDC_PROFESSIONAL)->click();
    ASSERT_TRUE(dialog->isVisible());
    button(*dialog, IDC_STANDARD)->click();

    ASSERT_EQ(m_starts.size(), 2u);
    EXPECT_EQ(m_starts[1].program, homeFile("Lumaro2"));
    EXPECT_EQ(m_failures.size(), 1u);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(LauncherDialogTest, EscapeClosesWithoutStarting)
{
    auto dialog = makeDialog({true});
    QTimer::singleShot(0, dialog.get(), [&] { QTest::keyClick(dialog.get(), Qt::Key_Escape); });

    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_TRUE(m_starts.empty());
}

// ---- The real starter and message box -------------------------------------

// An edition stand-in that writes its working directory and argument count.
static bool WriteReportingProgram(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("#!/bin/sh\n"
            "{ pwd; echo \"$#\"; } > \"$0.tmp\" && mv \"$0.tmp\" \"$0.out\"\n");
    f.close();
    return f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

#ifndef _WIN32
TEST_F(LauncherDialogTest, StartedEditionInheritsTheCurrentFolderAndNoArguments)
{
    const QString program = homeFile("Lumaro1");
    ASSERT_TRUE(WriteReportingProgram(program));
    QTemporaryDir cwd;
    ASSERT_TRUE(cwd.isValid());
    const QString oldCwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd.path()));

    CLauncherDialog dialog;
    dialog.show();
    WindowWatcher<QMessageBox> failureBox;
    button(dialog, IDC_PROFESSIONAL)->click();
    QDir::setCurrent(oldCwd);
    EXPECT_EQ(failureBox.seen(), 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    QFile report(program + ".out");
    for (int i = 0; i < 500 && !report.exists(); ++i)
        QTest::qWait(10);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly)) << "the edition did not run";
    const QStringList lines = QString::fromLocal8Bit(report.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(QDir(lines[0]).canonicalPath(), QDir(cwd.path()).canonicalPath());
    EXPECT_EQ(lines[1], "0");
}
#endif

TEST_F(LauncherDialogTest, MissingEditionShowsAWarningBox)
{
    CLauncherDialog dialog;
    dialog.show();
    QString text;
    QWidget* parent = nullptr;
    WindowWatcher<QMessageBox> watcher([&](QMessageBox* box) {
        text = box->text();
        parent = box->parentWidget();
    });
    button(dialog, IDC_STANDARD)->click();

    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(text, QStringLiteral("Can not find the File!"));
    EXPECT_EQ(parent, &dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

// ---- Looks ----------------------------------------------------------------

TEST_F(LauncherDialogTest, ShowsItsCaptionsAndIcon)
{
    auto dialog = makeDialog({true});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Lumaro 4.0"));
    EXPECT_EQ(button(*dialog, IDC_STANDARD)->text(), QStringLiteral("Standard"));
    EXPECT_EQ(button(*dialog, IDC_PROFESSIONAL)->text(), QStringLiteral("Professional "));
    auto* frame = qobject_cast<QGroupBox*>(dialog->dlgItem(IDC_STATIC));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->title().isEmpty());
    EXPECT_FALSE(dialog->windowIcon().isNull());
}

// Pixels of a dialog unit length, worked out from the font as Windows does.
struct Expected {
    explicit Expected(const QFont& font)
    {
        const QFontMetrics fm(font);
        baseX = std::lround(
            fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
            52.0);
        baseY = fm.height();
    }
    int x(int du) const { return int(std::lround(du * baseX / 4.0)); }
    int y(int du) const { return int(std::lround(du * baseY / 8.0)); }
    QRect rect(int x_, int y_, int cx, int cy) const { return QRect(x(x_), y(y_), x(cx), y(cy)); }

    long baseX;
    int baseY;
};

static void ExpectTemplateGeometry(const CLauncherDialog& dialog)
{
    const Expected px(dialog.font());
    QWidget* standard = dialog.dlgItem(IDC_STANDARD);
    QWidget* professional = dialog.dlgItem(IDC_PROFESSIONAL);
    QWidget* frame = dialog.dlgItem(IDC_STATIC);
    ASSERT_TRUE(standard && professional && frame);

    EXPECT_EQ(standard->geometry(), px.rect(21, 15, 63, 17));
    EXPECT_EQ(professional->geometry(), px.rect(21, 38, 63, 17));
    EXPECT_EQ(frame->geometry(), px.rect(4, 1, 98, 63));
    EXPECT_EQ(dialog.size(), QSize(px.x(106), px.y(67)));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the dialog is not meant to be resized";
}

TEST_F(LauncherDialogTest, PlacesItemsInDialogUnits)
{
    auto dialog = makeDialog({true});
    ExpectTemplateGeometry(*dialog);
}

TEST_F(LauncherDialogTest, PlacesItemsAgainWhenTheFontChanges)
{
    auto dialog = makeDialog({true});
    const QSize before = dialog->size();
    QFont big = dialog->font();
    big.setPixelSize(QFontMetrics(big).height() * 2);
    dialog->setFont(big);

    EXPECT_GT(dialog->width(), before.width());
    ExpectTemplateGeometry(*dialog);
}

TEST_F(LauncherDialogTest, ButtonsStackInsideTheFrame)
{
    auto dialog = makeDialog({true});
    const QRect standard = dialog->dlgItem(IDC_STANDARD)->geometry();
    const QRect professional = dialog->dlgItem(IDC_PROFESSIONAL)->geometry();
    const QRect frame = dialog->dlgItem(IDC_STATIC)->geometry();

    EXPECT_EQ(standard.left(), professional.left());
    EXPECT_EQ(standard.size(), professional.size());
    EXPECT_LT(standard.bottom(), professional.top());
    EXPECT_TRUE(frame.contains(standard));
    EXPECT_TRUE(frame.contains(professional));
    EXPECT_TRUE(dialog->rect().contains(frame));
}

TEST_F(LauncherDialogTest, ButtonsTakeTheirOwnClicks)
{
    // The frame covers the buttons; it must lie beneath them.
    auto dialog = makeDialog({true});
    dialog->show();
    for (int id : {IDC_STANDARD, IDC_PROFESSIONAL}) {
        QWidget* b = dialog->dlgItem(id);
        EXPECT_EQ(dialog->childAt(b->geometry().center()), b) << id;
    }
}

TEST_F(LauncherDialogTest, CaptionsFitTheirButtons)
{
    auto dialog = makeDialog({true});
    for (int id : {IDC_STANDARD, IDC_PROFESSIONAL}) {
        auto* b = button(*dialog, id);
        const QFontMetrics fm(b->font());
        EXPECT_LT(fm.horizontalAdvance(b->text()), b->width()) << id;
        EXPECT_LE(fm.height(), b->height()) << id;
    }
}

TEST_F(LauncherDialogTest, TabGoesFromStandardToProfessional)
{
    auto dialog = makeDialog({true});
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));

    EXPECT_EQ(QApplication::focusWidget(), dialog->dlgItem(IDC_STANDARD));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->dlgItem(IDC_PROFESSIONAL));
}

// ---- The about item -------------------------------------------------------

TEST_F(LauncherDialogTest, AboutItemKeepsItsTextByteForByte)
{
    auto dialog = makeDialog({true});
    ASSERT_NE(dialog->aboutAction(), nullptr);
    EXPECT_EQ(dialog->aboutAction()->text().toUtf8(), QByteArray("\xE5\x85\xB3\xE4\xBA\x8E Start(&A)..."));
}

TEST_F(LauncherDialogTest, AboutItemTextHasGlyphs)
{
    auto dialog = makeDialog({true});
    ASSERT_NE(dialog->aboutAction(), nullptr);
    EXPECT_TRUE(HasAllGlyphs(dialog->aboutAction()->text(), dialog->font()))
        << "no font with Chinese glyphs is installed";
}

#ifndef _WIN32
static QList<QAction*> ContextMenuActions(QWidget* target)
{
    QList<QAction*> actions;
    WindowWatcher<QMenu> watcher([&](QMenu* menu) { actions = menu->actions(); });
    const QPoint pos = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
    QApplication::sendEvent(target, &event);
    EXPECT_EQ(watcher.seen(), 1) << "no context menu";
    return actions;
}

TEST_F(LauncherDialogTest, ContextMenuOffersAbout)
{
    auto dialog = makeDialog({true});
    dialog->show();
    const QList<QAction*> actions = ContextMenuActions(dialog.get());
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0], dialog->aboutAction());
}

TEST_F(LauncherDialogTest, ContextMenuOnAButtonOffersAboutToo)
{
    auto dialog = makeDialog({true});
    dialog->show();
    const QList<QAction*> actions = ContextMenuActions(dialog->dlgItem(IDC_PROFESSIONAL));
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0], dialog->aboutAction());
    EXPECT_TRUE(m_starts.empty());
}

TEST_F(LauncherDialogTest, F1ShowsAboutModally)
{
    auto dialog = makeDialog({true});
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));

    bool modal = false;
    QWidget* parent = nullptr;
    WindowWatcher<CLauncherAboutDlg> watcher([&](CLauncherAboutDlg* about) {
        modal = QApplication::activeModalWidget() == about;
        parent = about->parentWidget();
    });
    QTest::keyClick(dialog.get(), Qt::Key_F1);

    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_TRUE(modal);
    EXPECT_EQ(parent, dialog.get());
    EXPECT_TRUE(dialog->isVisible()) << "closing the about box must not close the launcher";
    EXPECT_TRUE(m_starts.empty());
}
#endif

TEST_F(LauncherDialogTest, AboutItemShowsAboutModally)
{
    auto dialog = makeDialog({true});
    dialog->show();
    bool modal = false;
    WindowWatcher<CLauncherAboutDlg> watcher(
        [&](CLauncherAboutDlg* about) { modal = QApplication::activeModalWidget() == about; });
    dialog->aboutAction()->trigger();

    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(dialog->isVisible());
}

} // namespace
