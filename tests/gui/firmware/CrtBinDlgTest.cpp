#include "effects/EffectsTestSupport.h"

#include "core/app/FileSystem.h"
#include "core/layout/PortTable.h"
#include "gui/document/LayoutDocument.h"
#include "gui/firmware/CrtBinDlg.h"
#include "gui/firmware/FirmwareBuildRunner.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace lumaro::gui::test {
namespace {

// A compiler that leaves its image after a number of looks, or never.
class SlowCompiler : public IExternalProcess {
public:
    SlowCompiler(int rounds, std::function<void()> finish) : m_rounds(rounds), m_finish(std::move(finish)) {}
    bool Start(const fs::path&, const fs::path&) override { return true; }
    bool Running() override
    {
        if (m_rounds > 0 && --m_rounds == 0 && m_finish)
            m_finish();
        return m_rounds > 0;
    }

private:
    int m_rounds;
    std::function<void()> m_finish;
};

class CrtBinDlgTest : public EffectsDialogTest {
protected:
    void SetUp() override
    {
        EffectsDialogTest::SetUp();
        fs::create_directories(Build());
        ASSERT_TRUE(WriteFileAtomic(Build() / "lss3.sh", "exit 0\n").ok());
        CEditImgDoc project;
        project.lamps = LampRow(0, 37);
        for (auto& lamp : project.lamps) {
            lamp.port = 2;
            lamp.order = lamp.number + 1;
        }
        document.OpenProject(project);
        document.SetTitle(QStringLiteral("Show.led"));
        ASSERT_TRUE(CPortTable::Write(project.lamps, Current()).ok());
        dialog = std::make_unique<CCrtBinDlg>(document, prompts, running, Build(), Current());
        dialog->Runner().downloadDelayMs = 0;
    }
    fs::path Current() const { return fs::path(folder.path().toStdString()); }
    fs::path Build() const { return Current() / "sys"; }
    void WriteImage() const
    {
        (void)WriteFileAtomic(Build() / "DSP3.hex", ":00000001FF\r\n");
        (void)WriteFileAtomic(Build() / "DSP3.BIN", std::string(640, '\0'));
    }
    void UseCompiler(int rounds, bool delivers)
    {
        dialog->Runner().makeProcess = [this, rounds, delivers] {
            return std::make_unique<SlowCompiler>(
                rounds, delivers ? std::function<void()>([this] { WriteImage(); }) : std::function<void()>());
        };
    }
    // Clicks Create and waits for the build to end.
    void Build(QSignalSpy& finished)
    {
        dialog->Button(CCrtBinDlg::CreateId)->click();
        EXPECT_FALSE(dialog->Button(CCrtBinDlg::CreateId)->isEnabled()) << "one build at a time";
        ASSERT_TRUE(finished.wait(20000));
    }

    QTemporaryDir folder;
    CLayoutDocument document;
    CFirmwareBuildRunner::RunningCount running = std::make_shared<int>(0);
    std::unique_ptr<CCrtBinDlg> dialog;
};

TEST_F(CrtBinDlgTest, CreateBuildsReportsAndHandsTheImageToTheDownload)
{
    EXPECT_EQ(dialog->windowTitle(), Text("IDD1010_Title"));
    EXPECT_FALSE(dialog->Button(CCrtBinDlg::CreateId)->isEnabled()) << "no format chosen yet";
    int chosen = 0;
    dialog->formatChosen = [&](int format) { chosen = format; };
    dialog->ChooseFormat(3);
    EXPECT_EQ(chosen, 3);
    EXPECT_TRUE(dialog->Button(CCrtBinDlg::CreateId)->isEnabled());

    QString written;
    dialog->openDownload = [&](const QString& image) { written = image; };
    dialog->WriteAfter()->setChecked(true);
    UseCompiler(120, true);
    QSignalSpy finished(&dialog->Runner(), &CFirmwareBuildRunner::Finished);
    Build(finished);

    const QString copy = QString::fromStdU16String((Current() / "Show3.hex").u16string());
    EXPECT_EQ(finished.first().at(1).toString(), copy);
    EXPECT_EQ(written, copy);
    EXPECT_TRUE(dialog->ReportBox()->text().contains(Text("ID_MSG_CBINDLG_PRGGRP")));
    EXPECT_TRUE(dialog->ReportBox()->text().contains(QStringLiteral("640(Byte)")));
    EXPECT_TRUE(dialog->ReportBox()->text().contains(QDir::toNativeSeparators(copy))) << "says where";
    EXPECT_TRUE(log.messages.isEmpty()) << log.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialog->Button(CCrtBinDlg::ExitId)->isEnabled());
    EXPECT_EQ(*running, 0);
}

TEST_F(CrtBinDlgTest, ACompilerEndingWithoutImageAsksRetryOrCancel)
{
    dialog->ChooseFormat(3);
    UseCompiler(5, false);
    int asked = 0;
    prompts.message = [&](QWidget*, const QString& text, QMessageBox::Icon icon,
                          QMessageBox::StandardButtons) {
        ++asked;
        EXPECT_EQ(text, Text("CRTBINDLG_ONBINGO_CBFF"));
        EXPECT_EQ(icon, QMessageBox::Question);
        if (asked == 1)
            return QMessageBox::Retry; // still nothing there: asked again
        if (asked == 2) {
            WriteImage();
            return QMessageBox::Retry;
        }
        return QMessageBox::Cancel;
    };
    QSignalSpy finished(&dialog->Runner(), &CFirmwareBuildRunner::Finished);
    Build(finished);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(finished.first().at(1).toString().isEmpty());

    // Cancel ends the build with no image.
    fs::remove(Build() / "DSP3.BIN");
    asked = 2;
    finished.clear();
    Build(finished);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(finished.first().at(1).toString().isEmpty());
}

TEST_F(CrtBinDlgTest, ExitEscapeAndCloseCancelARunningBuild)
{
    dialog->ChooseFormat(3);
    UseCompiler(0, false); // never ends on its own
    dialog->show();
    QSignalSpy finished(&dialog->Runner(), &CFirmwareBuildRunner::Finished);
    for (int how = 0; how < 3; ++how) {
        dialog->Button(CCrtBinDlg::CreateId)->click();
        ASSERT_TRUE(dialog->Runner().Running());
        if (how == 0)
            dialog->Button(CCrtBinDlg::ExitId)->click();
        else if (how == 1)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            dialog->close();
        EXPECT_FALSE(dialog->Runner().Running()) << how;
        EXPECT_EQ(finished.size(), how + 1);
        EXPECT_TRUE(finished.last().at(1).toString().isEmpty()) << "no image";
        EXPECT_EQ(dialog->ReportBox()->text(), Text(CFirmwareBuildRunner::kCancelledKey));
        EXPECT_TRUE(dialog->isVisible()) << "it stays to say so";
    }
    EXPECT_FALSE(fs::exists(Current() / "Show3.hex"));
    EXPECT_EQ(*running, 0);
    dialog->Button(CCrtBinDlg::ExitId)->click();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(CrtBinDlgTest, SaveCreateVariantSpeaksFixedEnglish)
{
    fs::remove(Current() / CPortTable::kFileName);
    CFirmwareBuildRunner runner(prompts, nullptr, CFirmwareBuildRunner::Texts::English, running);
    CFirmwareBuild::Setup setup{3, Build(), Current(), "Show.led", 0};
    EXPECT_FALSE(runner.Run(document, setup));
    EXPECT_EQ(log.messages, QStringList{QStringLiteral("Please create cport file first!")});
}

} // namespace
} // namespace lumaro::gui::test
