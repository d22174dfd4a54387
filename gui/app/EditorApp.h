#pragma once

#include "core/app/FileSystem.h"
#include "gui/app/CommandTarget.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/Prompts.h"
#include "gui/app/QtTranslations.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;

namespace lumaro::gui {

class CCommandRegistry;
class CDocTemplate;
class CDocument;
class CMainFrame;
class CRecentFileList;

// The application object: start-up, the document templates, File New and
// Open, the recently-used list, and the values several parts read back
// (install folder, help file, language files present). It knows no
// feature: the program hands it the classes of each document type and its
// commands (see the program's wiring).
class CEditorApp : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    // What the program plugs into one document template.
    struct TemplateParts {
        CDocTemplate::DocumentFactory makeDocument;
        CDocTemplate::ViewFactory makeView;
        CDocTemplate::AcceleratorTable accelerators;
    };
    struct Options {
        fs::path installFolder;   // what the program reads; see DataFolder() for writes
        QStringList arguments;    // without the program name
        QString currentDirectory; // where the help file is looked for
        // The parts of templates 130, 131 and 169.
        std::function<TemplateParts(CEditorApp& app, int resourceId)> templateParts;
        // Called once the main frame exists and before any document opens:
        // the features add their command targets and hooks.
        std::function<void(CEditorApp&)> featuresReady;
    };

    static constexpr int kRecentFileCount = 4;
    static constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";
    static constexpr const char* kHelpFileName = "Lumaro.chm";

    explicit CEditorApp(Options options);
    ~CEditorApp() override;

    // Start-up; false means the program ends (with a non-zero code).
    bool InitInstance();
    int ExitInstance();

    CPrompts& Prompts() { return m_prompts; }
    // Qt's own texts follow the language chosen.
    CQtTranslations& QtTranslations() { return m_qtTranslations; }
    CCommandRegistry& Registry() const { return *m_registry; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CRecentFileList& RecentFiles() const { return *m_recentFiles; }
    // The printer every view prints on, so that Print Setup's choices hold
    // for the whole run of the program; made when first asked for.
    QPrinter& Printer();

    // Everything the program only reads comes from here.
    const fs::path& InstallFolder() const { return m_installFolder; }
    // Everything the program writes (settings, colour groups, the firmware
    // build folder) goes here: the install folder itself where it may be
    // written, else the user's own copy (see CUserDataFolder).
    const fs::path& DataFolder() const { return m_dataFolder; }
    const QString& HelpFilePath() const { return m_helpFilePath; }
    bool Started() const { return m_started; }
    // In the order Chinese, CTChinese, English, French, German, Italy.
    const std::array<bool, 6>& LanguageFilePresent() const { return m_languageFilePresent; }
    // The folder every relative write resolves against. A file chosen in a
    // file dialog makes its folder the current one, as the Windows dialogs
    // do; the process's own working directory is never changed.
    const QString& CurrentDirectory() const { return m_currentDirectory; }
    void SetCurrentDirectory(const QString& folder);
    void SetCurrentDirectoryFromFile(const QString& file);
    // A feature's commands, offered after the main frame's and before the
    // application's; the application owns it.
    void AddCommandTarget(std::unique_ptr<CCommandTarget> target);
    const std::vector<std::unique_ptr<CCommandTarget>>& CommandTargets() const { return m_targets; }
    template <class T> T* FindCommandTarget() const
    {
        for (const auto& target : m_targets) {
            if (auto* found = dynamic_cast<T*>(target.get()))
                return found;
        }
        return nullptr;
    }

    // Registered templates in registration order; the mode test template
    // (169) is kept apart and never takes part in New or Open.
    const std::vector<std::unique_ptr<CDocTemplate>>& Templates() const { return m_templates; }
    CDocTemplate* ModeTestTemplate() const { return m_modeTestTemplate.get(); }
    CDocTemplate* FindTemplate(int resourceId) const;

    // Opens an untitled document of the first registered template whose
    // file-new name equals name (case-sensitive).
    bool OpenTemplateByName(const QString& name);
    void OnFileNew();
    void OnFileOpen();
    CDocument* OpenDocumentFile(const QString& path);
    void AddToRecentFileList(const QString& path);
    // Asks for every modified document; false when the user cancelled.
    bool SaveAllModified();

    // Where the platform tells left from right Control, a key-down of M
    // with the left Control held is dropped before the accelerators see it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterCommands();
    void AddTemplate(int resourceId);
    std::unique_ptr<CDocTemplate> MakeTemplate(int resourceId);
    void OnAppAbout();
    void OnFilePrintSetup();
    void OpenRecentFile(int index);

    Options m_options;
    CPrompts m_prompts;
    CQtTranslations m_qtTranslations;
    std::unique_ptr<CCommandRegistry> m_registry;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CDocTemplate> m_modeTestTemplate;
    std::vector<std::unique_ptr<CCommandTarget>> m_targets;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<QPrinter> m_printer;
    std::array<bool, 6> m_languageFilePresent{};
    bool m_started = false;
    QString m_helpFilePath;
    fs::path m_installFolder;
    fs::path m_dataFolder;
    QString m_currentDirectory;
    bool m_chineseResources = false;
    bool m_leftControlDown = false;
    bool m_filterInstalled = false;
};

} // namespace lumaro::gui
