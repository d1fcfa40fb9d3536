#include "AppletApi.h"

#include "InstallLayout.h"
#include "Jdk.h"
#include "JdkRelease.h"
#include "LogCategories.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// What identifies a JDK's classes: its folder, its version, and its module image.
QByteArray jdkKey(const QString &jdk)
{
    const QFileInfo image(QDir(jdk).filePath(QStringLiteral("lib/modules")));
    return QStringLiteral("%1\n%2\n%3\n%4")
        .arg(jdk, jdkReleaseValue(jdk, QStringLiteral("JAVA_VERSION")))
        .arg(image.size())
        .arg(image.lastModified().toMSecsSinceEpoch())
        .toUtf8();
}

QString cachePath(const QString &cacheFolder, const QByteArray &key)
{
    return QDir(cacheFolder)
        .filePath(
            QStringLiteral("applet-api-")
            + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16)));
}

QHash<QByteArray, bool> &answers()
{
    static QHash<QByteArray, bool> known;
    return known;
}

} // namespace

QString appletApiJar()
{
    return shippedFile(QStringLiteral("zarn-appletapi.jar"));
}

std::optional<bool> knownAppletApi(const QString &home, const QString &cacheFolder)
{
    if (home.isEmpty() || !QFileInfo(QDir(home).filePath(QStringLiteral("bin/java"))).isExecutable()
        || !QFileInfo::exists(appletApiJar()))
        return true;
    const QByteArray key = jdkKey(home);
    if (const auto found = answers().constFind(key); found != answers().constEnd())
        return *found;
    QFile kept(cachePath(cacheFolder, key));
    if (!cacheFolder.isEmpty() && kept.open(QIODevice::ReadOnly)) {
        const QByteArray answer = kept.readAll().trimmed();
        if (answer == "present" || answer == "absent")
            return answers()[key] = answer == "present";
    }
    return std::nullopt;
}

void keepAppletApiAnswer(const QString &home, const QString &cacheFolder, bool has)
{
    qCInfo(logJdk) << "the JDK" << home << (has ? "has" : "lacks") << "the Applet API";
    const QByteArray key = jdkKey(home);
    answers()[key] = has;
    if (cacheFolder.isEmpty() || !QDir().mkpath(cacheFolder))
        return;
    QFile answer(cachePath(cacheFolder, key));
    if (answer.open(QIODevice::WriteOnly | QIODevice::Truncate))
        answer.write(has ? "present\n" : "absent\n");
}

QStringList appletApiProbeArguments()
{
    return {QStringLiteral("-Xshare:auto"), QStringLiteral("-cp"), appletApiJar(),
            QStringLiteral("zarn.appletapi.Probe")};
}

QStringList appletApiOptions(const Jdk &jdk)
{
    if (jdk.hasAppletApi)
        return {};
    return {QStringLiteral("--patch-module"), QStringLiteral("java.desktop=") + appletApiJar(),
            QStringLiteral("--add-exports"), QStringLiteral("java.desktop/java.applet=ALL-UNNAMED")};
}
