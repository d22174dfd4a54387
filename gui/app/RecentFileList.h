#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QMenu;

namespace lumaro::gui {

class CCommandRegistry;

// The most-recently-used file list, kept in the application's Qt settings
// under "Recent File List". The menu entries are rebuilt each time a File
// menu opens: while the list is empty the placeholder item (command
// 57616, "Recent Files") shows, otherwise the entries replace it.
class CRecentFileList : public QObject {
    Q_OBJECT
public:
    CRecentFileList(CCommandRegistry& registry, int size, QObject* parent = nullptr);

    void Load();
    void Save() const;

    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Paths() const { return m_paths; }
    int Size() const { return m_size; }

    // Rebuilds the entries in menu around its placeholder action, if it has one.
    void UpdateMenu(QMenu* menu);

private:
    CCommandRegistry& m_registry;
    int m_size;
    QStringList m_paths;
    std::vector<QAction*> m_entries;
};

} // namespace lumaro::gui
