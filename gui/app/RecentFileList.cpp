#include "gui/app/RecentFileList.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace lumaro::gui {

namespace {
constexpr const char* kGroup = "Recent File List";
}

CRecentFileList::CRecentFileList(CCommandRegistry& registry, int size, QObject* parent)
    : QObject(parent), m_registry(registry), m_size(size)
{
}

void CRecentFileList::Load()
{
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kGroup));
    m_paths.clear();
    for (int i = 1; i <= m_size; ++i) {
        QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_paths.append(path);
    }
}

void CRecentFileList::Save() const
{
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (int i = 1; i <= m_size; ++i) {
        QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_paths.size())
            settings.setValue(key, m_paths[i - 1]);
        else
            settings.remove(key);
    }
}

void CRecentFileList::Add(const QString& path)
{
    QString absolute = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < m_paths.size(); ++i) {
        if (QFileInfo(m_paths[i]).absoluteFilePath().compare(absolute, Qt::CaseInsensitive) == 0) {
            m_paths.removeAt(i);
            break;
        }
    }
    m_paths.prepend(absolute);
    while (m_paths.size() > m_size)
        m_paths.removeLast();
    Save();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_paths.size()) {
        m_paths.removeAt(index);
        Save();
    }
}

void CRecentFileList::UpdateMenu(QMenu* menu)
{
    QAction* placeholder = m_registry.Action(cmd::FileMruFile1);
    if (!menu->actions().contains(placeholder))
        return;
    for (QAction* entry : m_entries) {
        menu->removeAction(entry);
        delete entry;
    }
    m_entries.clear();
    placeholder->setVisible(m_paths.isEmpty());
    for (int i = 0; i < m_paths.size(); ++i) {
        QString name = QDir::toNativeSeparators(m_paths[i]);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), this);
        int id = cmd::FileMruFile1 + i;
        entry->setData(id);
        connect(entry, &QAction::triggered, &m_registry, [this, id] { m_registry.Dispatch(id); });
        menu->insertAction(placeholder, entry);
        m_entries.push_back(entry);
    }
}

} // namespace lumaro::gui
