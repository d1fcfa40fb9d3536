#include "RecentFiles.h"

#include "PathBytes.h"
#include "WorkspaceSettings.h"

#include <utility>

RecentFiles::RecentFiles(const QString &workspacePath)
    : m_workspacePath(workspacePath)
{
}

// Read when first needed, so that a start does not wait for it.
void RecentFiles::load()
{
    if (std::exchange(m_loaded, true))
        return;
    m_files = readRecentFiles(m_workspacePath);
}

QStringList RecentFiles::files()
{
    load();
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
    load();
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
