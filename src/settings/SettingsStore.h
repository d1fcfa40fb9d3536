#pragma once

#include "SettingsFile.h"
#include "WorkspaceSettings.h"

#include <QObject>

// The one owner of the user's settings: the editor face and size and the compiler
// path, read from "Options.dat" once and kept in memory, and the workspace's
// comforts, read from "Workspace.ini" beside it. The Options window asks it
// to change them and to store them; whoever uses them hears of each change.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    // Reads the settings stored at optionsPath (defaults for what cannot be read).
    explicit SettingsStore(const QString &optionsPath, QObject *parent = nullptr);

    const Settings &current() const { return m_settings; }
    const QString &path() const { return m_path; }
    const WorkspaceSettings &workspace() const { return m_workspace; }
    // "Workspace.ini" beside "Options.dat".
    QString workspacePath() const;

    // The settings from now on, in memory; changed says so.
    void change(const Settings &settings);
    void changeWorkspace(const WorkspaceSettings &workspace);
    // Writes the current settings to "Options.dat", and the workspace's to
    // "Workspace.ini" when it exists or holds a comfort switched on. Empty text on
    // success; otherwise why not, for the user, and the old file is left as it was.
    QString StoreSettings() const;

Q_SIGNALS:
    void changed(const Settings &settings);
    void workspaceChanged(const WorkspaceSettings &workspace);

private:
    QString m_path;
    Settings m_settings;
    WorkspaceSettings m_workspace;
};
