#include "GuiTestSupport.h"
#include "link/LinkTestSupport.h"

#include "core/app/LangText.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/DialogLangText.h"
#include "gui/firmware/FirmwareCommands.h"
#include "gui/link/DownloadRunner.h"
#include "gui/link/HexDownloadDlg.h"
#include "gui/link/LinkCommands.h"
#include "gui/link/MSComm.h"

#include <QComboBox>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

const QString kSetBitSuccess = QStringLiteral("Set Bit Success!");

class LinkGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "English.ini");
        log.Install(prompts);
    }
    fs::path Settings(const QString& com7Device) const
    {
        const fs::path path = fs::path(folder.path().toStdString()) / "Setting.ini";
        QFile file(QString::fromStdString(path.string()));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Setting]\nLanguage=English\n[SerialPorts]\nCOM7=" + com7Device.toUtf8() + "\n");
        return path;
    }
    QString WriteFile(const QString& name, const std::string& bytes) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qsizetype(bytes.size()));
        return file.fileName();
    }
    QString ReadFile(const QString& name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }
    bool Shown(const QString& text) const { return log.messages.contains(text); }

    QTemporaryDir folder;
    CPrompts prompts;
    CPromptLog log;
    bool linked = false;
};

TEST_F(LinkGuiTest, TheControlOverAPseudoTerminal)
{
    if (!CBootsim::Available())
        GTEST_SKIP() << "needs lumaro-cli";
    CBootsim loader;
    ASSERT_FALSE(loader.Device().isEmpty());
    CMSComm comm(Settings(loader.Device()));

    // "COM 7" is the settings file's device; a pseudo-terminal has no modem lines, yet it links.
    ASSERT_TRUE(comm.Link(QStringLiteral("COM 7"))) << comm.ErrorText().toStdString();
    EXPECT_EQ(comm.CommPort(), 7);
    EXPECT_EQ(comm.CommDevice(), loader.Device());
    EXPECT_TRUE(comm.Link(QStringLiteral("COM 7"))) << "linking twice leaves the port open";
    EXPECT_TRUE(comm.PortOpen());
    auto* serial = comm.findChild<QSerialPort*>();
    ASSERT_TRUE(serial);
    EXPECT_EQ(serial->baudRate(), 9600);
    EXPECT_EQ(serial->dataBits(), QSerialPort::Data8);
    EXPECT_EQ(serial->parity(), QSerialPort::NoParity);
    EXPECT_EQ(serial->stopBits(), QSerialPort::OneStop);

    // Every received block is one notification; the loader echoes and answers.
    QByteArray received;
    int notifications = 0;
    QObject::connect(&comm, &CMSComm::OnComm, &comm, [&] {
        ++notifications;
        EXPECT_EQ(comm.CommEvent(), CMSComm::kEvReceive);
        received += comm.Input();
    });
    ASSERT_TRUE(comm.SetOutput("U"));
    EXPECT_TRUE(WaitUntil([&] { return received == "U"; })) << received.toStdString();
    ASSERT_TRUE(comm.SetOutput(":020000030400F7"));
    EXPECT_TRUE(WaitUntil([&] { return received.size() == 17; }));
    EXPECT_EQ(received, QByteArray("U:020000030400F7."));
    EXPECT_GE(notifications, 2);

    comm.Unlink();
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_FALSE(comm.SetOutput("U")) << "a closed port sends nothing";
    EXPECT_FALSE(comm.Link(QStringLiteral("/dev/lumaro-no-such-port")));
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_FALSE(comm.SetSettings(QStringLiteral("9600,X,8,1")));
    EXPECT_EQ(comm.Settings(), QStringLiteral("9600,N,8,1"));
}

