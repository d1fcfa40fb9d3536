#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The command languages the compile script is written in.
enum class ScriptDialect { Posix, Cmd };

struct CompileScript
{
    QByteArray bytes;
    QString problem; // empty when the script could be written; otherwise why not
};

// The three-line compile script, run with the application folder as working
// directory: copy temp/NotDone.txt over the marker temp/temp.txt, run the compiler
// as "COMPILER -verbose -d DEST -sourcepath FOLDER SOURCE " (FOLDER holds the
// source, so the classes beside it compile with it), copy temp/Done.txt over the
// marker.
// Every piece is quoted for the shell, so no name can split or run a command; a
// name that the shell cannot take safely gives a problem and no script.
// compilerOptions go right after the compiler, each quoted.
CompileScript compileScript(ScriptDialect dialect, const QString &compiler, const QString &destination,
                            const QString &source, const QStringList &compilerOptions = {});

// One argument quoted for the shell; an empty text when it cannot be.
QString quoteForShell(ScriptDialect dialect, const QString &argument);
