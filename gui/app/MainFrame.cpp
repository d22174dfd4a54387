#include "gui/app/MainFrame.h"

#include "core/app/IniFile.h"
#include "core/app/LangText.h"
#include "core/app/Status.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/CoordinatesBar.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/Document.h"
#include "gui/app/EditorApp.h"
#include "gui/app/Languages.h"
#include "gui/app/MenuLayout.h"
#include "gui/app/MessageText.h"
#include "gui/app/RecentFileList.h"
#include "gui/app/View.h"
#include "gui/widgets/StatusBarXP.h"
#include "gui/widgets/ToolBarIcons.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace lumaro::gui {

namespace {

// "Save(&S)\tCtrl+S" -> "Save": a tool tip from a menu text.
QString ToolTipOf(QString text)
{
    int tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        text.truncate(tab);
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    text.remove(mnemonic);
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
}

// Accelerator table 128, the main frame's: used when no document frame is
// active, and for the keys the active frame's own table does not have.
struct Accelerator {
    QKeyCombination key;
    int id;
};
const Accelerator kAccelerators[] = {
    {Qt::CTRL | Qt::Key_N, cmd::FileNew},
    {Qt::CTRL | Qt::Key_O, cmd::FileOpen},
    {Qt::CTRL | Qt::Key_S, cmd::FileSave},
    {Qt::CTRL | Qt::Key_P, cmd::FilePrint},
    // Ctrl+Y is taken, so redo is the other common key.
    {Qt::CTRL | Qt::Key_Z, cmd::EditUndo},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, cmd::EditRedo},
};

// Tool bar 128 and tool bar 194; 0 is a separator.
const int kMainToolBar[] = {cmd::NewEmptyLayout,
                            cmd::FileOpen,
                            cmd::FileSave,
                            0,
                            cmd::FilePrint,
                            cmd::FilePrintPreview,
                            0,
                            cmd::UseWizard,
                            0,
                            cmd::ParallelPlay,
                            0,
                            cmd::AppAbout};
const int kLampToolBar[] = {
    cmd::DeleteLamp, cmd::InsertLamp,  0, cmd::SwitchWindow, cmd::ShowGrid,   cmd::Scan, 0,
    cmd::ZoomInTool, cmd::ZoomOutTool, 0, cmd::PanTool,      cmd::PointerTool};

// Tool tips of the buttons that have no menu item.
struct ToolTipKey {
    int id;
    const char* key;
};
const ToolTipKey kToolOnlyTips[] = {{cmd::ZoomInTool, "ID_TOOL_ZOOMIN"},
                                    {cmd::ZoomOutTool, "ID_TOOL_ZOOMOUT"},
                                    {cmd::PanTool, "ID_TOOL_PAN"},
                                    {cmd::PointerTool, "ID_TOOL_POINTER"}};

void CollectItems(QMenu* menu, int id, std::vector<QAction*>& found)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            CollectItems(sub, id, found);
        else if (CCommandRegistry::IdOf(action) == id)
            found.push_back(action);
    }
}

fs::path DataFile(const fs::path& folder, std::string relative)
{
    // The language files write these paths the Windows way.
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return FindPathNoCase(folder / fs::path(relative).relative_path());
}

} // namespace

CMainFrame::CMainFrame(CEditorApp& app) : m_app(app)
{
    setWindowTitle(QStringLiteral("Lumaro 4.0"));
    setWindowIcon(ApplicationIcon());
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setViewMode(QMdiArea::SubWindowView);
    m_mdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnActiveFrameChanged);

    RegisterCommands();
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    CreateCoordinatesBar();
    BindAccelerators();
    ShowMenuLayout(menuid::Main);

    // Tool bar buttons follow their update handlers while the program idles.
    auto* idle = new QTimer(this);
    idle->setInterval(250);
    connect(idle, &QTimer::timeout, this, [this] {
        if (isVisible())
            Registry().UpdateControls();
    });
    idle->start();
}

CMainFrame::~CMainFrame()
{
    // Frames closing while the window goes must not reach a half-destroyed frame.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    // The pop-ups are not children of the menu bar; they go here.
    for (auto& [id, popups] : m_menus)
        qDeleteAll(popups);
}