TEST_F(LinkGuiTest, DialogWritesTheImageWhileTheProgressBarMovesAndRefusesASecondStart)
{
    if (!CBootsim::Available())
        GTEST_SKIP() << "needs lumaro-cli";
    const std::string hex = SampleHexFile(40);
    CBootsim loader({QStringLiteral("--save"), folder.filePath(QStringLiteral("programmed.hex")),
                     QStringLiteral("--sent"), folder.filePath(QStringLiteral("sent.txt"))});
    ASSERT_FALSE(loader.Device().isEmpty());
    CHexDownloadDlg dialog(prompts, Settings(loader.Device()), linked);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Software Download(NV-Vela Series)"));
    EXPECT_EQ(dialog.PortList()->count(), 30) << "a blank and COM 1 to COM 29";
    EXPECT_EQ(dialog.PortList()->itemText(29), QStringLiteral("COM 29"));
    EXPECT_EQ(dialog.SpeedList()->count(), 6);

    // Whatever speed the list shows, the port runs at 9600.
    dialog.SpeedList()->setCurrentText(QStringLiteral("921600"));
    dialog.PortList()->setCurrentText(QStringLiteral("COM 7"));
    dialog.Button(CHexDownloadDlg::LinkId)->click();
    EXPECT_TRUE(linked);
    EXPECT_EQ(dialog.Comm().findChild<QSerialPort*>()->baudRate(), 9600);
    EXPECT_TRUE(WaitUntil([&] { return Shown(QStringLiteral("Link OK!")); }));

    log.openName = WriteFile(QStringLiteral("show.hex"), hex);
    dialog.Button(CHexDownloadDlg::BrowseId)->click();
    EXPECT_EQ(dialog.FilePath(), log.openName);
    QRadioButton* vela = nullptr;
    for (auto* radio : dialog.findChildren<QRadioButton*>())
        if (ControlIdOf(radio) == CHexDownloadDlg::TargetVelaId)
            vela = radio;
    ASSERT_TRUE(vela);
    vela->click();
    EXPECT_EQ(dialog.Target(), CHexDownload::Target::Vela1000);

    std::vector<int> bar;
    QObject::connect(&dialog.Runner(), &CDownloadRunner::Progress, &dialog,
                     [&] { bar.push_back(dialog.ProgressBar()->value()); });
    dialog.Button(CHexDownloadDlg::DownloadId)->click();
    ASSERT_TRUE(dialog.Runner().Running());
    EXPECT_FALSE(dialog.Button(CHexDownloadDlg::DownloadId)->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return dialog.ProgressBar()->value() > 43 * 3; }));

    // Halfway: a second start changes nothing, and QUIT asks first; "No" goes on.
    dialog.OnDownload();
    EXPECT_TRUE(dialog.Runner().Running());
    log.answer = QMessageBox::No;
    dialog.show();
    dialog.Button(CHexDownloadDlg::QuitId)->click();
    EXPECT_EQ(log.messages.last(), QString::fromStdString(GetLangText(CDownloadRunner::kAskStopKey)));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Runner().Running());

    ASSERT_TRUE(WaitUntil([&] { return !dialog.Runner().Running(); }));
    EXPECT_TRUE(WaitUntil([&] { return Shown(kSetBitSuccess); }));
    EXPECT_TRUE(Shown(QStringLiteral("Send Data Success!")));
    EXPECT_EQ(dialog.ProgressBar()->value(), 0) << "the bar goes back to its start";
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end() - 1));
    EXPECT_GE(bar.size(), 40u) << "the bar moves with every record";
    EXPECT_EQ(dialog.ProgressBar()->maximum(), int(hex.size()));
    EXPECT_TRUE(dialog.Button(CHexDownloadDlg::DownloadId)->isEnabled());

    const qsizetype asked = log.messages.size();
    dialog.Button(CHexDownloadDlg::QuitId)->click();
    EXPECT_FALSE(dialog.isVisible()) << "nothing running: QUIT closes at once";
    EXPECT_EQ(log.messages.size(), asked);

    ASSERT_EQ(loader.Stop(), 0);
    EXPECT_EQ(ReadFile(QStringLiteral("programmed.hex")).toStdString(), hex);
    const QString sent = ReadFile(QStringLiteral("sent.txt"));
    EXPECT_EQ(sent.count(QStringLiteral(":0100000307F5")), 1) << "one erase: the second start was refused";
    EXPECT_TRUE(sent.contains(QLatin1String(CHexDownload::kClockRecord)));
}

TEST_F(LinkGuiTest, QuitStopsARunningDownloadWhenTheUserAgrees)
{
    if (!CBootsim::Available())
        GTEST_SKIP() << "needs lumaro-cli";
    CBootsim loader(
        {QStringLiteral("--pace"), QStringLiteral("--sent"), folder.filePath(QStringLiteral("sent.txt"))});
    CHexDownloadDlg dialog(prompts, Settings(loader.Device()), linked);
    dialog.PortList()->setCurrentText(loader.Device()); // a device typed in
    dialog.OnLink();
    ASSERT_TRUE(linked);
    dialog.SetFilePath(WriteFile(QStringLiteral("show.hex"), SampleHexFile(20)));
    dialog.show();
    dialog.OnDownload();
    ASSERT_TRUE(WaitUntil([&] { return dialog.ProgressBar()->value() > 0; }));

    log.answer = QMessageBox::Yes;
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Runner().Running());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(loader.Stop(), 0);
    EXPECT_FALSE(ReadFile(QStringLiteral("sent.txt")).contains(QLatin1String(CHexDownload::kStatusRecord)))
        << "stopped before the configuration";
    EXPECT_FALSE(Shown(kSetBitSuccess));
}

