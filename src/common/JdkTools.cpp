#include "JdkTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString executableName(const QString &program)
{
#ifdef Q_OS_WIN
    return program + QStringLiteral(".exe");
#else
    return program;
#endif
}

QString findOnPath(const QString &name, const QProcessEnvironment &environment)
{
    // Only absolute entries: an empty or relative one would mean the current folder.
    QStringList path = environment.value(QStringLiteral("PATH"))
                           .split(QDir::listSeparator(), Qt::SkipEmptyParts);
    path.removeIf([](const QString &folder) { return QDir::isRelativePath(folder); });
    return path.isEmpty() ? QString() : QStandardPaths::findExecutable(name, path);
}

QString jdkReleaseValue(const QString &jdkFolder, const QString &key)
{
    QFile release(QDir(jdkFolder).filePath(QStringLiteral("release")));
    if (!release.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpression value(QLatin1Char('^') + QRegularExpression::escape(key)
                                       + QStringLiteral("=\"([^\"]*)\""),
                                   QRegularExpression::MultilineOption);
    return value.match(QString::fromUtf8(release.read(64 * 1024))).captured(1);
}

QVersionNumber jdkVersion(const QString &jdkFolder)
{
    return QVersionNumber::fromString(jdkReleaseValue(jdkFolder, QStringLiteral("JAVA_VERSION")));
}

QString systemJvmFolder()
{
    return QStringLiteral("/usr/lib/jvm");
}

QString findJdkProgram(const QString &program, const QProcessEnvironment &environment,
                       const QString &jvmFolder)
{
    const QString name = executableName(program);
    const QString javaHome = environment.value(QStringLiteral("JAVA_HOME"));
    if (!javaHome.isEmpty()) {
        const QString inHome = QDir(javaHome).filePath(QStringLiteral("bin/") + name);
        if (isExecutableFile(inHome))
            return inHome;
    }
    if (const QString onPath = findOnPath(name, environment); !onPath.isEmpty())
        return onPath;
    // The newest JDK, by the version its release file gives.
    QString newest;
    QVersionNumber newestVersion;
    for (const QString &jdk : QDir(jvmFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString candidate = QDir(jvmFolder).filePath(jdk + QStringLiteral("/bin/") + name);
        if (!isExecutableFile(candidate))
            continue;
        const QVersionNumber version = jdkVersion(QDir(jvmFolder).filePath(jdk));
        if (newest.isEmpty() || version > newestVersion) {
            newest = candidate;
            newestVersion = version;
        }
    }
    return newest;
}
