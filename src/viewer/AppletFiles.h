#pragma once

#include <QDateTime>
#include <QHash>
#include <QStringList>

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
    QStringList m_realBases;            // the same, links resolved
    QStringList m_relative;             // in the order loaded
    QHash<QString, QString> m_sourceOf; // relative path -> where it was loaded from
    bool m_ran = false;
};
