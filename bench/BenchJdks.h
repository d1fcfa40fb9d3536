#pragma once

#include "JdkPrograms.h"
#include "JdkRelease.h"

#include <QDir>
#include <QList>
#include <QString>

// A JDK the figures are also printed for: its javac and its major version.
struct BenchJdk
{
    QString javac;
    int version = 0;
};

// The JDKs in /usr/lib/jvm besides the one of javac, one per JDK folder.
inline QList<BenchJdk> otherJdks(const QString &javac)
{
    QList<BenchJdk> jdks;
    QStringList seen{jdkOf(javac)};
    const QDir jvm(systemJvmFolder());
    for (const QString &name : jvm.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString candidate = jvm.filePath(name + QStringLiteral("/bin/javac"));
        const QString jdk = jdkOf(candidate);
        if (jdk.isEmpty() || seen.contains(jdk) || !isExecutableFile(candidate))
            continue;
        seen.append(jdk);
        jdks.append({candidate, jdkVersion(jdk).majorVersion()});
    }
    return jdks;
}
