#include "GuiTestSupport.h"

#include "gui/ProgramWiring.h"

#include "core/app/LangText.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QSettings>

#include <fstream>

namespace lumaro::gui::test {

namespace {
void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}
} // namespace

CTestInstall::CTestInstall(const std::string& language)
{
    fs::path source = fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage";
    fs::path target = Folder() / "Mullanguage";
    fs::create_directories(target);
    for (const auto& entry : fs::directory_iterator(source)) {
        if (entry.path().extension() == ".ini" && entry.path().filename() != "Setting.ini")
            fs::copy_file(entry.path(), target / entry.path().filename());
    }
    std::string settings = "[Setting]\n";
    if (!language.empty())
        settings += "Language=" + language + "\n";
    settings += "WebSite=https://www.norvale.example/\n";
    WriteSettings(settings);
}

fs::path CTestInstall::Folder() const
{
    return fs::path(m_dir.path().toStdString());
}

fs::path CTestInstall::SettingsFile() const
{
    return Folder() / "Mullanguage" / "Setting.ini";
}

void CTestInstall::WriteSettings(const std::string& text) const
{
    WriteText(SettingsFile(), text);
}

void CTestInstall::WriteLanguageFile(const std::string& fileName, const std::string& text) const
{
    WriteText(Folder() / "Mullanguage" / fileName, text);
}

void CTestInstall::WriteDataFile(const fs::path& relative, const std::string& text) const
{
    fs::create_directories((Folder() / relative).parent_path());
    WriteText(Folder() / relative, text);
}

void CTestInstall::RemoveLanguageFile(const std::string& fileName) const
{
    fs::remove(Folder() / "Mullanguage" / fileName);
}

QString CTestInstall::FilePath(const QString& name) const
{
    return m_dir.filePath(name);
}

void CPromptLog::Install(CPrompts& prompts)
{
    prompts.message = [this](QWidget*, const QString& text, QMessageBox::Icon, QMessageBox::StandardButtons) {
        messages << text;
        return answer;
    };
    prompts.openFileName = [this](QWidget*, const QString& filters) {
        openFilters = filters;
        return openName;
    };
    prompts.saveFileName = [this](QWidget*, const QString&, const QString&) { return saveName; };
    prompts.chooseType = [this](QWidget*, const QStringList& names) {
        typesOffered = names;
        return typeChoice;
    };
    prompts.openUrl = [this](const QUrl& url) {
        urlsOpened << url;
        return urlOpens;
    };
    prompts.pageSetup = [this](QWidget*, QPrinter& printer) {
        pageSetups << &printer;
        return true;
    };
    prompts.runModal = [this](QDialog& dialog) {
        dialogs << dialog.windowTitle();
        if (!fillDialog)
            return int(QDialog::Rejected);
        fillDialog(dialog);
        return dialog.result();
    };
}

CStartedApp::CStartedApp(const CTestInstall& install, QStringList arguments)
{
    // Every test starts with an empty recently-used list.
    QSettings(QString::fromLatin1(CEditorApp::kProfileOrganisation), QCoreApplication::applicationName())
        .remove(QStringLiteral("Recent File List"));
    app = std::make_unique<CEditorApp>(WireProgram(
        {install.Folder(), std::move(arguments), QString::fromStdString(install.Folder().string()), {}, {}}));
    log.Install(app->Prompts());
    started = app->InitInstance();
    ProcessEvents();
}

CStartedApp::~CStartedApp()
{
    if (app && app->MainFrame()) {
        // Nothing modified is left to ask about when a test ends.
        log.answer = QMessageBox::No;
    }
    app.reset();
    ProcessEvents();
}

void ProcessEvents()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace lumaro::gui::test
