#include "SystemInfo.h"

#include <QDir>
#include <QFileInfo>

std::optional<QString> findSystemInfoTool(SystemInfoStore &store, const QString &toolName)
{
    QString value;
    if (store.GetKeyValue(SystemInfoStore::KeyRoot::LocalMachine, SystemInfoPathKey, SystemInfoPathValue,
                          value))
        return value;
    if (!store.GetKeyValue(SystemInfoStore::KeyRoot::LocalMachine, SystemInfoFolderKey, SystemInfoFolderValue,
                           value))
        return std::nullopt;
    const QString tool = value + QDir::separator() + toolName;
    if (!QFileInfo::exists(tool))
        return std::nullopt;
    return tool;
}
