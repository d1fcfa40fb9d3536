#include "HostShell.h"

#include "LogCategories.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <unistd.h>

QString hostScriptName()
{
    return QStringLiteral("temp/temp.sh");
}

void startHostScript(QProcess &process, const QString &scriptName)
{
    // A group of its own, so that stopping the script stops the compiler too.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(QStringLiteral("/bin/sh"), {scriptName});
}

void stopHostScript(QProcess &process, qint64 processId)
{
    if (processId > 0)
        ::kill(-pid_t(processId), SIGKILL); // the script's group
    process.waitForFinished();
}

void recordScript(const QString &recordPath, qint64 processId)
{
    QFile record(recordPath);
    if (record.open(QIODevice::WriteOnly | QIODevice::Truncate))
        record.write(QByteArray::number(processId) + '\n');
}

void endRecordedScript(const QString &recordPath)
{
    QFile record(recordPath);
    if (!record.open(QIODevice::ReadOnly))
        return;
    const pid_t group = pid_t(record.readAll().trimmed().toLongLong());
    record.close();
    // The number may have been given to another program since: the group is ours
    // while its leader is a shell running the script, or, once the leader has
    // gone, while the group still has members (its number cannot be reused then).
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(group));
    const bool leaderAlive = commandLine.open(QIODevice::ReadOnly);
    const bool ours = group > 0
                      && (leaderAlive ? commandLine.readAll().contains(hostScriptName().toUtf8())
                                      : ::kill(-group, 0) == 0);
    if (ours) {
        qCInfo(logCompile) << "ending process group" << group << "of a compile whose Zarn died";
        ::kill(-group, SIGKILL);
        const QDeadlineTimer deadline(2000);
        while (::kill(-group, 0) == 0 && !deadline.hasExpired())
            QThread::msleep(10);
    }
    QFile::remove(recordPath);
}
