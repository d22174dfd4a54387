#pragma once

#include "core/effects/ModeItem.h"
#include "gui/document/ProjectState.h"

#include <QDialog>
#include <QWidget>

#include <memory>
#include <vector>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

namespace lumaro::gui {

class CLayoutDocument;
struct CPrompts;

// Page 107 "Define Program Group": the 32 program groups beside the mode
// list. A page of its own, so that it works alone and in the mode editor's
// sheet; nothing reaches the document before Save, which is one edit of it.
class CModeGrpEdt : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDialogId = 107;
    enum ControlId { SaveId = 1330, ResetId = 1331, InsertAllId = 1009, RemoveAllId = 1010 };
    enum MenuId { DeleteId = 32890, RefreshId = 32891 };

    CModeGrpEdt(CLayoutDocument& document, CPrompts& prompts, QWidget* parent = nullptr);

    // Pixels per grid unit for the positions shown; 1 until a layout view
    // tells the page its zoom. Only the shown values change.
    void SetZoom(int zoom);

    QTreeWidget* GroupTree() const { return m_groups; }
    QTreeWidget* ModeTree() const { return m_modes; }
    QPushButton* Button(int controlId) const;

    // A mode of the right tree dropped on target in the left tree: a copy
    // of its entry goes into target's group, after target when that is an
    // entry, else at the end. False when target lies in no group.
    bool DropMode(int modeNumber, QTreeWidgetItem* target);

    void OnReset();
    void OnInsertAll();
    void OnRemoveAll();
    void OnSave();
    // The items of context menu 200 by id; Delete does nothing.
    void OnMenuCommand(int id);
    // Context menu 200, each item carrying its id as data.
    std::unique_ptr<QMenu> MakeContextMenu();

Q_SIGNALS:
    // The groups went to the document; a sheet or dialog around the page closes.
    void Saved();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QTreeWidgetItem* AddEntry(QTreeWidgetItem* parent, int number, const lumaro::CModeItem& mode);
    void FillEntry(QTreeWidgetItem* entry, int number, const lumaro::CModeItem& mode);
    void FillModeTree();
    void FillGroupTree(bool allModes);
    // The entries of the unsaved arrangement follow their modes to their
    // new numbers and values; entries of modes that are gone go too.
    void FollowModes();
    // Every line again, in the zoom and language of the moment.
    void RelabelTrees();
    void OnDocumentChanged(Aspects what);

    CLayoutDocument& m_document;
    CPrompts& m_prompts;
    QTreeWidget* m_groups = nullptr;
    QTreeWidget* m_modes = nullptr;
    int m_zoom = 1;
    // The user has arranged the groups since the last Reset or Save.
    bool m_arranged = false;
    // The mode list the entries' numbers refer to.
    std::vector<lumaro::CModeItem> m_knownModes;
};

// The page in a dialog of its own, where no mode editor's sheet is open.
class CModeGrpDlg : public QDialog {
    Q_OBJECT
public:
    CModeGrpDlg(CLayoutDocument& document, CPrompts& prompts, QWidget* parent = nullptr);
    CModeGrpEdt* Page() const { return m_page; }

private:
    CModeGrpEdt* m_page = nullptr;
};

} // namespace lumaro::gui