CCommandRegistry& CMainFrame::Registry() const
{
    return m_app.Registry();
}

// --- active frame -----------------------------------------------------

CChildFrame* CMainFrame::GetActiveFrame() const
{
    auto* frame = qobject_cast<CChildFrame*>(m_mdiArea->activeSubWindow());
    if (frame && !frame->IsClosing())
        return frame;
    // A frame just closed: the next one is the active one.
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        auto* other = qobject_cast<CChildFrame*>(*it);
        if (other && !other->IsClosing())
            return other;
    }
    return nullptr;
}

CView* CMainFrame::GetActiveView() const
{
    CChildFrame* frame = GetActiveFrame();
    return frame ? frame->View() : nullptr;
}

CDocument* CMainFrame::GetActiveDocument() const
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

CChildFrame* CMainFrame::AddChildFrame(CDocTemplate* docTemplate, CView* view)
{
    auto* frame = new CChildFrame(*this, *docTemplate, view);
    m_mdiArea->addSubWindow(frame);
    return frame;
}

void CMainFrame::OnChildFrameClosed(CChildFrame* frame)
{
    Q_UNUSED(frame);
    // After the framework has finished the close the menu may belong to
    // another document type.
    QTimer::singleShot(0, this, [this] {
        if (CChildFrame* next = GetActiveFrame())
            next->ActivateFrame();
        ChangeMenuLanguage();
        UpdateFrameTitle();
    });
}

void CMainFrame::OnActiveFrameChanged(QMdiSubWindow* window)
{
    auto* frame = qobject_cast<CChildFrame*>(window);
    if (frame && frame->IsClosing())
        return;
    CView* view = frame ? frame->View() : nullptr;
    if (m_activeView && m_activeView != view)
        m_activeView->OnActivateView(false);
    if (frame)
        frame->ActivateFrame();
    if (view && m_activeView != view)
        view->OnActivateView(true);
    m_activeView = view;
    ChangeMenuLanguage();
    UpdateFrameTitle();
}

void CMainFrame::UpdateFrameTitle()
{
    QString title = QStringLiteral("Lumaro 4.0");
    if (CDocument* document = GetActiveDocument())
        title += QStringLiteral(" - [") + document->GetTitle() + QLatin1Char(']');
    setWindowTitle(title);
}

// --- menus -------------------------------------------------------------

QMenu* CMainFrame::BuildPopup(const MenuEntry& entry)
{
    auto* menu = new QMenu(QString::fromUtf8(entry.text));
    for (const MenuEntry& child : entry.entries) {
        switch (child.kind) {
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Popup:
            menu->addMenu(BuildPopup(child))->setParent(menu);
            break;
        case MenuEntry::Kind::Item: {
            QAction* action = Registry().Action(child.id);
            if (action->text().isEmpty())
                action->setText(QString::fromUtf8(child.text));
            menu->addAction(action);
            break;
        }
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        m_app.RecentFiles().UpdateMenu(menu);
        Registry().UpdateMenu(menu);
    });
    return menu;
}

void CMainFrame::CreateMenus()
{
    for (int id : {menuid::Main, menuid::Layout, menuid::Demo, menuid::ModeTest}) {
        const MenuLayout* layout = FindMenuLayout(id);
        std::vector<QMenu*>& popups = m_menus[id];
        for (const MenuEntry& popup : layout->popups)
            popups.push_back(BuildPopup(popup));
    }
}

void CMainFrame::ShowMenuLayout(int menuId)
{
    if (m_menuId == menuId)
        return;
    m_menuId = menuId;
    menuBar()->clear();
    for (QMenu* popup : m_menus[menuId])
        menuBar()->addMenu(popup);
}

int CMainFrame::GetMenuBarCount() const
{
    const MenuLayout* layout = FindMenuLayout(m_menuId);
    int count = static_cast<int>(menuBar()->actions().size());
    return layout && layout->behindWindowMenu ? count + 1 : count;
}

