#pragma once

#include <QStringList>

// File > Recent Files: the last files opened or saved under a name of their own,
// newest first, at most Limit, kept in "Workspace.ini" for the next start. A file
// that is no longer there is dropped when the list is read.
class RecentFiles
{
public:
    static constexpr int Limit = 8;

    explicit RecentFiles(const QString &workspacePath);

    // The files that still exist, newest first.
    QStringList files();
    // path to the front (once), stored at once so that another Zarn sees it too.
    void add(const QString &path);

private:
    void load();
    void store();

    QString m_workspacePath;
    QStringList m_files;
    bool m_loaded = false;
};
