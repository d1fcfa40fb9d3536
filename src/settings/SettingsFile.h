#pragma once

#include <QByteArray>
#include <QString>

// The three user settings kept in "Options.dat": the editor face and size as
// positions in the font tables, and the path of the Java compiler.
struct Settings
{
    qint16 MainFontType = 0;
    qint16 MainFontSize = 0;
    QString CompilerLocation;

    friend bool operator==(const Settings &a, const Settings &b)
    {
        return a.MainFontType == b.MainFontType && a.MainFontSize == b.MainFontSize
               && a.CompilerLocation == b.CompilerLocation;
    }
};

// Reads the settings line: three fields separated by commas or line ends, blanks
// before a field skipped, a field starting with a double quote running to the next
// one. Whatever cannot be read (a missing or garbled field, a non-number, an index
// outside 0 to 9, an unterminated quote) keeps its default; the rest is ignored.
Settings parseSettings(const QByteArray &content);

// The exact line the file holds, for instance 4,2,"/usr/bin/javac" CR LF.
QByteArray formatSettings(const Settings &settings);

// The settings stored at path, or the defaults for whatever could not be read.
// Never blocks: anything but a regular file counts as missing.
Settings readSettingsFile(const QString &path);

// Why these settings cannot be stored, or an empty text when they can.
QString settingsStoreProblem(const Settings &settings);

// Replaces the file at path with the settings line, atomically, so that a failed or
// interrupted store leaves the old file whole. Returns an empty text on success,
// otherwise a message for the user.
QString writeSettingsFile(const QString &path, const Settings &settings);
