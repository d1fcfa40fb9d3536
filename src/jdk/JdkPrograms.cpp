#include "JdkPrograms.h"

#include "JdkRelease.h"
#include "LogCategories.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVersionNumber>

bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString findOnPath(const QString &name, const QProcessEnvironment &environment)
{
    // Only absolute entries: an empty or relative one would mean the current folder.
    QStringList path = environment.value(QStringLiteral("PATH"))
                           .split(QDir::listSeparator(), Qt::SkipEmptyParts);
    path.removeIf([](const QString &folder) { return QDir::isRelativePath(folder); });
    return path.isEmpty() ? QString() : QStandardPaths::findExecutable(name, path);
}

QString systemJvmFolder()
{
    return QStringLiteral("/usr/lib/jvm");
}

QString findJdkProgram(const QString &program, const QProcessEnvironment &environment,
                       const QString &jvmFolder)
{
    const QString javaHome = environment.value(QStringLiteral("JAVA_HOME"));
    if (!javaHome.isEmpty()) {
        const QString inHome = QDir(javaHome).filePath(QStringLiteral("bin/") + program);
        if (isExecutableFile(inHome)) {
            qCInfo(logJdk) << program << "found in JAVA_HOME:" << inHome;
            return inHome;
        }
    }
    if (const QString onPath = findOnPath(program, environment); !onPath.isEmpty()) {
        qCInfo(logJdk) << program << "found on the PATH:" << onPath;
        return onPath;
    }
    QString newest;
    QVersionNumber newestVersion;
    for (const QString &jdk : QDir(jvmFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString candidate = QDir(jvmFolder).filePath(jdk + QStringLiteral("/bin/") + program);
        if (!isExecutableFile(candidate))
            continue;
        const QVersionNumber version = jdkVersion(QDir(jvmFolder).filePath(jdk));
        if (newest.isEmpty() || version > newestVersion) {
            newest = candidate;
            newestVersion = version;
        }
    }
    if (newest.isEmpty())
        qCInfo(logJdk) << "no" << program << "in JAVA_HOME, on the PATH or under" << jvmFolder;
    else
        qCInfo(logJdk) << program << "of the newest JDK under" << jvmFolder << ":" << newest;
    return newest;
}

QString findJava(const QString &compiler, const QProcessEnvironment &environment, const QString &jvmFolder)
{
    // Only a compiler given by its full path has a folder to look beside.
    if (QFileInfo(compiler).isAbsolute()) {
        const QString beside = QFileInfo(compiler).dir().filePath(QStringLiteral("java"));
        if (isExecutableFile(beside))
            return beside;
        qCInfo(logJdk) << "no java beside the compiler" << compiler;
    }
    return findJdkProgram(QStringLiteral("java"), environment, jvmFolder);
}
