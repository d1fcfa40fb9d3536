#pragma once

#include "JdkPrograms.h"

#include <QProcessEnvironment>
#include <QString>

// The compiler a compile runs.
struct CompilerChoice
{
    QString path;              // a full path; empty when there is none
    QString problem;           // why there is none, worded to follow "Compile Failed: "
    bool chosenByZarn = false; // the settings name none that exists
};

// The compiler for the configured path: the file it names when that may be run (a
// bare name such as "javac" is looked up on the PATH, never in the current folder;
// a relative path is taken from appFolder, where compiles run; a JDK's folder names
// its bin/javac). When it names
// nothing that exists, javac as findJdkProgram finds it, so that a new user
// compiles without opening Options; the settings stay as they are. A file that
// exists but may not be run is refused: the user chose it.
CompilerChoice
chooseCompiler(const QString &configured, const QString &appFolder,
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
               const QString &jvmFolder = systemJvmFolder());
