#include "gui/app/EditorApp.h"

#include "core/app/InstallFolder.h"
#include "core/app/LangText.h"
#include "core/app/UserDataFolder.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/ControlKey.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/Document.h"
#include "gui/app/Languages.h"
#include "gui/app/MainFrame.h"
#include "gui/app/RecentFileList.h"
#include "gui/app/View.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPrinter>
#include <QScreen>

namespace lumaro::gui {

namespace {

// Resource strings of the document templates: window title, document name,
// file-new name, filter name, filter extension, file type id, type name.
constexpr const char* kLayoutString = "\nEdit\nlam\nLam Files (*.lam)\n.lam\nEdit.Document\nEdit Document";
constexpr const char* kLayoutStringChs = "\nEdit\nled\nLed Files (*.led)\n.led\nEdit.Document\nEdit Document";
constexpr const char* kModeTestString =
    "\nLED\nLED\nLED Files (*.led)\n.led\nModete.Document\nModete Document";
constexpr const char* kModeTestStringChs =
    "\nLED\nLED\nLED Files (*.led)\n.led\nEdit.Document\nModete Document";
constexpr const char* kDemoString = "\nText\ntxt\nText(*.h)\n.h\nText.Document\nText Document";

constexpr int kLayoutTemplate = 130;
constexpr int kModeTestTemplate = 169;
constexpr int kDemoTemplate = 131;

// Save As writes layouts as "NAME.LED" (CLayoutFile::SaveAsPath), whatever
// the template's own extension; a desktop's file dialog may match case.
const QStringList kSavedLayoutPatterns{QStringLiteral("*.led"), QStringLiteral("*.LED")};

// "Name (*.a)" with the patterns not yet in it added inside the parentheses.
QString WithPatterns(QString filter, const QStringList& patterns)
{
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('), close);
    if (open < 0 || close < 0)
        return filter;
    QStringList present = filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& pattern : patterns) {
        if (!present.contains(pattern))
            present << pattern;
    }
    return filter.left(open + 1) + present.join(QLatin1Char(' ')) + filter.mid(close);
}

} // namespace

CEditorApp::CEditorApp(Options options)
    : m_options(std::move(options)), m_prompts(CPrompts::Desktop()),
      m_registry(std::make_unique<CCommandRegistry>())
{
    m_recentFiles = std::make_unique<CRecentFileList>(*m_registry, kRecentFileCount);
    SetCurrentDirectory(m_options.currentDirectory.isEmpty() ? QDir::currentPath()
                                                             : m_options.currentDirectory);
    RegisterCommands();
}

CEditorApp::~CEditorApp()
{
    if (m_filterInstalled && qApp)
        qApp->removeEventFilter(this);
    // Frames and views go before the documents their templates own.
    m_mainFrame.reset();
    m_targets.clear();
}

bool CEditorApp::InitInstance()
{
    // 1-3: ActiveX hosting, the owner-drawn menu hook and 3D dialog controls
    // have no counterpart: Qt widgets draw their menus and frames themselves.
    // The key filter stands in for the per-thread hook's place in the message path.
    qApp->installEventFilter(this);
    m_filterInstalled = true;

    // 4: profile settings and the recently-used list.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kProfileOrganisation));
    if (QCoreApplication::applicationName().isEmpty())
        QCoreApplication::setApplicationName(QStringLiteral("lumaro"));
    m_recentFiles->Load();

    // 5, 6
    m_started = false;
    m_installFolder = m_options.installFolder;
    // Without a copy of its own the program still runs on the installed
    // files; only saving settings and colour groups will fail.
    const Result<fs::path> dataFolder = CUserDataFolder::ForInstallFolder(m_installFolder);
    m_dataFolder = dataFolder ? dataFolder.value() : m_installFolder;
    CLangText::SetSettingsPath(FindPathNoCase(m_dataFolder / datapath::Settings));

    // 7, 8
    const std::string languageName = CLangText::ReadLanguageFileName(CLangText::SettingsPath());
    const fs::path languageFile = FindPathNoCase(CLangText::LanguageFileIn(m_installFolder, languageName));
    CLangText::SetStartupLanguageName(languageName);
    std::error_code ec;
    if (!fs::is_regular_file(languageFile, ec)) {
        // No language file: the one text that cannot come from it.
        m_prompts.message(nullptr, QStringLiteral("Can not find language file!"), QMessageBox::Warning,
                          QMessageBox::Ok);
        return false;
    }
    CLangText::SetLanguageFilePath(languageFile);
    m_qtTranslations.Use(languageName);
    if (!dataFolder) {
        m_prompts.message(nullptr, QString::fromStdString(GetLangText(dataFolder.status())),
                          QMessageBox::Warning, QMessageBox::Ok);
    }
    QString chinese = QStringLiteral("Chinese.ini");
    m_chineseResources = QString::fromStdString(languageName).compare(chinese, Qt::CaseInsensitive) == 0;

    // 9
    QDir current(m_options.currentDirectory.isEmpty() ? QDir::currentPath() : m_options.currentDirectory);
    m_currentDirectory = current.absolutePath();
    QFileInfo help(current.filePath(QString::fromLatin1(kHelpFileName)));
    m_helpFilePath = help.isFile() ? help.absoluteFilePath() : QString();

    // 10
    AddTemplate(kLayoutTemplate);

    // 11
    m_mainFrame = std::make_unique<CMainFrame>(*this);
    m_registry->SetRoute([this] {
        std::vector<CCommandTarget*> route;
        if (m_mainFrame) {
            if (CChildFrame* frame = m_mainFrame->GetActiveFrame()) {
                if (CView* view = frame->View()) {
                    route.push_back(view);
                    if (CDocument* document = view->GetDocument())
                        route.push_back(document);
                }
                route.push_back(frame);
            }
            route.push_back(m_mainFrame.get());
        }
        for (const auto& target : m_targets)
            route.push_back(target.get());
        route.push_back(this);
        return route;
    });

    if (m_options.featuresReady)
        m_options.featuresReady(*this);

    // 12: a start without a file makes one empty layout without asking,
    // since only the layout template is registered yet.
    QString file;
    for (const QString& argument : m_options.arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    if (file.isEmpty()) {
        OnFileNew();
        if (m_templates.front()->Documents().empty())
            return false;
    } else if (!OpenDocumentFile(file)) {
        return false;
    }

    // 13
    m_modeTestTemplate = MakeTemplate(kModeTestTemplate);

    // 14: dropped files; the desktop's own file-type registration is left
    // to the installation.
    m_mainFrame->setAcceptDrops(true);

    // 15
    AddTemplate(kDemoTemplate);

    // 16: without a window manager (a bare X server) maximising does
    // nothing, so the frame is first given the whole screen itself.
    if (QScreen* screen = m_mainFrame->screen())
        m_mainFrame->setGeometry(screen->availableGeometry());
    m_mainFrame->showMaximized();
    m_started = true;

    // 17
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        fs::path path = FindPathNoCase(m_installFolder / datapath::Mullanguage / kLanguages[i].fileName);
        m_languageFilePresent[i] = fs::is_regular_file(path, ec);
    }

    // Every key some document type's table knows reaches the route.
    auto addKeys = [this](const CDocTemplate& docTemplate) {
        for (const CDocTemplate::Accelerator& accelerator : docTemplate.Accelerators())
            m_registry->AddKey(m_mainFrame.get(), accelerator.key);
    };
    for (const auto& docTemplate : m_templates)
        addKeys(*docTemplate);
    if (m_modeTestTemplate)
        addKeys(*m_modeTestTemplate);

    // 18
    m_mainFrame->ChangeMenuLanguage();
    return true;
}

int CEditorApp::ExitInstance()
{
    if (m_filterInstalled && qApp) {
        qApp->removeEventFilter(this);
        m_filterInstalled = false;
    }
    m_recentFiles->Save();
    return 0;
}

std::unique_ptr<CDocTemplate> CEditorApp::MakeTemplate(int resourceId)
{
    const char* resourceString = nullptr;
    switch (resourceId) {
    case kLayoutTemplate:
        resourceString = m_chineseResources ? kLayoutStringChs : kLayoutString;
        break;
    case kModeTestTemplate:
        resourceString = m_chineseResources ? kModeTestStringChs : kModeTestString;
        break;
    case kDemoTemplate:
        resourceString = kDemoString;
        break;
    default:
        return nullptr;
    }
    TemplateParts parts;
    if (m_options.templateParts)
        parts = m_options.templateParts(*this, resourceId);
    if (!parts.makeDocument)
        parts.makeDocument = [] { return new CDocument; };
    if (!parts.makeView)
        parts.makeView = [](CDocument* document) { return new CView(document); };
    return std::make_unique<CDocTemplate>(*this, resourceId, QString::fromUtf8(resourceString),
                                          std::move(parts.makeDocument), std::move(parts.makeView),
                                          std::move(parts.accelerators));
}

void CEditorApp::AddCommandTarget(std::unique_ptr<CCommandTarget> target)
{
    m_targets.push_back(std::move(target));
}

void CEditorApp::AddTemplate(int resourceId)
{
    m_templates.push_back(MakeTemplate(resourceId));
}

CDocTemplate* CEditorApp::FindTemplate(int resourceId) const
{
    for (const auto& docTemplate : m_templates) {
        if (docTemplate->ResourceId() == resourceId)
            return docTemplate.get();
    }
    if (m_modeTestTemplate && m_modeTestTemplate->ResourceId() == resourceId)
        return m_modeTestTemplate.get();
    return nullptr;
}

void CEditorApp::RegisterCommands()
{
    OnCommand(cmd::AppAbout, [this] { OnAppAbout(); });
    auto newLayout = [this] {
        OpenTemplateByName(QStringLiteral("Edit"));
        if (m_mainFrame)
            m_mainFrame->ChangeMenuLanguage();
    };
    OnCommand(cmd::NewImageDocument, newLayout);
    OnCommand(cmd::NewImageDocumentMain, newLayout);
    OnCommand(cmd::NewText, [this] {
        OpenTemplateByName(QStringLiteral("Text"));
        if (m_mainFrame)
            m_mainFrame->ChangeMenuLanguage();
    });
    OnCommand(cmd::FileNew, [this] { OnFileNew(); });
    OnCommand(cmd::FileOpen, [this] { OnFileOpen(); });
    OnCommand(cmd::FilePrintSetup, [this] { OnFilePrintSetup(); });
    OnCommand(cmd::AppExit, [this] {
        if (m_mainFrame)
            m_mainFrame->close();
    });
    OnCommandRange(cmd::FileMruFile1, cmd::FileMruFile1 + kRecentFileCount - 1,
                   [this](int id) { OpenRecentFile(id - cmd::FileMruFile1); });
    OnUpdate(cmd::FileMruFile1, [this](CCmdUI& ui) { ui.Enable(!m_recentFiles->Paths().isEmpty()); });
}

bool CEditorApp::OpenTemplateByName(const QString& name)
{
    // The name the New commands use is the template's document name ("Edit",
    // "Text"), which is also what the File New choice lists.
    for (const auto& docTemplate : m_templates) {
        if (docTemplate->GetDocString(CDocTemplate::docName) == name)
            return docTemplate->OpenDocumentFile(QString(), true) != nullptr;
    }
    return false;
}

void CEditorApp::OnFileNew()
{
    if (m_templates.empty())
        return;
    CDocTemplate* chosen = m_templates.front().get();
    if (m_templates.size() > 1) {
        QStringList names;
        for (const auto& docTemplate : m_templates)
            names << docTemplate->GetDocString(CDocTemplate::docName);
        int index = m_prompts.chooseType(m_mainFrame.get(), names);
        if (index < 0 || index >= static_cast<int>(m_templates.size()))
            return;
        chosen = m_templates[static_cast<std::size_t>(index)].get();
    }
    chosen->OpenDocumentFile(QString(), true);
}

void CEditorApp::OnFileOpen()
{
    QStringList filters;
    for (const auto& docTemplate : m_templates) {
        QString filter = docTemplate->GetDocString(CDocTemplate::filterName);
        if (filter.isEmpty())
            continue;
        // The layouts this program saves must show under the layout filter.
        if (docTemplate->ResourceId() == kLayoutTemplate)
            filter = WithPatterns(filter, kSavedLayoutPatterns);
        filters << filter;
    }
    QString all = QString::fromStdString(GetLangText("FRAMEWORK_ALL_FILES"));
    if (!all.isEmpty())
        filters << all + QStringLiteral(" (*)");
    QString path = m_prompts.openFileName(m_mainFrame.get(), filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return;
    SetCurrentDirectoryFromFile(path);
    OpenDocumentFile(path);
}

CDocument* CEditorApp::OpenDocumentFile(const QString& path)
{
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (const auto& docTemplate : m_templates) {
        CDocument* open = nullptr;
        CDocTemplate::Confidence match = docTemplate->MatchDocType(path, open);
        if (match == CDocTemplate::yesAlreadyOpen) {
            for (CView* view : open->Views()) {
                if (CChildFrame* frame = view->GetParentFrame()) {
                    frame->ActivateFrame();
                    break;
                }
            }
            return open;
        }
        if (match > bestMatch) {
            bestMatch = match;
            best = docTemplate.get();
        }
    }
    if (!best)
        return nullptr;
    return best->OpenDocumentFile(path, true);
}

void CEditorApp::SetCurrentDirectory(const QString& folder)
{
    m_currentDirectory = QDir(folder).absolutePath();
}

void CEditorApp::SetCurrentDirectoryFromFile(const QString& file)
{
    SetCurrentDirectory(QFileInfo(file).absolutePath());
}

void CEditorApp::AddToRecentFileList(const QString& path)
{
    m_recentFiles->Add(path);
}

bool CEditorApp::SaveAllModified()
{
    for (const auto& docTemplate : m_templates) {
        std::vector<CDocument*> documents = docTemplate->Documents();
        for (CDocument* document : documents) {
            if (!document->SaveModified())
                return false;
        }
    }
    if (m_modeTestTemplate) {
        std::vector<CDocument*> documents = m_modeTestTemplate->Documents();
        for (CDocument* document : documents) {
            if (!document->SaveModified())
                return false;
        }
    }
    return true;
}

void CEditorApp::OnAppAbout()
{
    CAboutDlg dialog(m_mainFrame.get());
    dialog.exec();
}

QPrinter& CEditorApp::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CEditorApp::OnFilePrintSetup()
{
    m_prompts.pageSetup(m_mainFrame.get(), Printer());
}

void CEditorApp::OpenRecentFile(int index)
{
    const QStringList& paths = m_recentFiles->Paths();
    if (index < 0 || index >= paths.size())
        return;
    QString path = paths[index];
    if (!OpenDocumentFile(path))
        m_recentFiles->Remove(index);
}

bool CEditorApp::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Control && type != QEvent::ShortcutOverride) {
        // A Control of unknown side counts as the left one: it is the usual
        // Control key, and Ctrl+M typed with it is meant to do nothing.
        ControlSide side = ControlSideOf(*key);
        if (type == QEvent::KeyPress)
            m_leftControlDown = side != ControlSide::Right;
        else if (side != ControlSide::Right)
            m_leftControlDown = false;
        return false;
    }
    if (!(key->modifiers() & Qt::ControlModifier))
        m_leftControlDown = false;
    if (key->key() == Qt::Key_M && type != QEvent::KeyRelease && m_leftControlDown) {
        if (type == QEvent::ShortcutOverride)
            event->accept(); // keeps the accelerator from seeing it
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumaro::gui