QAction* CMainFrame::GetMenuBarEntry(int position) const
{
    const MenuLayout* layout = FindMenuLayout(m_menuId);
    if (layout && layout->behindWindowMenu) {
        if (position == 0) {
            CChildFrame* frame = GetActiveFrame();
            return frame && frame->systemMenu() ? frame->systemMenu()->menuAction() : nullptr;
        }
        --position;
    }
    const QList<QAction*> entries = menuBar()->actions();
    return position >= 0 && position < entries.size() ? entries[position] : nullptr;
}

QMenu* CMainFrame::GetMenuBarSubMenu(int position) const
{
    QAction* entry = GetMenuBarEntry(position);
    return entry ? entry->menu() : nullptr;
}

void CMainFrame::RelabelPopup(QMenu* menu, const MenuEntry& entry)
{
    const QList<QAction*> actions = menu->actions();
    for (std::size_t i = 0; i < entry.entries.size(); ++i) {
        const MenuEntry& child = entry.entries[i];
        if (child.kind == MenuEntry::Kind::Popup) {
            // Addressed by its position in the parent; keeps its submenu.
            QAction* title =
                i < static_cast<std::size_t>(actions.size()) ? actions[static_cast<int>(i)] : nullptr;
            if (title && child.key)
                title->setText(LangText(child.key));
            if (title && title->menu())
                RelabelPopup(title->menu(), child);
        } else if (child.kind == MenuEntry::Kind::Item && child.key) {
            RelabelItem(child.id, child.key);
        }
    }
}

void CMainFrame::RelabelItem(int id, const char* key)
{
    std::vector<QAction*> found;
    for (int position = 0; position < GetMenuBarCount(); ++position) {
        if (QMenu* menu = GetMenuBarSubMenu(position))
            CollectItems(menu, id, found);
    }
    const QString text = LangText(key);
    for (QAction* action : found) {
        action->setText(text);
        action->setToolTip(ToolTipOf(text));
    }
}

void CMainFrame::ChangeMenuLanguage()
{
    // A document frame shows its template's menu (130, 131 or 169).
    int menuId = menuid::Main;
    if (CChildFrame* frame = GetActiveFrame(); frame && FindMenuLayout(frame->DocTemplate().ResourceId()))
        menuId = frame->DocTemplate().ResourceId();
    ShowMenuLayout(menuId);

    const MenuLayout* layout = FindMenuLayout(menuId);
    for (std::size_t i = 0; i < layout->popups.size(); ++i) {
        const MenuEntry& popup = layout->popups[i];
        QAction* title = GetMenuBarEntry(layout->BarPosition(i));
        if (!title)
            continue;
        title->setText(LangText(popup.key));
        if (title->menu())
            RelabelPopup(title->menu(), popup);
    }
    for (const ToolTipKey& tip : kToolOnlyTips)
        Registry().Action(tip.id)->setToolTip(LangText(tip.key));

    Registry().UpdateControls();
    menuBar()->update();
    update();
}

// --- bars --------------------------------------------------------------

