#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The comforts a user may switch on, kept in "Workspace.ini" beside "Options.dat"
// (which keeps its own format) under [workspace], each true or false. A key that is
// absent or reads as anything but true is off: the windows as designed. The checks
// while typing, which change nothing of the design, are on unless the key reads false.
struct WorkspaceSettings
{
    // The main window and the viewer can be resized; their size and place are kept.
    bool resizable = false;
    // "Hello.java - Zarn V0.01", with a * while there are unsaved changes.
    bool captionShowsFile = false;
    // The viewer takes the applet's own size, up to the screen.
    bool viewerFitsApplet = false;
    // F9 and the Publish commands save a changed document without asking.
    bool saveBeforeCompile = false;
    // The warm compiler checks the text shortly after the last key, and its messages are marked.
    bool checkWhileTyping = true;

    friend bool operator==(const WorkspaceSettings &a, const WorkspaceSettings &b)
    {
        return a.resizable == b.resizable && a.captionShowsFile == b.captionShowsFile
               && a.viewerFitsApplet == b.viewerFitsApplet && a.saveBeforeCompile == b.saveBeforeCompile
               && a.checkWhileTyping == b.checkWhileTyping;
    }
};

// Reads the [workspace] group of the file at path; defaults when it is not there.
WorkspaceSettings readWorkspaceSettings(const QString &path);
// Writes the [workspace] group, keeping the file's other groups. Empty text on
// success; otherwise why not, for the user.
QString writeWorkspaceSettings(const QString &path, const WorkspaceSettings &settings);

// The files opened last, newest first, as the [recent] group keeps them.
QStringList readRecentFiles(const QString &path);
QString writeRecentFiles(const QString &path, const QStringList &files);

// The main window's geometry as QWidget::saveGeometry gave it, under [window].
QByteArray readWindowGeometry(const QString &path);
QString writeWindowGeometry(const QString &path, const QByteArray &geometry);
