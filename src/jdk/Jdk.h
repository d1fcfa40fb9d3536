#pragma once

#include "JdkPrograms.h"

#include <QProcessEnvironment>
#include <QString>
#include <QVersionNumber>

// The JDK a command compiles and runs with: found once per command and handed to
// the compile, the viewer and the helpers, so that none of them looks it up again.
struct Jdk
{
    QString javac;             // a full path; empty when there is none, and problem says why
    QString java;              // beside javac, else found as findJava finds it; empty when there is none
    QString home;              // the folder above javac's bin/; empty when it lies in none
    QVersionNumber version;    // as its release file gives it; null when it gives none
    bool chosenByZarn = false; // the settings name no compiler that exists
    // Whether it has the platform's Applet API; where it does not, Zarn's is patched in.
    bool hasAppletApi = true;
    // Its JVMs may start from class-data archives (see JvmArchive): a HotSpot JDK
    // 13 or later with an archive of its own, plain JVMs not asked for.
    bool archives = false;
    QString problem; // why there is no compiler, worded to follow "Compile Failed: "

    bool operator==(const Jdk &other) const;
    bool operator!=(const Jdk &other) const { return !(*this == other); }
};

// The JDK of the configured compiler (see chooseCompiler), as far as its files
// tell; hasAppletApi is left true, for the JDK itself to answer (see JdkFinder).
Jdk describeJdk(const QString &configured, const QString &appFolder,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                const QString &jvmFolder = systemJvmFolder());

// The JDK of a javac given by its full path, as describeJdk finds it.
Jdk jdkOfCompiler(const QString &javac,
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                  const QString &jvmFolder = systemJvmFolder());
