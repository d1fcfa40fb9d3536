#pragma once

#include "SettingsFile.h"

// What the Options window changes: the main window's settings and its editor font.
class SettingsOwner
{
public:
    virtual ~SettingsOwner() = default;

    virtual Settings &currentSettings() = 0;
    // Sets the editing pane's font: the face first, then the size.
    virtual void ApplyEditorFont(const QString &face, int points) = 0;
    // Stores the current settings; tells the user and returns false when it fails.
    virtual bool StoreSettings() = 0;
};
