#include "SystemInfo.h"

#include <QSettings>

namespace {

// The registry, read through QSettings' native format.
class RegistryStore : public SystemInfoStore
{
public:
    bool GetKeyValue(KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal) override
    {
        const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\") + KeyName, QSettings::NativeFormat);
        const QVariant value = key.value(SubKeyRef);
        if (!value.isValid()) {
            KeyVal.clear();
            return false;
        }
        KeyVal = value.toString();
        return true;
    }
};

} // namespace

std::unique_ptr<SystemInfoStore> nativeSystemInfoStore()
{
    return std::make_unique<RegistryStore>();
}

QString systemInfoToolName()
{
    return QStringLiteral("MSINFO32.EXE");
}
