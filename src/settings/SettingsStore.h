#pragma once

#include "SettingsFile.h"

#include <QObject>

// The one owner of the user's settings: the editor face and size and the compiler
// path, read from "Options.dat" once and kept in memory. The Options window asks it
// to change them and to store them; whoever uses them hears of each change.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    // Reads the settings stored at optionsPath (defaults for what cannot be read).
    explicit SettingsStore(const QString &optionsPath, QObject *parent = nullptr);

    const Settings &current() const { return m_settings; }
    const QString &path() const { return m_path; }

    // The settings from now on, in memory; changed says so.
    void change(const Settings &settings);
    // Writes the current settings to "Options.dat". Empty text on success;
    // otherwise why not, for the user, and the old file is left as it was.
    QString StoreSettings() const;

Q_SIGNALS:
    void changed(const Settings &settings);

private:
    QString m_path;
    Settings m_settings;
};
