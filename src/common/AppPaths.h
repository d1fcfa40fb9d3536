#pragma once

#include <QString>

// The application folder and every place Zarn keeps in it: Options.dat, temp/ with
// the compile script, its marker files, the host page and the compile's records,
// cds/ (class-data archives and JDK facts), recovery/ (unsaved text). Nothing else
// spells these names.
class AppPaths
{
public:
    explicit AppPaths(const QString &root);

    const QString &root() const { return m_root; }
    QString options() const;
    // Where New puts a document that has no name of its own yet.
    QString defaultDocument() const;

    QString temp() const;
    // The compile script as the shell is given it, relative to the root: temp/temp.sh.
    static QString scriptName();
    QString script() const;
    // The marker the script sets to 1 when done, and the two files it copies over it.
    QString marker() const;
    QString notDoneMarker() const;
    QString doneMarker() const;
    QString hostPage() const;
    QString compileLog() const;
    // Held while a compile of this folder runs, so that two Zarns take turns.
    QString compileLock() const;
    // Names the running script's process group, for a Zarn that comes after one that died.
    QString compileGroup() const;

    QString archives() const;
    QString recovery() const;

private:
    QString m_root;
};