TEST_F(LinkGuiTest, LinkFailuresUnlinkAndMissingFiles)
{
    CHexDownloadDlg dialog(prompts, Settings(QStringLiteral("/dev/lumaro-no-such-port")), linked);
    linked = true;
    dialog.PortList()->setCurrentText(QStringLiteral("COM 7"));
    dialog.OnLink();
    EXPECT_FALSE(linked);
    dialog.OnDownload();
    EXPECT_FALSE(dialog.Runner().Running());
    dialog.SetFilePath(WriteFile(QStringLiteral("eof.hex"), ":00000001FF\r\n"));
    dialog.OnDownload(); // on a port that is not open
    EXPECT_FALSE(dialog.Runner().Running());
    ProcessEvents();
    EXPECT_EQ(log.messages, (QStringList{QStringLiteral("Link Failed!"),
                                         QStringLiteral("Please Select a file for Downloading!"),
                                         QStringLiteral("Link Failed!")}));

    if (CBootsim::Available()) {
        CBootsim loader;
        dialog.PortList()->setCurrentText(loader.Device());
        dialog.OnLink();
        EXPECT_TRUE(linked);
        EXPECT_TRUE(dialog.RunCommand(CHexDownloadDlg::kUnlinkCommand));
        EXPECT_FALSE(linked);
        EXPECT_FALSE(dialog.Comm().PortOpen());
    }
}

TEST_F(LinkGuiTest, WriteToControllerAndTheBuildsHandOverOpenTheDialog)
{
    CTestInstall install;
    CStartedApp started(install);
    ASSERT_TRUE(started.started);
    auto* link = started.app->FindCommandTarget<CLinkCommands>();
    ASSERT_TRUE(link);
    QStringList opened;
    started.log.fillDialog = [&](QDialog& dialog) {
        if (auto* download = qobject_cast<CHexDownloadDlg*>(&dialog))
            opened << download->FilePath();
    };
    EXPECT_TRUE(started.app->Registry().Query(cmd::WriteToController).Enabled().value_or(true));
    EXPECT_TRUE(started.app->Registry().Dispatch(cmd::WriteToController));
    EXPECT_EQ(opened, QStringList{QString()});

    auto* firmware = started.app->FindCommandTarget<CFirmwareCommands>();
    ASSERT_TRUE(firmware && firmware->openDownload);
    firmware->openDownload(QStringLiteral("Show1.hex"));
    EXPECT_EQ(opened, (QStringList{QString(), QStringLiteral("Show1.hex")}));
    EXPECT_FALSE(link->Linked());
    // A build's image is offered by the next dialog opened without one.
    ASSERT_TRUE(firmware->imageWritten);
    firmware->imageWritten(QStringLiteral("Show2.hex"));
    started.app->Registry().Dispatch(cmd::WriteToController);
    EXPECT_EQ(opened.back(), QStringLiteral("Show2.hex"));
}

TEST_F(LinkGuiTest, ThePortShownIsThePortUsedAndEveryDialogMapsComTheSameWay)
{
    if (!CBootsim::Available())
        GTEST_SKIP() << "needs lumaro-cli";
    CBootsim first;
    CBootsim second;
    ASSERT_FALSE(first.Device().isEmpty());
    ASSERT_FALSE(second.Device().isEmpty());
    const fs::path settings = Settings(first.Device());
    // The scene editor's control takes the program's settings file.
    CLangText::SetSettingsPath(settings);
    CMSComm scene;
    ASSERT_TRUE(scene.Link(QStringLiteral("COM 7")));
    EXPECT_EQ(scene.CommDevice(), first.Device());
    scene.Unlink();

    {
        CHexDownloadDlg dialog(prompts, {}, linked);
        dialog.PortList()->setCurrentText(QStringLiteral("COM 7"));
        dialog.OnLink();
        ASSERT_TRUE(linked);
        EXPECT_EQ(dialog.Comm().CommDevice(), first.Device());
        // Another device in the box ends the link; linking opens that one.
        dialog.PortList()->setCurrentText(second.Device());
        EXPECT_FALSE(linked);
        EXPECT_FALSE(dialog.Comm().PortOpen());
        dialog.OnLink();
        EXPECT_TRUE(dialog.Comm().PortOpen());
        EXPECT_EQ(dialog.Comm().CommDevice(), second.Device());
        // Re-linking elsewhere without the box: the old device is closed first.
        ASSERT_TRUE(dialog.Comm().Link(QStringLiteral("COM 7")));
        EXPECT_EQ(dialog.Comm().findChild<QSerialPort*>()->portName(),
                  QSerialPort(first.Device()).portName());
        dialog.Button(CHexDownloadDlg::UnlinkId)->click();
        EXPECT_FALSE(dialog.Comm().PortOpen());
        EXPECT_FALSE(linked);
    }
    CHexDownloadDlg again(prompts, settings, linked);
    EXPECT_EQ(again.PortList()->currentText(), second.Device()) << "the port last linked";
    CLangText::SetSettingsPath({});
}

} // namespace
} // namespace lumaro::gui::test
