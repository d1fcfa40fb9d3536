#include "RecentFiles.h"

#include "PathBytes.h"
#include "WorkspaceSettings.h"

RecentFiles::RecentFiles(const QString &workspacePath)
    : m_workspacePath(workspacePath)
    , m_files(readRecentFiles(workspacePath))
{
}

QStringList RecentFiles::files()
{
    const qsizetype before = m_files.size();
    m_files.removeIf([](const QString &path) { return !pathExists(path); });
    while (m_files.size() > Limit)
        m_files.removeLast();
    if (m_files.size() != before)
        store();
    return m_files;
}

void RecentFiles::add(const QString &path)
{
    const QString absolute = absolutePathOf(path);
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > Limit)
        m_files.removeLast();
    store();
}

void RecentFiles::store()
{
    // A list that cannot be kept costs only the next start's menu: nothing to tell.
    writeRecentFiles(m_workspacePath, m_files);
}
