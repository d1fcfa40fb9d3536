#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QVersionNumber>

// Finding the JDK's programs (javac, java) where a user's system keeps them.

// True for a file, not a folder, that may be run.
bool isExecutableFile(const QString &path);

// The program's file name on this platform: "javac", or "javac.exe" on Windows.
QString executableName(const QString &program);

// The program called name in an absolute folder of the environment's PATH; empty
// when there is none. The current folder is never searched.
QString findOnPath(const QString &name, const QProcessEnvironment &environment);

// A value of a JDK's release file (JAVA_VERSION="17.0.15" gives 17.0.15 for
// JAVA_VERSION); empty when it gives none.
QString jdkReleaseValue(const QString &jdkFolder, const QString &key);

// The Java version a JDK's release file gives (JAVA_VERSION="17.0.15"); null when
// it gives none.
QVersionNumber jdkVersion(const QString &jdkFolder);

// The folder where Debian and most distributions install their JDKs.
QString systemJvmFolder();

// program (such as "javac") in $JAVA_HOME/bin, else on the PATH (never in the
// current folder), else in the newest JDK under jvmFolder; empty when there is none.
QString findJdkProgram(const QString &program, const QProcessEnvironment &environment,
                       const QString &jvmFolder);
