#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The three-line compile script for /bin/sh, run with the application folder as
// working directory: copy temp/NotDone.txt over the marker temp/temp.txt, run the
// compiler as "COMPILER -verbose -d DEST -sourcepath FOLDER SOURCE " (FOLDER is
// sourcePath, the package root, or else the folder holding the source, so that the
// classes beside it compile with it), copy temp/Done.txt over the marker. Lines end
// in LF.
// Every piece is quoted for the shell, so no name can split or run a command.
// compilerOptions go right after the compiler, each quoted; launcher, when given,
// before it (the warm compiler's client, which runs the compiler itself when it
// cannot hand the compile over); sourceOptions (how to read the source) right
// before the source.
QByteArray compileScript(const QString &compiler, const QString &destination, const QString &source,
                         const QStringList &compilerOptions = {}, const QString &sourcePath = {},
                         const QStringList &launcher = {}, const QStringList &sourceOptions = {});

// One argument quoted for the shell.
QString quoteForShell(const QString &argument);
