#include "ProcessStart.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <unistd.h>

namespace {

QByteArray readProcFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// When the system booted, in milliseconds since the epoch.
std::optional<qint64> bootMSecs()
{
    const QByteArray stat = readProcFile(QStringLiteral("/proc/stat"));
    const qsizetype at = stat.indexOf("\nbtime ");
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const qint64 seconds = stat.mid(at + 7, stat.indexOf('\n', at + 1) - at - 7).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(seconds * 1000) : std::nullopt;
}

} // namespace

std::optional<quint64> processStartTicks(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    // The name between parentheses may hold spaces and parentheses of its own: the
    // fields are counted from the last ")". The start time is field 22, the
    // twentieth after the name.
    const QByteArray stat = readProcFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(nameEnd + 1).simplified().split(' ');
    constexpr int StartTimeField = 19;
    if (fields.size() <= StartTimeField)
        return std::nullopt;
    bool ok = false;
    const quint64 ticks = fields.at(StartTimeField).toULongLong(&ok);
    return ok ? std::optional<quint64>(ticks) : std::nullopt;
}

std::optional<qint64> processStartMSecs(qint64 pid)
{
    const std::optional<quint64> ticks = processStartTicks(pid);
    const std::optional<qint64> boot = bootMSecs();
    const long perSecond = ::sysconf(_SC_CLK_TCK);
    if (!ticks || !boot || perSecond <= 0)
        return std::nullopt;
    return *boot + qint64(*ticks * 1000 / quint64(perSecond));
}
