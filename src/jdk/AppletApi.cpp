#include "AppletApi.h"

#include "InstallLayout.h"
#include "JdkRelease.h"
#include "LogCategories.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

namespace {

constexpr int ProbeTimeoutMs = 30000;

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

// The probe's answer: true when the JDK has the API, also when it cannot be asked.
bool probe(const QString &java)
{
    QProcess run;
    run.setStandardOutputFile(QProcess::nullDevice());
    run.setStandardErrorFile(QProcess::nullDevice());
    run.start(java, {QStringLiteral("-Xshare:auto"), QStringLiteral("-cp"), appletApiJar(),
                     QStringLiteral("zarn.appletapi.Probe")});
    if (!run.waitForFinished(ProbeTimeoutMs) || run.exitStatus() != QProcess::NormalExit) {
        qCInfo(logJdk) << "the Applet API probe with" << java << "did not end well:" << run.errorString();
        run.kill();
        run.waitForFinished();
        return true;
    }
    return run.exitCode() != 1;
}

} // namespace

QString appletApiJar()
{
    return shippedFile(QStringLiteral("zarn-appletapi.jar"));
}

bool jdkHasAppletApi(const QString &program, const QString &cacheFolder)
{
    const QString jdk = jdkOf(program);
    const QString java = QDir(jdk).filePath(QStringLiteral("bin/java"));
    if (jdk.isEmpty() || !QFileInfo(java).isExecutable() || !QFileInfo::exists(appletApiJar()))
        return true;
    static QHash<QByteArray, bool> known;
    const QByteArray key = jdkKey(jdk);
    if (const auto found = known.constFind(key); found != known.constEnd())
        return *found;

    QFile kept(cachePath(cacheFolder, key));
    if (!cacheFolder.isEmpty() && kept.open(QIODevice::ReadOnly)) {
        const QByteArray answer = kept.readAll().trimmed();
        if (answer == "present" || answer == "absent")
            return known[key] = answer == "present";
    }
    const bool has = probe(java);
    qCInfo(logJdk) << "the JDK" << jdk << (has ? "has" : "lacks") << "the Applet API";
    known[key] = has;
    if (!cacheFolder.isEmpty() && QDir().mkpath(cacheFolder)) {
        QFile answer(kept.fileName());
        if (answer.open(QIODevice::WriteOnly | QIODevice::Truncate))
            answer.write(has ? "present\n" : "absent\n");
    }
    return has;
}

QStringList appletApiOptions(const QString &program, const QString &cacheFolder)
{
    if (jdkHasAppletApi(program, cacheFolder))
        return {};
    return {QStringLiteral("--patch-module"), QStringLiteral("java.desktop=") + appletApiJar(),
            QStringLiteral("--add-exports"), QStringLiteral("java.desktop/java.applet=ALL-UNNAMED")};
}
