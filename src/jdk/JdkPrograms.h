#pragma once

#include <QProcessEnvironment>
#include <QString>

// Finding the JDK's programs (javac, java) where a user's system keeps them.

// True for a file, not a folder, that may be run.
bool isExecutableFile(const QString &path);

// The program called name in an absolute folder of the environment's PATH; empty
// when there is none. The current folder is never searched.
QString findOnPath(const QString &name, const QProcessEnvironment &environment);

// The folder where Debian and most distributions install their JDKs.
QString systemJvmFolder();

// program (such as "javac") in $JAVA_HOME/bin, else on the PATH (never in the
// current folder), else in the newest JDK under jvmFolder, by the version its
// release file gives; empty when there is none.
QString findJdkProgram(const QString &program,
                       const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                       const QString &jvmFolder = systemJvmFolder());

// The java launcher for the applet host: the one beside the compiler (given by its
// full path), else one found as findJdkProgram finds it; empty when there is none.
QString findJava(const QString &compiler,
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                 const QString &jvmFolder = systemJvmFolder());
