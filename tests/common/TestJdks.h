#pragma once

#include "JavaSources.h"
#include "TestTime.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// The JDKs the tests run Zarn with: each found on this machine, or the reason why not.
struct TestJdk
{
    const char *name;
    QString javac;  // empty when absent
    QString absent; // why it is absent
};

// The major Java version of the JDK holding bin/javac, from its release file; 0 if none.
inline int testJdkVersion(const QString &javac)
{
    QFile release(QFileInfo(javac).canonicalPath() + QStringLiteral("/../release"));
    if (!release.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression version(QStringLiteral("JAVA_VERSION=\"(\\d+)"));
    return version.match(QString::fromUtf8(release.readAll())).captured(1).toInt();
}

// The javac of a JDK of that major version in /usr/lib/jvm; empty when there is none.
inline QString installedJdk(int major)
{
    const QDir jvm(QStringLiteral("/usr/lib/jvm"));
    for (const QString &jdk : jvm.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString javac = jvm.filePath(jdk + QStringLiteral("/bin/javac"));
        if (QFileInfo(javac).isExecutable() && testJdkVersion(javac) == major)
            return javac;
    }
    return {};
}

// A JDK 17 without the Applet API, as JDK 26 and later are: jlink'd from the jmods of
// the JDK 17 the tests use, leaving out Applet, AppletStub, AppletContext and JApplet
// (jlink keeps an exported package from going empty, so AudioClip stays). Made once
// and kept in the temporary folder for the runs after; its javac, or empty with
// *problem saying why.
inline QString jdkWithoutAppletApi(QString *problem)
{
    const QString jdk17 = installedJdk(17);
    const QString home = QFileInfo(jdk17).canonicalPath() + QStringLiteral("/..");
    const QString jmods = QDir(home).filePath(QStringLiteral("jmods"));
    if (jdk17.isEmpty() || !QFileInfo(jmods).isDir()) {
        *problem = QStringLiteral("no JDK 17 with its jmods folder to jlink one from");
        return {};
    }
    const QByteArray stamp = QFileInfo(jmods + QStringLiteral("/java.desktop.jmod"))
                                 .lastModified()
                                 .toString(Qt::ISODateWithMs)
                                 .toUtf8();
    const QString made = QDir::temp().filePath(
        QStringLiteral("zarn-jdk-without-applet-api-")
        + QString::fromLatin1(
            QCryptographicHash::hash(home.toUtf8() + stamp, QCryptographicHash::Sha1).toHex().left(12)));
    const QString javac = made + QStringLiteral("/bin/javac");
    if (QFileInfo(javac).isExecutable())
        return javac;
    // Made beside, then renamed into place: a run that stops half way leaves nothing used.
    const QString making = made + QStringLiteral(".making-")
                           + QString::number(QCoreApplication::applicationPid());
    QDir(making).removeRecursively();
    QProcess jlink;
    jlink.setProcessChannelMode(QProcess::MergedChannels);
    jlink.start(
        QDir(home).filePath(QStringLiteral("bin/jlink")),
        {QStringLiteral("--module-path"), jmods, QStringLiteral("--add-modules"),
         QStringLiteral("java.se,jdk.compiler,jdk.zipfs,jdk.unsupported"),
         QStringLiteral("--exclude-resources"),
         QStringLiteral("/java.desktop/java/applet/Applet*.class,/java.desktop/java/applet/AppletStub.class,"
                        "/java.desktop/java/applet/AppletContext.class,"
                        "/java.desktop/javax/swing/JApplet*.class"),
         QStringLiteral("--output"), making});
    if (!jlink.waitForFinished(scaled(180000)) || jlink.exitCode() != 0 || !QDir().rename(making, made)) {
        *problem = QStringLiteral("jlink failed: ") + QString::fromLocal8Bit(jlink.readAll());
        QDir(making).removeRecursively();
        return QFileInfo(javac).isExecutable() ? javac : QString(); // another test made it meanwhile
    }
    return javac;
}

// JDK 17, JDK 25 and a JDK without the Applet API.
inline QList<TestJdk> testJdks()
{
    QList<TestJdk> jdks;
    const QString jdk17 = installedJdk(17);
    jdks.append({"JDK 17", jdk17, QStringLiteral("no JDK 17 in /usr/lib/jvm")});
    const QString jdk25 = installedJdk(25);
    jdks.append({"JDK 25", jdk25, QStringLiteral("no JDK 25 in /usr/lib/jvm")});
    QString problem;
    const QString without = jdkWithoutAppletApi(&problem);
    jdks.append({"JDK without the Applet API", without, problem});
    return jdks;
}

// A row for each of them, with the columns javac (empty when absent) and absent (why).
inline void addJdkRows()
{
    QTest::addColumn<QString>("javac");
    QTest::addColumn<QString>("absent");
    for (const TestJdk &jdk : testJdks())
        QTest::newRow(jdk.name) << jdk.javac << jdk.absent;
}
