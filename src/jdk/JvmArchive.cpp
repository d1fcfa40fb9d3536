#include "JvmArchive.h"

#include "AtomicFile.h"
#include "Jdk.h"
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

// What the record of a whole archive says: its size and when it was written.
QByteArray recordOf(const QFileInfo &archive)
{
    return QByteArray::number(archive.size()) + ' '
           + QByteArray::number(archive.lastModified().toMSecsSinceEpoch()) + '\n';
}

} // namespace

JvmArchive::JvmArchive(const Jdk &jdk, const QString &folder, const QString &purpose)
{
    if (folder.isEmpty() || !jdk.archives)
        return;
    QString version = jdkReleaseValue(jdk.home, QStringLiteral("JAVA_RUNTIME_VERSION"));
    if (version.isEmpty())
        version = jdk.version.toString();
    version.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    const QByteArray place =
        QCryptographicHash::hash(jdk.home.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
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
