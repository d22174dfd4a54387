#pragma once

#include "core/app/FileSystem.h"
#include "gui/app/EditorApp.h"
#include "gui/document/LayoutDocument.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>

class QDialog;
class QPrinter;

namespace lumaro::gui::test {

// An install folder of its own: the shipped language files, and a settings
// file with the given Language line (none when language is empty).
class CTestInstall {
public:
    explicit CTestInstall(const std::string& language = "English");

    fs::path Folder() const;
    fs::path SettingsFile() const;
    void WriteSettings(const std::string& text) const;
    void WriteLanguageFile(const std::string& fileName, const std::string& text) const;
    // A file below the folder, its folders made as needed.
    void WriteDataFile(const fs::path& relative, const std::string& text) const;
    void RemoveLanguageFile(const std::string& fileName) const;
    QString FilePath(const QString& name) const; // a scratch file in the folder

private:
    QTemporaryDir m_dir;
};

// Answers every prompt without a window and records what was asked.
struct CPromptLog {
    QStringList messages;
    QMessageBox::StandardButton answer = QMessageBox::No;
    QString openName;
    QString openFilters; // the filters of the last open-file prompt
    QString saveName;
    QStringList typesOffered;
    int typeChoice = 0;
    QList<QUrl> urlsOpened;
    bool urlOpens = false;
    QList<QPrinter*> pageSetups; // the printers page setup was run on
    QStringList dialogs;         // the titles of the modal dialogs run
    // Fills and ends a modal dialog, whose result is then the answer; none
    // rejects every dialog unseen.
    std::function<void(QDialog&)> fillDialog;

    void Install(CPrompts& prompts);
};

// A started application over a test install.
struct CStartedApp {
    CStartedApp(const CTestInstall& install, QStringList arguments = {});
    ~CStartedApp();

    CPromptLog log;
    std::unique_ptr<CEditorApp> app;
    bool started = false;
};

// Runs posted events, including deferred deletes, until none are left.
void ProcessEvents();

// Changes the project as a user's edit does: one undo step, announced.
template <class F> void EditProject(CLayoutDocument& document, F change)
{
    document.Edit(QStringLiteral("test"), kAllEditable, [&change](CEditImgDoc& data) {
        change(data);
        return true;
    });
}

} // namespace lumaro::gui::test
