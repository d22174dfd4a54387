#include "gui/effects/ModeGrpEdt.h"

#include "core/app/LangText.h"
#include "core/effects/ModeListEdit.h"
#include "core/project/EditImgDoc.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/MessageText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {

constexpr int kModeNumberRole = Qt::UserRole + 1;

QTreeWidget* MakeTree(QWidget* parent)
{
    auto* tree = new QTreeWidget(parent);
    tree->setColumnCount(1);
    tree->header()->hide();
    tree->setMinimumSize(220, 300);
    return tree;
}

QTreeWidgetItem* AddLine(QTreeWidgetItem* parent, const QString& text)
{
    return new QTreeWidgetItem(parent, QStringList{text});
}

// How far below the root an item lies: 1 for a group or a mode, 2 for an
// entry of a group.
int Depth(const QTreeWidgetItem* item)
{
    int depth = 0;
    for (; item && item->parent(); item = item->parent())
        ++depth;
    return depth;
}

// The left tree takes modes dragged over from the right one; nothing else
// moves, so the tree's own drop handling is bypassed.
class CGroupTree : public QTreeWidget {
public:
    CGroupTree(CModeGrpEdt* page, QWidget* parent) : QTreeWidget(parent), m_page(page)
    {
        setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DropOnly);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->source() == m_page->ModeTree())
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        QTreeWidget::dragMoveEvent(event);
        if (event->source() == m_page->ModeTree())
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dropEvent(QDropEvent* event) override
    {
        QTreeWidgetItem* dragged = m_page->ModeTree()->currentItem();
        while (dragged && Depth(dragged) > 1)
            dragged = dragged->parent();
        if (event->source() != m_page->ModeTree() || Depth(dragged) != 1) {
            event->ignore();
            return;
        }
        const int mode = dragged->parent()->indexOfChild(dragged);
        // A copy: a move would take the mode out of the right tree.
        if (m_page->DropMode(mode, itemAt(event->position().toPoint()))) {
            event->setDropAction(Qt::CopyAction);
            event->accept();
        } else
            event->ignore();
    }

private:
    CModeGrpEdt* m_page;
};

} // namespace

CModeGrpEdt::CModeGrpEdt(CLayoutDocument& document, CPrompts& prompts, QWidget* parent)
    : QWidget(parent), m_document(document), m_prompts(prompts)
{
    MarkAsDialog(this);
    setWindowTitle(QStringLiteral("Define Program Group"));
    m_groups = new CGroupTree(this, this);
    m_groups->setColumnCount(1);
    m_groups->header()->hide();
    m_groups->setMinimumSize(220, 300);
    m_modes = MakeTree(this);
    m_modes->setDragEnabled(true);
    m_modes->setDragDropMode(QAbstractItemView::DragOnly);
    m_modes->setDefaultDropAction(Qt::CopyAction);

    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon file = style()->standardIcon(QStyle::SP_FileIcon);
    if (folder.isNull() || file.isNull()) {
        m_prompts.message(this, QString::fromStdString(GetLangText("MODEGRPEDIT_ONININDLG_PICIC")),
                          QMessageBox::Warning, QMessageBox::Ok);
    }

    QPushButton* save = MakeControlButton(this, SaveId, "&Save");
    connect(save, &QPushButton::clicked, this, &CModeGrpEdt::OnSave);
    QPushButton* reset = MakeControlButton(this, ResetId, "&Reset");
    connect(reset, &QPushButton::clicked, this, &CModeGrpEdt::OnReset);
    QPushButton* insertAll = MakeControlButton(this, InsertAllId, "&Insert All");
    connect(insertAll, &QPushButton::clicked, this, &CModeGrpEdt::OnInsertAll);
    QPushButton* removeAll = MakeControlButton(this, RemoveAllId, "Remove &All");
    connect(removeAll, &QPushButton::clicked, this, &CModeGrpEdt::OnRemoveAll);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {insertAll, removeAll, reset, save})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_groups, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_modes, 1);

    SetDialogLangText(this, kDialogId);
    OnReset();
    connect(&m_document, &CLayoutDocument::Changed, this, &CModeGrpEdt::OnDocumentChanged);
}

// The trees show the document: an undo or another page changing the modes
// or groups shows here at once, except that an arrangement not yet saved
// is only ever rebuilt by Reset and Refresh.
void CModeGrpEdt::OnDocumentChanged(Aspects aspects)
{
    if (aspects & Aspect::Modes) {
        FillModeTree();
        if (m_arranged)
            FollowModes();
    }
    m_knownModes = m_document.Data().modes;
    if (!m_arranged && (aspects & (Aspect::ProgramGroups | Aspect::Modes)))
        FillGroupTree(false);
}

