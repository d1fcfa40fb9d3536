#pragma once

#include <QDateTime>
#include <QStringList>

#include <functional>
#include <optional>

struct AppletLaunch;

// The files an applet loaded in its last View (images, sounds, data), to be
// published with it. Each is kept relative to the place the applet found it
// under: its code base, then its package root, then its document base's folder,
// so that the published page's code base holds it at the same relative path.
class AppletFiles
{
public:
    // A new record for a View of the source at sourcePath, as it is on disk now,
    // run as launch gives; files in classFolder (where the View compiled to) are
    // no files of the applet's own.
    void begin(const QString &sourcePath, const AppletLaunch &launch, const QString &classFolder);
    // The applet started: the record is of a run.
    void ran() { m_ran = true; }
    // The applet loaded the file at path.
    void loaded(const QString &path);

    // The files' paths relative to the code base, in the order loaded; nothing when
    // the applet has not run since the source at sourcePath last changed.
    std::optional<QStringList> relativePaths(const QString &sourcePath) const;
    // Where the file at a relative path was loaded from.
    QString sourceOf(const QString &relativePath) const;
    // Whether the file at path lies, links resolved, in one of the applet's folders.
    bool holds(const QString &path) const;

private:
    QString m_source;
    QDateTime m_sourceStamp;
    QStringList m_bases; // folders ending in "/", in the order files are placed under them
    QString m_classFolder;
    QStringList m_relative;
    QStringList m_absolute;
    bool m_ran = false;
};

// What copyAppletFiles did.
struct CopiedFiles
{
    int carried = 0;      // copied, or already there as they are
    QStringList problems; // one line for each file not copied, but kept
};

// Copies the files at relativePaths from files into destination, keeping their
// paths. A different file of the same name is written over only when overwrite
// (given the target's path) says yes. Only regular files that lie in the applet's
// folders are copied: a FIFO or a device is never opened to wait on, and a link
// leading out of the folders is not followed.
CopiedFiles copyAppletFiles(const AppletFiles &files, const QStringList &relativePaths,
                            const QString &destination,
                            const std::function<bool(const QString &)> &overwrite);
