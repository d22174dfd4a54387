#include "gui/link/HexDownloadDlg.h"

#include "core/app/IniFile.h"
#include "core/app/LangText.h"
#include "core/link/SerialPortChoice.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/link/DownloadRunner.h"
#include "gui/link/MSComm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {

QLabel* Label(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    SetControlId(label, kStaticId);
    return label;
}

} // namespace

CHexDownloadDlg::CHexDownloadDlg(CPrompts& prompts, const fs::path& settingsFile, bool& linked,
                                 QWidget* parent)
    : QDialog(parent), m_prompts(prompts),
      m_settingsFile(settingsFile.empty() ? CLangText::SettingsPath() : settingsFile), m_linked(linked),
      m_comm(new CMSComm(m_settingsFile, this)), m_runner(new CDownloadRunner(*m_comm, prompts, this))
{
    setWindowTitle(QStringLiteral("Software Download(NV-Vela Series)"));
    m_comm->setObjectName(QStringLiteral("comm%1").arg(int(CommId)));

    m_port = new QComboBox(this);
    SetControlId(m_port, PortId);
    // A device path typed in is used as it is.
    m_port->setEditable(true);
    m_port->addItem(QString());
    for (const std::string& text : serialport::PortTexts())
        m_port->addItem(QString::fromStdString(text));
    m_port->setCurrentIndex(1);
    if (const std::string last = CIniFile::ReadString(m_settingsFile, "Setting", kLastPortKey, "");
        !last.empty())
        m_port->setCurrentText(QString::fromStdString(last));
    m_speed = new QComboBox(this);
    SetControlId(m_speed, BaudId);
    for (const std::string& text : serialport::SpeedTexts())
        m_speed->addItem(QString::fromStdString(text));
    QPushButton* link = MakeControlButton(this, LinkId, "LINK");
    QPushButton* unlink = MakeControlButton(this, UnlinkId, "UNLINK");

    m_file = new QLineEdit(this);
    SetControlId(m_file, FileId);
    QPushButton* browse = MakeControlButton(this, BrowseId, "Browse");

    m_dmx = new QRadioButton(QStringLiteral("TO NVDMX"), this);
    SetControlId(m_dmx, TargetDmxId);
    m_dmx->setChecked(true);
    m_vela = new QRadioButton(QStringLiteral("TO Vela1000/512"), this);
    SetControlId(m_vela, TargetVelaId);

    m_progress = new QProgressBar(this);
    SetControlId(m_progress, ProgressId);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    QPushButton* download = MakeControlButton(this, DownloadId, "Download");
    QPushButton* quit = MakeControlButton(this, QuitId, "QUIT");

    auto* grid = new QGridLayout;
    grid->addWidget(Label("PORT:", this), 0, 0);
    grid->addWidget(m_port, 0, 1);
    grid->addWidget(Label("BAUND:", this), 0, 2);
    grid->addWidget(m_speed, 0, 3);
    grid->addWidget(link, 0, 4);
    grid->addWidget(unlink, 0, 5);
    grid->addWidget(Label("File:", this), 1, 0);
    grid->addWidget(m_file, 1, 1, 1, 3);
    grid->addWidget(browse, 1, 4, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* targets = new QHBoxLayout;
    targets->addWidget(m_dmx);
    targets->addWidget(m_vela);
    targets->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(download);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(targets);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(link, &QPushButton::clicked, this, &CHexDownloadDlg::OnLink);
    connect(unlink, &QPushButton::clicked, this, &CHexDownloadDlg::OnUnlink);
    // The port shown is the port used: another choice ends the link.
    connect(m_port, &QComboBox::currentTextChanged, this, [this] {
        if (m_comm->PortOpen() && !m_runner->Running())
            OnUnlink();
    });
    connect(browse, &QPushButton::clicked, this, &CHexDownloadDlg::OnBrowse);
    connect(download, &QPushButton::clicked, this, &CHexDownloadDlg::OnDownload);
    connect(quit, &QPushButton::clicked, this, &CHexDownloadDlg::reject);
    connect(m_dmx, &QRadioButton::clicked, this, &CHexDownloadDlg::OnTargetDmx);
    connect(m_vela, &QRadioButton::clicked, this, &CHexDownloadDlg::OnTargetVela);
    connect(m_runner, &CDownloadRunner::Progress, this, [this](qint64 sent, qint64 total) {
        // The whole size: a file beyond 64 KiB still fills the bar once.
        m_progress->setRange(0, int(std::max<qint64>(1, total)));
        m_progress->setValue(int(std::min(sent, total)));
    });
    connect(m_runner, &CDownloadRunner::RunningChanged, this, &CHexDownloadDlg::OnRunningChanged);

    OnCommand(kUnlinkCommand, [this] { OnUnlink(); });
}

CHexDownloadDlg::~CHexDownloadDlg() = default;

QPushButton* CHexDownloadDlg::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

void CHexDownloadDlg::SetFilePath(const QString& path)
{
    m_file->setText(path);
}

QString CHexDownloadDlg::FilePath() const
{
    return m_file->text();
}

void CHexDownloadDlg::OnLink()
{
    m_linked = m_runner->Link(m_port->currentText(), true);
    if (m_linked)
        (void)CIniFile::Write(m_settingsFile, "Setting", kLastPortKey,
                              m_port->currentText().trimmed().toStdString());
}

void CHexDownloadDlg::OnDownload()
{
    // One download at a time; the button is off meanwhile, this guards the rest.
    if (m_runner->Running())
        return;
    m_runner->Start(m_file->text().trimmed(), {CHexDownload::Dialog::Download, m_target});
}

void CHexDownloadDlg::OnBrowse()
{
    const QString path = m_prompts.openFileName(this, QString::fromLatin1(kFileFilter));
    if (!path.isEmpty())
        m_file->setText(path);
}

void CHexDownloadDlg::OnTargetDmx()
{
    m_target = CHexDownload::Target::Nvdmx;
    m_dmx->setChecked(true);
}

void CHexDownloadDlg::OnTargetVela()
{
    m_target = CHexDownload::Target::Vela1000;
    m_vela->setChecked(true);
}

void CHexDownloadDlg::OnUnlink()
{
    m_runner->Download().Cancel();
    m_comm->Unlink();
    m_linked = false;
}

void CHexDownloadDlg::reject()
{
    if (!m_runner->AskToStop())
        return;
    QDialog::reject();
}

void CHexDownloadDlg::OnRunningChanged(bool running)
{
    for (int id : {int(DownloadId), int(LinkId), int(UnlinkId), int(BrowseId)})
        if (QPushButton* button = Button(id))
            button->setEnabled(!running);
    m_dmx->setEnabled(!running);
    m_vela->setEnabled(!running);
    m_port->setEnabled(!running);
}

} // namespace lumaro::gui
