#pragma once

#include <QString>
#include <QVersionNumber>

// What a JDK says of itself in its release file (JAVA_VERSION="17.0.15", ...).

// The JDK that program (such as /usr/lib/jvm/java-17/bin/javac, or a link to it)
// belongs to: the folder above the bin/ that holds it, links resolved. Empty when
// program is not given by its full path or does not lie in a bin/ folder.
QString jdkOf(const QString &program);

// A value of a JDK's release file (JAVA_VERSION="17.0.15" gives 17.0.15 for
// JAVA_VERSION); empty when it gives none.
QString jdkReleaseValue(const QString &jdkFolder, const QString &key);

// The Java version a JDK's release file gives; null when it gives none.
QVersionNumber jdkVersion(const QString &jdkFolder);
