#pragma once

#include <QString>

#include <memory>
#include <optional>

// Where the system-information tool is registered: the registry's keys and values,
// kept here in a system-wide settings file (see nativeSystemInfoStore).
class SystemInfoStore
{
public:
    enum class KeyRoot : quint32 { LocalMachine = 0x80000002 };

    virtual ~SystemInfoStore() = default;

    // Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal as
    // text. On every false result KeyVal is emptied.
    virtual bool GetKeyValue(KeyRoot root, const QString &KeyName, const QString &SubKeyRef,
                             QString &KeyVal) = 0;
};

// The two sources, in the order they are asked.
inline const QString SystemInfoPathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString SystemInfoPathValue = QStringLiteral("PATH");
inline const QString SystemInfoFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString SystemInfoFolderValue = QStringLiteral("MSINFO");

// The settings-file store and the file name of the system-information tool.
std::unique_ptr<SystemInfoStore> nativeSystemInfoStore();
QString systemInfoToolName();

// The tool to start: the "PATH" value when it can be read (even if empty), else
// the folder value with toolName appended when that file exists; nothing else.
std::optional<QString> findSystemInfoTool(SystemInfoStore &store, const QString &toolName);
