#include "gui/firmware/FirmwareBuildRunner.h"

#include "core/app/LangText.h"
#include "gui/app/MessageText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/firmware/BuildProcess.h"

#include <QDir>
#include <QGuiApplication>

#include <map>

namespace lumaro::gui {

namespace {

QString PathText(const fs::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

// The Save/Create path speaks fixed English texts.
const std::map<std::string, const char*>& EnglishTexts()
{
    static const std::map<std::string, const char*> texts = {
        {CFirmwareBuild::kNoPortTableKey, "Please create cport file first!"},
        {CFirmwareBuild::kShowPatternCopyKey, "File DSPPTN.h Copy Failed!"},
        {CFirmwareBuild::kGroupTablesCopyKey, "File CSTGRP.h Copy Failed!"},
        {CFirmwareBuild::kCannotRunKey, "Fail to create Hex file!"},
        {CFirmwareBuild::kNoImageKey, "Creating Hex file failed!\nDo you want to try again?"},
        {CFirmwareBuild::kImageCopyKey, "File DSP.hex Copy Failed!"},
        {CFirmwareBuild::kStampKey, "Some error occurs !"},
        {CFirmwareBuild::kTablesOverLimitKey, "Too many tables for the controller: CData.h cannot be made!"}};
    return texts;
}

// The wait cursor, taken away while a message is on the screen.
void WaitCursor(bool on)
{
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace

CFirmwareBuildRunner::CFirmwareBuildRunner(CPrompts& prompts, QWidget* owner, Texts texts,
                                           RunningCount running)
    : m_prompts(prompts), m_owner(owner), m_texts(texts), m_running(std::move(running))
{
    makeProcess = [] { return std::make_unique<CBuildProcess>(); };
    m_timer.setInterval(CFirmwareBuild::kRoundMs);
    connect(&m_timer, &QTimer::timeout, this, &CFirmwareBuildRunner::OnRound);
}

CFirmwareBuildRunner::~CFirmwareBuildRunner()
{
    if (m_build) {
        m_timer.stop();
        --*m_running;
        WaitCursor(false);
    }
}

QString CFirmwareBuildRunner::Text(const Status& failure) const
{
    if (m_texts == Texts::English) {
        const auto it = EnglishTexts().find(failure.key);
        if (it != EnglishTexts().end())
            return QString::fromLatin1(it->second);
    }
    QString text = QString::fromStdString(GetLangText(failure));
    const QString detail = DetailText(failure);
    if (!detail.isEmpty())
        text += QStringLiteral("\n\n") + detail;
    return text;
}

void CFirmwareBuildRunner::ShowText(const QString& text, QMessageBox::Icon icon)
{
    WaitCursor(false);
    m_prompts.message(m_owner, text, icon, QMessageBox::Ok);
    WaitCursor(true);
}

void CFirmwareBuildRunner::Show(const Status& failure)
{
    ShowText(Text(failure), QMessageBox::Warning);
}

bool CFirmwareBuildRunner::Run(CLayoutDocument& document, CFirmwareBuild::Setup setup)
{
    if (AnyRunning())
        return false;
    ++*m_running;
    WaitCursor(true);
    Q_EMIT Progress(0);
    const auto compiled = document.CreateData();
    setup.lampCount = document.Data().lamps.size();
    m_build.emplace(std::move(setup));
    m_process = makeProcess();
    const Status started =
        m_build->Start(*compiled, *m_process, [this](const Status& notice) { Show(notice); });
    if (!started) {
        Show(started);
        End({});
        return false;
    }
    m_timer.start();
    return true;
}

void CFirmwareBuildRunner::OnRound()
{
    const CFirmwareBuild::Wait wait = m_build->Poll(m_process->Running());
    Q_EMIT Progress(m_build->Rounds());
    if (wait == CFirmwareBuild::Wait::Waiting)
        return;
    m_timer.stop();
    if (wait == CFirmwareBuild::Wait::Found) {
        Complete();
        return;
    }
    WaitCursor(false);
    const auto answer = m_prompts.message(m_owner, Text(Status::Fail(CFirmwareBuild::kNoImageKey)),
                                          QMessageBox::Question, QMessageBox::Retry | QMessageBox::Cancel);
    WaitCursor(true);
    if (answer == QMessageBox::Retry) {
        m_build->Retry();
        m_timer.start();
        return;
    }
    End({});
}

void CFirmwareBuildRunner::Complete()
{
    if (m_texts == Texts::English)
        ShowText(QStringLiteral("Create Hex file Successful!"), QMessageBox::Information);
    else
        Q_EMIT Reported(QString::fromStdString(m_build->Report()));
    if (const Status copied = m_build->CopyImage(); !copied) {
        Show(copied);
        End({});
        return;
    }
    const QString image = PathText(m_build->CopyFile());
    if (m_texts == Texts::Language)
        Q_EMIT Reported(QString::fromStdString(m_build->Report()) + QStringLiteral("\n") +
                        LangText("CRTBINDLG_ONBINGO_WRITTEN").arg(QDir::toNativeSeparators(image)));
    Q_EMIT Written(image);
    if (m_texts == Texts::English)
        ShowText(QStringLiteral("Create Data Successful!"), QMessageBox::Information);
    if (!writeWhenBuilt) {
        End(image);
        return;
    }
    // The controller is written a moment after the report has been seen.
    QTimer::singleShot(downloadDelayMs, this, [this, image] {
        if (!m_build)
            return; // cancelled meanwhile
        auto write = writeWhenBuilt;
        End(image);
        write(image);
    });
}

void CFirmwareBuildRunner::Cancel()
{
    if (!m_build)
        return;
    m_timer.stop();
    m_process.reset(); // kills the batch file's process group
    Q_EMIT Reported(QString::fromStdString(GetLangText(kCancelledKey)));
    End({});
}

void CFirmwareBuildRunner::End(const QString& image)
{
    const QString source = m_build ? PathText(m_build->HexFile()) : QString();
    m_build.reset();
    m_process.reset();
    --*m_running;
    WaitCursor(false);
    Q_EMIT Finished(source, image);
}

} // namespace lumaro::gui
