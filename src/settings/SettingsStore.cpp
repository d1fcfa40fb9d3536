#include "SettingsStore.h"

SettingsStore::SettingsStore(const QString &optionsPath, QObject *parent)
    : QObject(parent)
    , m_path(optionsPath)
    , m_settings(readSettingsFile(optionsPath))
{
}

void SettingsStore::change(const Settings &settings)
{
    m_settings = settings;
    Q_EMIT changed(m_settings);
}

QString SettingsStore::StoreSettings() const
{
    return writeSettingsFile(m_path, m_settings);
}
