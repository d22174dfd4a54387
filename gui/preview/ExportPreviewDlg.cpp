#include "gui/preview/ExportPreviewDlg.h"

#include "core/app/IniFile.h"
#include "gui/app/MessageText.h"
#include "gui/app/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lumaro::gui {

namespace {

constexpr const char* kSection = "Setting";
constexpr const char* kWindowSize = "window";

QString SizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QString Setting(const fs::path& file, const char* key)
{
    return QString::fromStdString(CIniFile::ReadString(file, kSection, key, ""));
}

} // namespace

CExportPreviewDlg::CExportPreviewDlg(const fs::path& settingsFile, QSize window, QWidget* parent)
    : QDialog(parent), m_settingsFile(settingsFile), m_seconds(new QSpinBox(this)),
      m_size(new QComboBox(this)), m_rate(new QComboBox(this))
{
    setWindowTitle(QString::fromLatin1(kMessageCaption));
    m_seconds->setRange(1, 3600);
    bool known = false;
    const int seconds = Setting(m_settingsFile, kSecondsKey).toInt(&known);
    m_seconds->setValue(known ? seconds : 20);

    m_size->addItem(LangTextWith("DEMOVIEW_ONEXPORT_WINDOW_SIZE",
                                 {std::to_string(window.width()), std::to_string(window.height())}),
                    QSize());
    for (QSize size : kSizes)
        m_size->addItem(QStringLiteral("%1 × %2").arg(size.width()).arg(size.height()), size);
    const QString lastSize = Setting(m_settingsFile, kSizeKey);
    for (int i = 1; i < m_size->count(); ++i)
        if (SizeText(m_size->itemData(i).toSize()) == lastSize)
            m_size->setCurrentIndex(i);

    for (int rate : kRates)
        m_rate->addItem(QString::number(rate), rate);
    m_rate->setCurrentIndex(std::max(m_rate->findData(Setting(m_settingsFile, kRateKey).toInt()), 0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LangText("FRAMEWORK_OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(LangText("DEMOVIEW_ONEXPORT_CANCEL"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportPreviewDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(LangText("DEMOVIEW_ONEXPORT_LENGTH"), m_seconds);
    form->addRow(LangText("DEMOVIEW_ONEXPORT_SIZE"), m_size);
    form->addRow(LangText("DEMOVIEW_ONEXPORT_RATE"), m_rate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

CExportPreviewDlg::Choice CExportPreviewDlg::Chosen() const
{
    return {m_seconds->value(), m_size->currentData().toSize(), m_rate->currentData().toInt()};
}

void CExportPreviewDlg::accept()
{
    // A settings file that cannot be written only forgets the choice.
    const Choice chosen = Chosen();
    (void)CIniFile::Write(m_settingsFile, kSection, kSecondsKey, std::to_string(chosen.seconds));
    (void)CIniFile::Write(m_settingsFile, kSection, kSizeKey,
                          chosen.size.isEmpty() ? kWindowSize : SizeText(chosen.size).toStdString());
    (void)CIniFile::Write(m_settingsFile, kSection, kRateKey, std::to_string(chosen.framesPerSecond));
    QDialog::accept();
}

QString CExportPreviewDlg::LastFormat(const fs::path& settingsFile)
{
    const QString last = Setting(settingsFile, kFormatKey).toLower();
    return last == QLatin1String("gif") || last == QLatin1String("webm") ? last : QStringLiteral("mp4");
}

void CExportPreviewDlg::KeepFormat(const fs::path& settingsFile, const QString& extension)
{
    (void)CIniFile::Write(settingsFile, kSection, kFormatKey, extension.toLower().toStdString());
}

} // namespace lumaro::gui
