#include "SettingsStore.h"

#include <QDir>
#include <QFileInfo>

SettingsStore::SettingsStore(const QString &optionsPath, QObject *parent)
    : QObject(parent)
    , m_path(optionsPath)
    , m_settings(readSettingsFile(optionsPath))
    , m_workspace(readWorkspaceSettings(workspacePath()))
{
}

QString SettingsStore::workspacePath() const
{
    return QFileInfo(m_path).dir().filePath(QStringLiteral("Workspace.ini"));
}

void SettingsStore::change(const Settings &settings)
{
    m_settings = settings;
    Q_EMIT changed(m_settings);
}

void SettingsStore::changeWorkspace(const WorkspaceSettings &workspace)
{
    m_workspace = workspace;
    Q_EMIT workspaceChanged(m_workspace);
}

QString SettingsStore::StoreSettings() const
{
    if (QString problem = writeSettingsFile(m_path, m_settings); !problem.isEmpty())
        return problem;
    // Nothing switched on and no file yet: the folder stays as it was.
    if (m_workspace == WorkspaceSettings{} && !QFileInfo::exists(workspacePath()))
        return {};
    return writeWorkspaceSettings(workspacePath(), m_workspace);
}