void CModeGrpEdt::FollowModes()
{
    const std::vector<lumaro::CModeItem>& modes = m_document.Data().modes;
    const std::vector<std::int32_t> renumbering = CModeListEdit::Renumbering(m_knownModes, modes);
    QTreeWidgetItem* root = m_groups->topLevelItem(0);
    for (int g = 0; root && g < root->childCount(); ++g) {
        QTreeWidgetItem* group = root->child(g);
        for (int e = group->childCount(); e-- > 0;) {
            QTreeWidgetItem* entry = group->child(e);
            const int number = CModeListEdit::Follow(renumbering, entry->data(0, kModeNumberRole).toInt());
            if (number < 0 || std::size_t(number) >= modes.size())
                delete entry;
            else
                FillEntry(entry, number, modes[std::size_t(number)]);
        }
    }
}

QPushButton* CModeGrpEdt::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

void CModeGrpEdt::SetZoom(int zoom)
{
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    RelabelTrees();
}

void CModeGrpEdt::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        RelabelTrees();
}

// The entries name their modes: relabelling them keeps the arrangement.
void CModeGrpEdt::RelabelTrees()
{
    const std::vector<lumaro::CModeItem>& modes = m_document.Data().modes;
    for (QTreeWidget* tree : {m_groups, m_modes}) {
        QTreeWidgetItem* root = tree->topLevelItem(0);
        if (root)
            root->setText(0, LangText(tree == m_modes ? "ID_MSG_MODEGRPEDIT_EXISTMODE"
                                                      : "ID_MSG_MODEGRPEDIT_PROGRAMGROUP"));
        for (int g = 0; root && g < root->childCount(); ++g) {
            if (tree == m_groups)
                root->child(g)->setText(0, LangText("ID_MSG_MODEGRPEDIT_GROUP").arg(g));
            QTreeWidgetItem* item = root->child(g);
            const bool isEntry = tree == m_modes;
            for (int e = 0; e < (isEntry ? 1 : item->childCount()); ++e) {
                QTreeWidgetItem* entry = isEntry ? item : item->child(e);
                const int number = entry->data(0, kModeNumberRole).toInt();
                if (number >= 0 && std::size_t(number) < modes.size())
                    FillEntry(entry, number, modes[std::size_t(number)]);
            }
        }
    }
}

QTreeWidgetItem* CModeGrpEdt::AddEntry(QTreeWidgetItem* parent, int number, const lumaro::CModeItem& mode)
{
    auto* entry = new QTreeWidgetItem(parent);
    entry->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    FillEntry(entry, number, mode);
    return entry;
}

void CModeGrpEdt::FillEntry(QTreeWidgetItem* entry, int number, const lumaro::CModeItem& mode)
{
    entry->setText(0, QStringLiteral("%1_%2").arg(number).arg(QString::fromStdString(mode.name)));
    // The number travels with the item, not only in its text.
    entry->setData(0, kModeNumberRole, number);
    qDeleteAll(entry->takeChildren());
    AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_INTERVAL").arg(mode.interval));
    AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_LOOP").arg(mode.loop));
    AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_HOLDTIME").arg(mode.holdTime));
    AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_STEP").arg(mode.step));
    QTreeWidgetItem* start = AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_STARTPOINT"));
    AddLine(start, LangText("ID_MSG_MODEGRPEDIT_X").arg(qint64(mode.startX) * m_zoom));
    AddLine(start, LangText("ID_MSG_MODEGRPEDIT_Y").arg(qint64(mode.startY) * m_zoom));
    QTreeWidgetItem* area = AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_SELECTAREA"));
    AddLine(area, LangText("ID_MSG_MODEGRPEDIT_X1").arg(qint64(mode.areaLeft) * m_zoom));
    AddLine(area, LangText("ID_MSG_MODEGRPEDIT_Y1").arg(qint64(mode.areaTop) * m_zoom));
    AddLine(area, LangText("ID_MSG_MODEGRPEDIT_X2").arg(qint64(mode.areaRight) * m_zoom));
    AddLine(area, LangText("ID_MSG_MODEGRPEDIT_Y2").arg(qint64(mode.areaBottom) * m_zoom));
    AddLine(entry, LangText("ID_MSG_MODEGRPEDIT_COLOURGROUP").arg(mode.colourGroupId));
}

bool CModeGrpEdt::DropMode(int modeNumber, QTreeWidgetItem* target)
{
    if (modeNumber < 0 || std::size_t(modeNumber) >= m_document.Data().modes.size() || Depth(target) < 1 ||
        target->treeWidget() != m_groups)
        return false;
    QTreeWidgetItem* after = nullptr;
    while (Depth(target) > 1) {
        after = target;
        target = target->parent();
    }
    QTreeWidgetItem* entry = AddEntry(target, modeNumber, m_document.Data().modes[modeNumber]);
    if (after) {
        target->removeChild(entry);
        target->insertChild(target->indexOfChild(after) + 1, entry);
    }
    target->setExpanded(true);
    m_arranged = true;
    return true;
}

