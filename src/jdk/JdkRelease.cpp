#include "JdkRelease.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

QString jdkOf(const QString &program)
{
    const QFileInfo file(program);
    if (!file.isAbsolute() || !file.exists())
        return {};
    const QDir bin = QFileInfo(file.canonicalFilePath()).dir();
    if (bin.dirName() != QLatin1String("bin"))
        return {};
    return QFileInfo(bin.absolutePath()).absolutePath();
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