void CMainFrame::CreateToolBars()
{
    auto fill = [this](QToolBar* bar, const int* ids, std::size_t count, QSize size) {
        bar->setIconSize(size);
        for (std::size_t i = 0; i < count; ++i) {
            if (ids[i] == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* action = Registry().Action(ids[i]);
            action->setIcon(ToolBarIcon(ids[i], size));
            if (action->toolTip().isEmpty() || action->text().isEmpty())
                action->setToolTip(ToolTipOf(action->text()));
            bar->addAction(action);
        }
    };
    m_mainToolBar = new QToolBar(this);
    m_mainToolBar->setObjectName(QStringLiteral("ToolBar128"));
    m_mainToolBar->setAllowedAreas(Qt::TopToolBarArea);
    fill(m_mainToolBar, kMainToolBar, std::size(kMainToolBar), QSize(20, 15));
    addToolBar(Qt::TopToolBarArea, m_mainToolBar);

    m_lampToolBar = new QToolBar(this);
    m_lampToolBar->setObjectName(QStringLiteral("ToolBar194"));
    m_lampToolBar->setAllowedAreas(Qt::LeftToolBarArea);
    fill(m_lampToolBar, kLampToolBar, std::size(kLampToolBar), QSize(26, 22));
    addToolBar(Qt::LeftToolBarArea, m_lampToolBar);

    // Undo and redo have a bar of their own, so tool bars 128 and 194 keep their buttons.
    m_undoToolBar = new QToolBar(this);
    m_undoToolBar->setObjectName(QStringLiteral("UndoToolBar"));
    m_undoToolBar->setAllowedAreas(Qt::TopToolBarArea);
    m_undoToolBar->setIconSize(QSize(20, 15));
    Registry().Action(cmd::EditUndo)->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    Registry().Action(cmd::EditRedo)->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_undoToolBar->addAction(Registry().Action(cmd::EditUndo));
    m_undoToolBar->addAction(Registry().Action(cmd::EditRedo));
    addToolBar(Qt::TopToolBarArea, m_undoToolBar);
}

void CMainFrame::CreateStatusBar()
{
    m_statusBar = new CStatusBarXP(this);
    setStatusBar(m_statusBar);
    m_statusBar->SetPaneText(0, QStringLiteral("Ready"));
    m_statusBar->SetPaneText(1, QStringLiteral("Caps"));
    m_statusBar->SetPaneText(2, QStringLiteral("Num"));
    m_statusBar->SetPaneText(3, QStringLiteral("Scroll"));
}

void CMainFrame::CreateCoordinatesBar()
{
    m_coordinatesDock = new QDockWidget(this);
    m_coordinatesDock->setObjectName(QStringLiteral("DialogBar103"));
    m_coordinatesDock->setAllowedAreas(Qt::RightDockWidgetArea);
    m_coordinatesDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    // A dialog bar has no caption of its own.
    m_coordinatesDock->setTitleBarWidget(new QWidget(m_coordinatesDock));
    m_coordinates = new CCoordinatesBar(Registry(), m_coordinatesDock);
    m_coordinatesDock->setWidget(m_coordinates);
    addDockWidget(Qt::RightDockWidgetArea, m_coordinatesDock);
}

void CMainFrame::BindAccelerators()
{
    for (const Accelerator& accelerator : kAccelerators)
        Registry().BindKey(this, QKeySequence(accelerator.key), accelerator.id);
}

// --- commands ----------------------------------------------------------

void CMainFrame::RegisterCommands()
{
    for (const LanguageInfo& language : kLanguages) {
        int id = language.commandId;
        OnCommand(id, [this, id] { SwitchLanguage(id); });
        OnUpdate(id, [this, id](CCmdUI& ui) { UpdateLanguage(id, ui); });
    }
    OnCommand(cmd::HelpContents, [this] { OpenHelpDocument("HELP_PATH1", "MAINFRM_ONHELPABOUTVC_OHFF"); });
    OnCommand(cmd::HelpWhatsNew, [this] { OpenHelpDocument("WHATNEW_PATH", "MAINFRM_ONWHATSNEW_OWNFF"); });
    OnCommand(cmd::HelpWebSite, [this] { OnHelpWebSite(); });

    OnCommand(cmd::ViewToolbar, [this] { m_mainToolBar->setVisible(!m_mainToolBar->isVisible()); });
    OnUpdate(cmd::ViewToolbar, [this](CCmdUI& ui) { ui.SetCheck(m_mainToolBar->isVisible()); });
    OnCommand(cmd::ViewStatusBar, [this] { m_statusBar->setVisible(!m_statusBar->isVisible()); });
    OnUpdate(cmd::ViewStatusBar, [this](CCmdUI& ui) { ui.SetCheck(m_statusBar->isVisible()); });

    OnCommand(cmd::WindowNew, [this] {
        CDocument* document = GetActiveDocument();
        CChildFrame* active = GetActiveFrame();
        if (!document || !active)
            return;
        CDocTemplate& docTemplate = active->DocTemplate();
        if (CChildFrame* frame = docTemplate.CreateNewFrame(document))
            docTemplate.InitialUpdateFrame(frame);
    });
    OnCommand(cmd::WindowCascade, [this] {
        // Qt's cascade keeps each frame's own size, which for a frame that
        // was only ever maximised is its title bar: every frame gets two
        // thirds of the area, each one a title bar lower.
        const QList<QMdiSubWindow*> frames = m_mdiArea->subWindowList();
        const QSize area = m_mdiArea->viewport()->size();
        const QSize size(std::max(area.width() * 2 / 3, 200), std::max(area.height() * 2 / 3, 150));
        const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
        int k = 0;
        for (QMdiSubWindow* frame : frames) {
            frame->showNormal();
            frame->resize(size);
            const int offset = (k++ * step) % std::max(area.height() - size.height(), step);
            frame->move(offset, offset);
            frame->raise();
        }
        if (QMdiSubWindow* active = m_mdiArea->activeSubWindow())
            active->raise();
    });
    OnCommand(cmd::WindowTileHorz, [this] { m_mdiArea->tileSubWindows(); });
    // Frames are never left minimised, so there are no icons to arrange.
    OnCommand(cmd::WindowArrange, [] {});
}

void CMainFrame::SwitchLanguage(int commandId)
{
    const LanguageInfo& language = kLanguages[static_cast<std::size_t>(LanguageIndexOf(commandId))];
    if (CChildFrame* frame = GetActiveFrame())
        frame->ActivateFrame();
    Status written =
        CIniFile::Write(CLangText::SettingsPath(), "Setting", "Language", language.settingsValue);
    CLangText::SetLanguageFilePath(
        FindPathNoCase(CLangText::LanguageFileIn(m_app.InstallFolder(), language.fileName)));
    m_app.QtTranslations().Use(language.fileName);
    ChangeMenuLanguage();
    RetranslateAllWindows();
    m_languageChecked.fill(false);
    m_languageChecked[static_cast<std::size_t>(language.check)] = true;
    CLangText::SetStartupLanguageName(std::string());
    if (!written.ok())
        m_app.Prompts().message(this, LangText(written.key.c_str()), QMessageBox::Warning, QMessageBox::Ok);
}

void CMainFrame::UpdateLanguage(int commandId, CCmdUI& ui) const
{
    int index = LanguageIndexOf(commandId);
    const LanguageInfo& language = kLanguages[static_cast<std::size_t>(index)];
    ui.Enable(m_app.LanguageFilePresent()[static_cast<std::size_t>(index)]);
    ui.SetCheck(m_languageChecked[static_cast<std::size_t>(language.check)] ||
                CLangText::StartupLanguageName() == language.fileName);
}

void CMainFrame::OpenHelpDocument(const std::string& pathKey, const char* failureKey)
{
    std::string relative = GetLangText(pathKey);
    fs::path path = DataFile(m_app.InstallFolder(), relative);
    // The desktop's opener reports success as soon as it starts, whether
    // the file is there or not, so a missing document is caught here.
    std::error_code ec;
    if (relative.empty() || !fs::is_regular_file(path, ec)) {
        m_app.Prompts().message(this, LangText(failureKey), QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    const QString file = QString::fromStdString(path.string());
    OpenWithDesktop(QUrl::fromLocalFile(file), QDir::toNativeSeparators(file));
}

void CMainFrame::OnHelpWebSite()
{
    std::string address = CIniFile::ReadString(CLangText::SettingsPath(), "Setting", "WebSite", "");
    QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) {
        m_app.Prompts().message(this, LangText("MAINFRM_ONHELPWEBSITE_OWSF"), QMessageBox::Warning,
                                QMessageBox::Ok);
        return;
    }
    OpenWithDesktop(url, url.toString());
}

void CMainFrame::OpenWithDesktop(const QUrl& url, const QString& shown)
{
    // The document is there; what is missing is a program for it.
    if (!m_app.Prompts().openUrl(url))
        m_app.Prompts().message(this, LangText("MAINFRM_OPENWITHDESKTOP_NPCO").arg(shown),
                                QMessageBox::Warning, QMessageBox::Ok);
}

// --- window ------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_app.SaveAllModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    activateWindow();
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            m_app.OpenDocumentFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}

} // namespace lumaro::gui
