#include "gui/effects/SceneEditDlg.h"

#include "picture/ColourRef.h"

#include "core/app/LangText.h"
#include "core/effects/SceneConverter.h"
#include "core/layout/PortTable.h"
#include "core/link/SerialPortChoice.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/ColorListDlg.h"
#include "gui/link/DownloadRunner.h"
#include "gui/link/HexDownloadDlg.h"
#include "gui/link/MSComm1.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace lumaro::gui {

namespace {

QLabel* Label(const char* text, int id, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    SetControlId(label, id);
    return label;
}

} // namespace

CSceneEditDlg::CSceneEditDlg(CLayoutDocument& document, CPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_document(document), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Edit Scene"));

    m_tabs = new QTabBar(this);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    const QString sceneName = QString::fromStdString(GetLangText("ID_MSG_SCENEEDITDLG_SCENE"));
    for (int s = 0; s < lumaro::kSceneCount; ++s)
        m_tabs->addTab(sceneName.arg(s + 1));
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { LoadScene(); });
    // Undo and redo, or another window, may change the scenes under the dialog.
    connect(&m_document, &CLayoutDocument::Changed, this, [this](Aspects what) {
        if (what & Aspect::Scenes)
            LoadScene();
    });

    // One page for all tabs: switching tabs reloads it with the scene chosen.
    // An untitled group box, so that relabelling reaches the controls on it.
    auto* page = new QGroupBox(this);
    auto* grid = new QGridLayout(page);
    grid->addWidget(Label("Effect", EffectHeadId, page), 0, 1);
    grid->addWidget(Label("Speed(ms)", SpeedHeadId, page), 0, 2);
    grid->addWidget(Label("Color", ColourHeadId, page), 0, 3);
    // The core keeps the English names; the menu shows the language's.
    static constexpr std::array<const char*, CSceneConverter::kEffectCount> kEffectKeys{
        "ID_MSG_SCENEEDITDLG_EFFECT0", "ID_MSG_SCENEEDITDLG_EFFECT1",  "ID_MSG_SCENEEDITDLG_EFFECT2",
        "ID_MSG_SCENEEDITDLG_EFFECT3", "ID_MSG_SCENEEDITDLG_EFFECT4",  "ID_MSG_SCENEEDITDLG_EFFECT5",
        "ID_MSG_SCENEEDITDLG_EFFECT6", "ID_MSG_SCENEEDITDLG_EFFECT7",  "ID_MSG_SCENEEDITDLG_EFFECT8",
        "ID_MSG_SCENEEDITDLG_EFFECT9", "ID_MSG_SCENEEDITDLG_EFFECT10", "ID_MSG_SCENEEDITDLG_EFFECT11"};
    QStringList effects;
    for (const char* key : kEffectKeys)
        effects << QString::fromStdString(GetLangText(key));
    for (int row = 0; row < kRows; ++row) {
        Row& r = m_rows[row];
        grid->addWidget(new QLabel(QString::number(row + 1), page), row + 1, 0);
        r.effect = new QComboBox(page);
        r.effect->addItems(effects);
        r.speed = new QLineEdit(page);
        r.speed->setValidator(new QIntValidator(0, 999999, r.speed));
        r.speed->setMaximumWidth(90);
        r.colour = MakeControlButton(page, ColourButtonId, "Color...");
        grid->addWidget(r.effect, row + 1, 1);
        grid->addWidget(r.speed, row + 1, 2);
        grid->addWidget(r.colour, row + 1, 3);
        connect(r.effect, &QComboBox::currentIndexChanged, this,
                [this, row](int index) { OnEffectChanged(row, index); });
        connect(r.speed, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { OnSpeedEdited(row, text); });
        connect(r.colour, &QPushButton::clicked, this, [this, row] { OnColourList(row); });
    }
    m_note = Label("Only 8 modes for every scene.", NoteId, page);
    grid->addWidget(m_note, kRows + 1, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    // The download half: the same link and download as Write To Controller.
    auto* download = new QGroupBox(QStringLiteral("Download"), this);
    SetControlId(download, DownloadGroupId);
    auto* downloadLayout = new QHBoxLayout(download);
    // The "Port:" list (control 1120) carries no id: relabelling would
    // overwrite the port it shows.
    m_port = new QComboBox(download);
    m_port->setEditable(true); // a device path typed in is used as it is
    m_port->addItem(QString());
    for (const std::string& text : serialport::PortTexts())
        m_port->addItem(QString::fromStdString(text));
    m_port->setCurrentIndex(1);
    auto* baud = new QComboBox(download);
    for (const std::string& text : serialport::SpeedTexts())
        baud->addItem(QString::fromStdString(text));
    m_fileName = new QLabel(download);
    QPushButton* openFile = MakeControlButton(download, OpenFileId, "Open File");
    QPushButton* send = MakeControlButton(download, DownloadId, "Download");
    downloadLayout->addWidget(Label("Port", PortLabelId, download));
    downloadLayout->addWidget(m_port);
    downloadLayout->addWidget(Label("Baud", BaudLabelId, download));
    downloadLayout->addWidget(baud);
    downloadLayout->addWidget(m_fileName, 1);
    downloadLayout->addWidget(openFile);
    downloadLayout->addWidget(send);
    m_comm = new CMSComm1(fs::path(), this);
    m_runner = new CDownloadRunner(*m_comm, m_prompts, this);
    connect(openFile, &QPushButton::clicked, this, &CSceneEditDlg::OnOpenFile);
    connect(send, &QPushButton::clicked, this, &CSceneEditDlg::OnSceneDownload);
    connect(m_runner, &CDownloadRunner::RunningChanged, this, [this, openFile, send](bool running) {
        openFile->setEnabled(!running);
        send->setEnabled(!running);
        m_port->setEnabled(!running);
    });

    QPushButton* save = MakeControlButton(this, SaveId, "Save");
    connect(save, &QPushButton::clicked, this, [this] {
        if (saveAs)
            saveAs();
    });
    QPushButton* create = MakeControlButton(this, SaveCreateId, "Save/Create");
    connect(create, &QPushButton::clicked, this, &CSceneEditDlg::OnSaveCreate);
    QPushButton* cancel = MakeControlButton(this, CancelId, "Cancel");
    connect(cancel, &QPushButton::clicked, this, &CSceneEditDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(create);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(page, 1);
    layout->addWidget(download);
    layout->addLayout(buttons);

    SetDialogLangText(this, kDialogId);
    LoadScene();
}

QPushButton* CSceneEditDlg::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

int CSceneEditDlg::CurrentScene() const
{
    return std::max(0, m_tabs->currentIndex());
}

void CSceneEditDlg::ShowScene(int scene)
{
    // The tab bar signals only a change; the scene shown may have changed underneath.
    if (scene == m_tabs->currentIndex())
        LoadScene();
    else
        m_tabs->setCurrentIndex(scene);
}

void CSceneEditDlg::LoadScene()
{
    const lumaro::Scene& scene = m_document.Data().scenes[CurrentScene()];
    m_loading = true;
    for (int row = 0; row < kRows; ++row) {
        const lumaro::CSceneSlot& slot = scene[row];
        m_rows[row].effect->setCurrentIndex(std::clamp(slot.menuIndex, 0, CSceneConverter::kEffectCount - 1));
        m_rows[row].speed->setText(QString::number(slot.speed));
        UpdateColourButton(row);
    }
    m_loading = false;
    m_note->setVisible(CurrentScene() == 0);
}

std::int64_t CSceneEditDlg::LampWidth() const
{
    // The same on-grid width the scene conversion takes.
    return CSceneConverter::LampWidth(m_document.Data().lamps);
}

void CSceneEditDlg::UpdateColourButton(int row)
{
    // A strip of the slot's first colours, so a glance tells the slots apart.
    const UIntArray& colours = m_document.Data().scenes[CurrentScene()][row].colours;
    constexpr int kShown = 8;
    QPixmap strip(kShown * 6, 12);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    const int count = std::min<int>(kShown, int(colours.size() / 3));
    for (int i = 0; i < count; ++i) {
        const QColor colour = ColourFromChannels(colours[3 * i], colours[3 * i + 1], colours[3 * i + 2]);
        painter.fillRect(i * 6, 0, 6, 12, colour);
    }
    painter.end();
    m_rows[row].colour->setIcon(count > 0 ? QIcon(strip) : QIcon());
    m_rows[row].colour->setIconSize(strip.size());
}

void CSceneEditDlg::OnEffectChanged(int row, int menuIndex)
{
    if (m_loading || menuIndex < 0)
        return;
    const UIntArray colours = CSceneConverter::DefaultColours(menuIndex, LampWidth());
    EditSlot(row, [&](lumaro::CSceneSlot& slot) {
        slot.menuIndex = menuIndex;
        slot.colours = colours;
    });
}

void CSceneEditDlg::EditSlot(int row, const std::function<void(lumaro::CSceneSlot&)>& change, int mergeGroup)
{
    const int scene = CurrentScene();
    m_loading = true; // the rows already show what the user did
    m_document.Edit(
        QStringLiteral("Edit Scene"), Aspect::Scenes,
        [&](CEditImgDoc& data) {
            change(data.scenes[scene][row]);
            return true;
        },
        mergeGroup);
    m_loading = false;
    UpdateColourButton(row);
}

void CSceneEditDlg::OnSpeedEdited(int row, const QString& text)
{
    // Typing into one speed field is one undo step.
    if (m_speedRow != row || m_speedScene != CurrentScene()) {
        m_speedRow = row;
        m_speedScene = CurrentScene();
        m_speedGroup = m_document.NewMergeGroup();
    }
    const int speed = text.toInt();
    EditSlot(
        row, [speed](lumaro::CSceneSlot& slot) { slot.speed = speed; }, m_speedGroup);
}

void CSceneEditDlg::OnColourList(int row)
{
    const lumaro::CSceneSlot& slot = m_document.Data().scenes[CurrentScene()][row];
    CColorListDlg dialog(slot.colours, m_prompts, this);
    if (m_prompts.runModal(dialog) != QDialog::Accepted)
        return;
    const UIntArray colours = dialog.Colours();
    EditSlot(row, [&colours](lumaro::CSceneSlot& edited) { edited.colours = colours; });
}

void CSceneEditDlg::OnSaveCreate()
{
    m_document.Edit(QStringLiteral("Save/Create"),
                    Aspect::Scenes | Aspect::LampPositions | Aspect::Modes | Aspect::ProgramGroups,
                    [](CEditImgDoc& data) {
                        CSceneConverter::Convert(data, data.lamps);
                        return true;
                    });
    const Status written = CPortTable::Write(m_document.Data().lamps, outputFolder);
    if (!written) {
        m_prompts.message(this, QString::fromStdString(GetLangText(written.key)), QMessageBox::Warning,
                          QMessageBox::Ok);
        return;
    }
    if (portTableWritten)
        portTableWritten(outputFolder / CPortTable::kFileName);
    if (!buildFirmware)
        return;
    buildFirmware(m_document, this, [this](const QString& source, const QString& image) {
        if (image.isEmpty())
            return;
        // The built image is the one Download writes.
        m_downloadFile = image;
        m_fileName->setText(QFileInfo(source).fileName() + QStringLiteral(" -> ") +
                            QFileInfo(image).fileName());
        m_fileName->setToolTip(QDir::toNativeSeparators(image));
    });
}

void CSceneEditDlg::OnOpenFile()
{
    const QString path = m_prompts.openFileName(this, QString::fromLatin1(CHexDownloadDlg::kFileFilter));
    if (path.isEmpty())
        return;
    m_downloadFile = path;
    m_fileName->setText(QFileInfo(path).fileName());
    m_fileName->setToolTip(QDir::toNativeSeparators(path));
}

void CSceneEditDlg::OnSceneDownload()
{
    m_runner->LinkAndStart(m_port->currentText(), m_downloadFile, {CHexDownload::Dialog::EditScene});
}

void CSceneEditDlg::reject()
{
    if (!m_runner->AskToStop())
        return;
    QDialog::reject();
}

} // namespace lumaro::gui
