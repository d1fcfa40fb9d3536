#include "JvmArchive.h"

#include "AtomicFile.h"
#include "JdkPrograms.h"
#include "JdkRelease.h"
#include "LogCategories.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The first bytes of a dynamic archive (0xf00baba8, little-endian).
const QByteArray DynamicArchiveMagic("\xa8\xab\x0b\xf0", 4);

// The JDK of program when it is a HotSpot JDK 13 or later; empty otherwise.
QString hotSpotJdkOf(const QString &program)
{
    const QString jdk = isExecutableFile(program) ? jdkOf(program) : QString();
    if (jdk.isEmpty() || jdkVersion(jdk) < QVersionNumber(13))
        return {};
    const QString variant = jdkReleaseValue(jdk, QStringLiteral("JVM_VARIANT"));
    if (!variant.isEmpty())
        return variant.compare(QLatin1String("hotspot"), Qt::CaseInsensitive) == 0 ? jdk : QString();
    // Older release files name no variant: HotSpot keeps its JVM in server/.
    const bool server = QFileInfo::exists(jdk + QStringLiteral("/lib/server"))
                        || QFileInfo::exists(jdk + QStringLiteral("/bin/server"));
    return server && !QFileInfo::exists(jdk + QStringLiteral("/lib/j9vm")) ? jdk : QString();
}

// What the record of a whole archive says: its size and when it was written.
QByteArray recordOf(const QFileInfo &archive)
{
    return QByteArray::number(archive.size()) + ' '
           + QByteArray::number(archive.lastModified().toMSecsSinceEpoch()) + '\n';
}

} // namespace

QString JvmArchive::folderIn(const QString &appFolder)
{
    return QDir(appFolder).filePath(QStringLiteral("cds"));
}

JvmArchive::JvmArchive(const QString &program, const QString &folder, const QString &purpose,
                       const QProcessEnvironment &environment)
{
    if (folder.isEmpty())
        return;
    if (environment.value(QStringLiteral("ZARN_PLAIN_JVM")) == QLatin1String("1")) {
        qCInfo(logJdk) << "no class-data archive for" << program << "(ZARN_PLAIN_JVM=1)";
        return;
    }
    const QString jdk = hotSpotJdkOf(program);
    if (jdk.isEmpty()) {
        qCInfo(logJdk) << "no class-data archive for" << program << "(not a HotSpot JDK 13 or later)";
        return;
    }
    // A dynamic archive stands on the JDK's own, which a jlink'd image may lack:
    // without it, the JVM would refuse to start.
    if (!QFileInfo::exists(jdk + QStringLiteral("/lib/server/classes.jsa"))
        && !QFileInfo::exists(jdk + QStringLiteral("/lib/server/classes_nocoops.jsa"))) {
        qCInfo(logJdk) << "no class-data archive for" << program << "(its JDK has no archive of its own)";
        return;
    }
    QString version = jdkReleaseValue(jdk, QStringLiteral("JAVA_RUNTIME_VERSION"));
    if (version.isEmpty())
        version = jdkVersion(jdk).toString();
    version.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    const QByteArray place = QCryptographicHash::hash(jdk.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    m_path = QDir(folder).filePath(
        QStringLiteral("%1-%2-%3.jsa").arg(purpose, version, QString::fromLatin1(place)));
}

QString JvmArchive::newPath() const
{
    return m_path + QStringLiteral(".new");
}

QString JvmArchive::recordPath() const
{
    return m_path + QStringLiteral(".whole");
}

bool JvmArchive::isWhole() const
{
    const QFileInfo archive(m_path);
    QFile record(recordPath());
    return archive.isFile() && record.open(QIODevice::ReadOnly) && record.readAll() == recordOf(archive);
}

QStringList JvmArchive::options() const
{
    if (!applies())
        return {};
    // Whatever the archive, the JVM says nothing about it: its output is the program's.
    const QStringList quiet = {QStringLiteral("-Xlog:cds=off"), QStringLiteral("-Xlog:cds+dynamic=off")};
    if (isWhole())
        return QStringList{QStringLiteral("-XX:SharedArchiveFile=") + m_path,
                           QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:+UseSerialGC")}
               + quiet;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return QStringList{QStringLiteral("-XX:ArchiveClassesAtExit=") + newPath()} + quiet;
}

void JvmArchive::adopt() const
{
    if (!applies() || !QFileInfo::exists(newPath()))
        return;
    QFile made(newPath());
    const bool looksWhole = made.open(QIODevice::ReadOnly) && made.size() > 4096
                            && made.read(DynamicArchiveMagic.size()) == DynamicArchiveMagic;
    made.close();
    if (!looksWhole) {
        qCInfo(logJdk) << "the archive" << newPath() << "was not written whole: discarded";
        QFile::remove(newPath());
        return;
    }
    // Unlinked and replaced, never rewritten: a JVM may have the old one mapped.
    QFile::remove(m_path);
    if (made.rename(m_path)) {
        replaceFileAtomically(recordPath(), recordOf(QFileInfo(m_path)));
        qCInfo(logJdk) << "new class-data archive" << m_path;
    }
}

bool JvmArchive::failedIn(const QString &output) const
{
    if (!isWhole() || !output.contains(QLatin1String("A fatal error has been detected by the Java Runtime")))
        return false;
    qCInfo(logJdk) << "a JVM died of the archive" << m_path << ": discarded, to be made again";
    QFile::remove(recordPath());
    QFile::remove(m_path);
    return true;
}
