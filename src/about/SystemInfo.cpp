#include "SystemInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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

namespace {

// The registry's keys and values kept in a system-wide settings file
// (/etc/xdg/Zarn/SystemInformation.conf); a system-information program on the
// PATH stands in for the folder value when none is kept.
class StandInStore : public SystemInfoStore
{
public:
    bool GetKeyValue(KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal) override
    {
        const QSettings settings(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Zarn"),
                                 QStringLiteral("SystemInformation"));
        const QString key = QString(KeyName).replace(QLatin1Char('\\'), QLatin1Char('/')) + QLatin1Char('/')
                            + SubKeyRef;
        if (settings.contains(key)) {
            KeyVal = settings.value(key).toString();
            return true;
        }
        if (KeyName == SystemInfoFolderKey && SubKeyRef == SystemInfoFolderValue) {
            const QString program = QStandardPaths::findExecutable(systemInfoToolName());
            if (!program.isEmpty()) {
                KeyVal = QFileInfo(program).absolutePath();
                return true;
            }
        }
        KeyVal.clear();
        return false;
    }
};

} // namespace

std::unique_ptr<SystemInfoStore> nativeSystemInfoStore()
{
    return std::make_unique<StandInStore>();
}

QString systemInfoToolName()
{
    return QStringLiteral("hardinfo");
}
