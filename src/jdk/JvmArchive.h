#pragma once

#include <QString>
#include <QStringList>

struct Jdk;

// A class-data archive that lets a HotSpot JVM start sooner: the classes a
// program loads at start, written once by the JVM itself at the end of a first run
// (-XX:ArchiveClassesAtExit) and mapped by the runs after (-XX:SharedArchiveFile),
// which also take the quick first-tier compiler and the serial collector.
//
// One archive per program and JDK, in folder, named after the JDK's release version
// and path, so that a new JDK makes a new one; only for a JDK that takes archives
// (Jdk::archives). A JVM maps an archive without checking its length (a truncated
// one ends it with SIGBUS), so an archive is used only while it is the one Zarn saw
// written whole.
class JvmArchive
{
public:
    // purpose names the archive ("javac", "applethost"); folder is where Zarn keeps
    // its archives (AppPaths::archives).
    JvmArchive(const Jdk &jdk, const QString &folder, const QString &purpose);

    // False when the options stay empty: the JDK takes no archives.
    bool applies() const { return !m_path.isEmpty(); }
    // The JVM options for the next run: use the archive when it is whole, else
    // make it. Empty when the archive does not apply.
    QStringList options() const;
    // The archive is there as Zarn saw it written whole.
    bool isWhole() const;
    // After a run: an archive it made whole becomes the one the next runs use.
    void adopt() const;
    // True when output is that of a JVM that died of its archive (a damaged file
    // that still looked whole): the archive is thrown away, to be made again, and
    // the caller runs the program once more without it.
    bool failedIn(const QString &output) const;

    // Where the archive in use lies.
    QString path() const { return m_path; }

private:
    QString newPath() const;
    QString recordPath() const;

    QString m_path;
};
