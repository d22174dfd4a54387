#include "gui/firmware/CrtBinDlg.h"

#include "gui/app/DialogLangText.h"
#include "gui/document/LayoutDocument.h"
#include "gui/firmware/FirmwareBuildRunner.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lumaro::gui {

CCrtBinDlg::CCrtBinDlg(CLayoutDocument& document, CPrompts& prompts,
                       CFirmwareBuildRunner::RunningCount running, fs::path buildFolder,
                       fs::path currentFolder, QWidget* parent)
    : QDialog(parent), m_document(document), m_buildFolder(std::move(buildFolder)),
      m_currentFolder(std::move(currentFolder)),
      m_runner(
          new CFirmwareBuildRunner(prompts, this, CFirmwareBuildRunner::Texts::Language, std::move(running)))
{
    m_runner->setParent(this);
    setWindowTitle(QStringLiteral("Create BIN File"));

    auto* group = new QGroupBox(QStringLiteral("Select File Format"), this);
    SetControlId(group, FormatGroupId);
    const std::pair<int, const char*> formats[] = {{Format1Id, "256 (Support All Kinds of Controler)"},
                                                   {Format2Id, "512 (Only Support V3.0 or Above)"},
                                                   {Format3Id, "1000 (NV-Vela 1000 Series)"}};
    auto* groupLayout = new QVBoxLayout(group);
    for (int i = 0; i < 3; ++i) {
        m_formats[i] = new QRadioButton(QString::fromLatin1(formats[i].second), group);
        SetControlId(m_formats[i], formats[i].first);
        groupLayout->addWidget(m_formats[i]);
        connect(m_formats[i], &QRadioButton::clicked, this, [this, i] { ChooseFormat(i + 1); });
    }

    m_writeAfter = new QCheckBox(QStringLiteral("Write to the controller when built"), this);
    SetControlId(m_writeAfter, WriteAfterId);

    m_progress = new QProgressBar(this);
    SetControlId(m_progress, ProgressId);
    m_progress->setRange(0, CFirmwareBuild::kLeastRounds);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    m_report = new QLabel(QStringLiteral("Report"), this);
    SetControlId(m_report, ReportId);
    m_report->setFrameShape(QFrame::StyledPanel);
    m_report->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_report->setMinimumHeight(m_report->fontMetrics().lineSpacing() * 7);
    m_report->setMinimumWidth(m_report->fontMetrics().averageCharWidth() * 48);

    QPushButton* create = MakeControlButton(this, CreateId, "Create");
    create->setEnabled(false);
    QPushButton* exit = MakeControlButton(this, ExitId, "Exit");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_writeAfter);
    layout->addWidget(m_progress);
    layout->addWidget(m_report, 1);
    layout->addLayout(buttons);

    connect(create, &QPushButton::clicked, this, &CCrtBinDlg::OnBingo);
    connect(exit, &QPushButton::clicked, this, &CCrtBinDlg::reject);
    connect(m_runner, &CFirmwareBuildRunner::Progress, this, [this](int rounds) {
        // Past the least wait the compiler is still at work: the bar runs on.
        if (rounds <= CFirmwareBuild::kLeastRounds) {
            m_progress->setRange(0, CFirmwareBuild::kLeastRounds);
            m_progress->setValue(rounds);
        } else {
            m_progress->setRange(0, 0);
        }
    });
    connect(m_runner, &CFirmwareBuildRunner::Reported, m_report, &QLabel::setText);
    connect(m_runner, &CFirmwareBuildRunner::Finished, this, [this] {
        m_progress->setRange(0, CFirmwareBuild::kLeastRounds);
        SetBuilding(false);
    });

    SetDialogLangText(this, kDialogId);
}

CCrtBinDlg::~CCrtBinDlg() = default;

QPushButton* CCrtBinDlg::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

void CCrtBinDlg::ChooseFormat(int format)
{
    m_format = std::clamp(format, 1, 3);
    m_formats[m_format - 1]->setChecked(true);
    Button(CreateId)->setEnabled(!m_runner->Running());
    if (formatChosen)
        formatChosen(m_format);
}

void CCrtBinDlg::SetBuilding(bool building)
{
    Button(CreateId)->setEnabled(!building && m_format != 0);
    for (QRadioButton* format : m_formats)
        format->setEnabled(!building);
    m_writeAfter->setEnabled(!building);
}

void CCrtBinDlg::OnBingo()
{
    if (m_format == 0 || m_runner->Running())
        return;
    m_progress->setValue(0);
    CFirmwareBuild::Setup setup;
    setup.fileFormat = m_format;
    setup.buildFolder = m_buildFolder;
    setup.currentFolder = m_currentFolder;
    setup.title = m_document.GetTitle().toStdString();
    m_runner->writeWhenBuilt = nullptr;
    if (m_writeAfter->isChecked() && openDownload)
        m_runner->writeWhenBuilt = openDownload;
    SetBuilding(true);
    if (!m_runner->Run(m_document, std::move(setup)))
        SetBuilding(false);
}

// Exit, Escape and the close box end a running build; the dialog stays
// to say so, and the next Exit closes it.
void CCrtBinDlg::reject()
{
    if (m_runner->Running()) {
        m_runner->Cancel();
        return;
    }
    QDialog::reject();
}

} // namespace lumaro::gui
