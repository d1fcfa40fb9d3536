#include "HostShell.h"

#include "AppPaths.h"
#include "LogCategories.h"
#include "ProcessStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <unistd.h>

void recordScript(const AppPaths &paths, qint64 processId)
{
    // The group's number, its leader's start and the script it runs: the proof that
    // a group of that number is still this one.
    const std::optional<quint64> started = processStartTicks(processId);
    const QString script = QFileInfo(paths.script()).canonicalFilePath();
    QFile record(paths.compileGroup());
    if (started && record.open(QIODevice::WriteOnly | QIODevice::Truncate))
        record.write(QByteArray::number(processId) + ' ' + QByteArray::number(*started) + ' '
                     + QFile::encodeName(script) + '\n');
}

namespace {

// The group in the record when its leader is the very shell that was started for
// the script recorded there, still running it; 0 otherwise. A group whose leader
// has gone is left alone: its number may have been given to another program, and
// what it left of a compile ends by itself.
pid_t provenGroup(const QByteArray &record)
{
    const QList<QByteArray> fields = record.trimmed().split(' ');
    if (fields.size() < 3)
        return 0;
    const pid_t group = pid_t(fields[0].toLongLong());
    const QByteArray line = record.trimmed();
    const QString script = QFile::decodeName(line.mid(fields[0].size() + fields[1].size() + 2));
    const std::optional<quint64> started = processStartTicks(group);
    if (group <= 0 || !started || QByteArray::number(*started) != fields[1] || ::getpgid(group) != group)
        return 0;
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(group));
    const QString folder = QFileInfo(QStringLiteral("/proc/%1/cwd").arg(group)).symLinkTarget();
    const bool runsScript = commandLine.open(QIODevice::ReadOnly)
                            && commandLine.readAll().split('\0').contains(AppPaths::scriptName().toUtf8())
                            && QDir(folder).absoluteFilePath(AppPaths::scriptName()) == script;
    return runsScript ? group : 0;
}

} // namespace

qint64 endRecordedScript(const AppPaths &paths)
{
    QFile record(paths.compileGroup());
    if (!record.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray recorded = record.read(4096);
    record.close();
    QFile::remove(paths.compileGroup());
    const pid_t group = provenGroup(recorded);
    if (group == 0) {
        qCInfo(logCompile) << "the compile recorded as" << recorded.trimmed() << "no longer runs: left alone";
        return 0;
    }
    qCInfo(logCompile) << "ending process group" << group << "of a compile whose Zarn died";
    ::kill(-group, SIGKILL);
    return group;
}

bool groupIsGone(qint64 group)
{
    return group <= 0 || ::kill(pid_t(-group), 0) != 0;
}
