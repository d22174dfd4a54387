#pragma once

#include "gui/app/ChildFrame.h"
#include "gui/app/CommandTarget.h"
#include "gui/app/View.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <vector>

class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QUrl;

namespace lumaro::gui {

class CChildFrame;
class CCommandRegistry;
class CCoordinatesBar;
class CDocTemplate;
class CDocument;
class CEditorApp;
class CStatusBarXP;
struct MenuEntry;
struct MenuLayout;

// The main window: menu bar, the two tool bars, the status bar, the
// coordinates bar and the MDI area with the document frames. Hosts the
// commands not tied to one document (languages, help, windows); the
// features add theirs as command targets of the application.
class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    // Language check flags, in this order.
    enum LanguageCheck { CheckEnglish, CheckChs, CheckCts, CheckFrench, CheckGerman, CheckItaly };

    explicit CMainFrame(CEditorApp& app);
    ~CMainFrame() override;

    CCommandRegistry& Registry() const;

    // Active child frame, its view and document; nullptr without one.
    CChildFrame* GetActiveFrame() const;
    CView* GetActiveView() const;
    CDocument* GetActiveDocument() const;
    QMdiArea* MdiArea() const { return m_mdiArea; }

    // Rewrites the menu bar from the language file for the active document
    // type (menus 128, 130, 131, 169).
    void ChangeMenuLanguage();
    int CurrentMenuId() const { return m_menuId; }
    // The entry at a menu-bar position. While a document is open position 0
    // is the child frame's window menu and the document menu starts at 1.
    QAction* GetMenuBarEntry(int position) const;
    QMenu* GetMenuBarSubMenu(int position) const;
    int GetMenuBarCount() const;

    QToolBar* MainToolBar() const { return m_mainToolBar; }
    QToolBar* LampToolBar() const { return m_lampToolBar; }
    CStatusBarXP* StatusBarXP() const { return m_statusBar; }
    CCoordinatesBar* CoordinatesBar() const { return m_coordinates; }
    QDockWidget* CoordinatesDock() const { return m_coordinatesDock; }

    bool LanguageChecked(LanguageCheck which) const { return m_languageChecked[which]; }

    QToolBar* UndoToolBar() const { return m_undoToolBar; }

    // Used by the document layer.
    CChildFrame* AddChildFrame(CDocTemplate* docTemplate, CView* view);
    void OnChildFrameClosed(CChildFrame* frame);
    void UpdateFrameTitle();

    // A help file of the data folder opened with the desktop; failureKey when it cannot be.
    void OpenHelpDocument(const std::string& pathKey, const char* failureKey);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    QMenu* BuildPopup(const MenuEntry& entry);
    void ShowMenuLayout(int menuId);
    void RelabelPopup(QMenu* menu, const MenuEntry& entry);
    void RelabelItem(int id, const char* key);
    void CreateToolBars();
    void CreateStatusBar();
    void CreateCoordinatesBar();
    void BindAccelerators();
    void RegisterCommands();
    void OnActiveFrameChanged(QMdiSubWindow* window);

    void SwitchLanguage(int commandId);
    void UpdateLanguage(int commandId, CCmdUI& ui) const;
    void OnHelpWebSite();
    void OpenWithDesktop(const QUrl& url, const QString& shown);

    CEditorApp& m_app;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_lampToolBar = nullptr;
    QToolBar* m_undoToolBar = nullptr;
    CStatusBarXP* m_statusBar = nullptr;
    QDockWidget* m_coordinatesDock = nullptr;
    CCoordinatesBar* m_coordinates = nullptr;
    std::map<int, std::vector<QMenu*>> m_menus; // menu id -> its pop-ups
    QPointer<CView> m_activeView;               // the view last told it is active
    int m_menuId = 0;
    std::array<bool, 6> m_languageChecked{};
};

} // namespace lumaro::gui