void CModeGrpEdt::FillModeTree()
{
    m_modes->clear();
    auto* root = new QTreeWidgetItem(m_modes, QStringList{LangText("ID_MSG_MODEGRPEDIT_EXISTMODE")});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    for (std::size_t m = 0; m < m_document.Data().modes.size(); ++m)
        AddEntry(root, int(m), m_document.Data().modes[m]);
    root->setExpanded(true);
}

void CModeGrpEdt::FillGroupTree(bool allModes)
{
    m_groups->clear();
    auto* root = new QTreeWidgetItem(m_groups, QStringList{LangText("ID_MSG_MODEGRPEDIT_PROGRAMGROUP")});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    for (int g = 0; g < lumaro::kProgramGroupCount; ++g) {
        QTreeWidgetItem* group = AddLine(root, LangText("ID_MSG_MODEGRPEDIT_GROUP").arg(g));
        group->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
        if (allModes) {
            for (std::size_t m = 0; m < m_document.Data().modes.size(); ++m)
                AddEntry(group, int(m), m_document.Data().modes[m]);
        } else {
            for (const lumaro::CModeItem& entry : m_document.Data().programGroups[g])
                AddEntry(group, entry.layer, entry);
        }
    }
    root->setExpanded(true);
}

void CModeGrpEdt::OnReset()
{
    m_arranged = false;
    m_knownModes = m_document.Data().modes;
    FillGroupTree(false);
    FillModeTree();
}

void CModeGrpEdt::OnInsertAll()
{
    m_arranged = true;
    FillGroupTree(true);
}

void CModeGrpEdt::OnRemoveAll()
{
    m_arranged = true;
    m_groups->clear();
    auto* root = new QTreeWidgetItem(m_groups, QStringList{LangText("ID_MSG_MODEGRPEDIT_PROGRAMGROUP")});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    for (int g = 0; g < lumaro::kProgramGroupCount; ++g)
        AddLine(root, LangText("ID_MSG_MODEGRPEDIT_GROUP").arg(g))
            ->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    root->setExpanded(true);
}

void CModeGrpEdt::OnSave()
{
    QTreeWidgetItem* root = m_groups->topLevelItem(0);
    bool anyEntry = false;
    for (int g = 0; root && g < root->childCount(); ++g)
        anyEntry = anyEntry || root->child(g)->childCount() > 0;
    if (!anyEntry) {
        m_prompts.message(this, QString::fromStdString(GetLangText("MODEGRPEDIT_ONBTNMOK_YSIA")),
                          QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    const std::vector<lumaro::CModeItem>& modes = m_document.Data().modes;
    std::array<std::vector<lumaro::CModeItem>, lumaro::kProgramGroupCount> groups;
    for (int g = 0; g < lumaro::kProgramGroupCount && g < root->childCount(); ++g) {
        QTreeWidgetItem* groupItem = root->child(g);
        for (int e = 0; e < groupItem->childCount(); ++e) {
            bool ok = false;
            const int m = groupItem->child(e)->data(0, kModeNumberRole).toInt(&ok);
            // The tree was filled from the mode list, but a Reset may not have
            // followed an edit of it.
            if (!ok || m < 0 || std::size_t(m) >= modes.size())
                continue;
            lumaro::CModeItem copy = modes[std::size_t(m)];
            copy.layer = m;
            groups[std::size_t(g)].push_back(std::move(copy));
        }
    }
    m_arranged = false;
    m_document.Edit(QStringLiteral("Program Groups"), Aspect::ProgramGroups, [&groups](CEditImgDoc& data) {
        data.programGroups = std::move(groups);
        return true;
    });
    Q_EMIT Saved();
}

void CModeGrpEdt::OnMenuCommand(int id)
{
    if (id == RefreshId)
        OnReset();
}

void CModeGrpEdt::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu = MakeContextMenu();
    if (QAction* chosen = menu->exec(event->globalPos()))
        OnMenuCommand(chosen->data().toInt());
}

std::unique_ptr<QMenu> CModeGrpEdt::MakeContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(LangText("ID_MODEGRPEDIT_REFRESH"))->setData(int(RefreshId));
    menu->addAction(LangText("ID_MODEGRPEDIT_DELETE"))->setData(int(DeleteId));
    return menu;
}

CModeGrpDlg::CModeGrpDlg(CLayoutDocument& document, CPrompts& prompts, QWidget* parent) : QDialog(parent)
{
    m_page = new CModeGrpEdt(document, prompts, this);
    setWindowTitle(m_page->windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    connect(m_page, &CModeGrpEdt::Saved, this, &QDialog::accept);
}

} // namespace lumaro::gui
