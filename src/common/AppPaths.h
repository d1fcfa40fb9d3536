#pragma once

#include <QString>

// The application folder and every place Zarn keeps in it: Options.dat,
// Workspace.ini, temp/ with
// the compile script, its marker files, the host page and the compile's records,
// cds/ (class-data archives and JDK facts), recovery/ (unsaved text). Nothing else
// spells these names.
class AppPaths
{
public:
    explicit AppPaths(const QString &root);

    const QString &root() const { return m_root; }

    // Names relative to the root: the compile script runs there and names its
    // files so, and a new application folder is made of them.
    static QString optionsName();       // Options.dat
    static QString tempName();          // temp
    static QString scriptName();        // temp/temp.sh
    static QString markerName();        // temp/temp.txt, 1 once the script is done
    static QString notDoneMarkerName(); // temp/NotDone.txt, which the script copies over it first
    static QString doneMarkerName();    // temp/Done.txt, which it copies over it last

    QString options() const { return file(optionsName()); }
    // The comforts switched on, the recent files and the window's place.
    QString workspace() const { return file(QStringLiteral("Workspace.ini")); }
    // Where New puts a document that has no name of its own yet.
    QString defaultDocument() const { return file(QStringLiteral("default.java")); }
    QString temp() const { return file(tempName()); }
    QString script() const { return file(scriptName()); }
    QString marker() const { return file(markerName()); }
    QString notDoneMarker() const { return file(notDoneMarkerName()); }
    QString doneMarker() const { return file(doneMarkerName()); }
    QString hostPage() const { return file(QStringLiteral("temp/temp.html")); }
    QString compileLog() const { return file(QStringLiteral("temp/compile.log")); }
    // Held while a compile of this folder runs, so that two Zarns take turns.
    QString compileLock() const { return file(QStringLiteral("temp/compile.lock")); }
    // Names the running script's process group, for a Zarn that comes after one that died.
    QString compileGroup() const { return file(QStringLiteral("temp/compile.group")); }
    QString archives() const { return file(QStringLiteral("cds")); }
    QString recovery() const { return file(QStringLiteral("recovery")); }

private:
    QString file(const QString &relative) const;

    QString m_root;
};
