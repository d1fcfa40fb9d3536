#include "HostShell.h"

#include <QFile>
#include <QProcess>

#include <windows.h>

ScriptDialect hostScriptDialect()
{
    return ScriptDialect::Cmd;
}

QString hostScriptName()
{
    return QStringLiteral("temp\\temp.bat");
}

void startHostScript(QProcess &process, const QString &scriptName)
{
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *arguments) { arguments->flags |= CREATE_NO_WINDOW; });
    process.start(QStringLiteral("cmd.exe"), {QStringLiteral("/D"), QStringLiteral("/C"), scriptName});
}

void stopHostScript(QProcess &process, qint64 processId)
{
    // taskkill /T ends the whole tree that cmd.exe started.
    if (process.state() != QProcess::NotRunning)
        QProcess::execute(QStringLiteral("taskkill"), {QStringLiteral("/F"), QStringLiteral("/T"),
                                                       QStringLiteral("/PID"), QString::number(processId)});
    process.waitForFinished();
}

void recordScript(const QString &recordPath, qint64 processId)
{
    QFile record(recordPath);
    if (record.open(QIODevice::WriteOnly | QIODevice::Truncate))
        record.write(QByteArray::number(processId) + "\r\n");
}

void endRecordedScript(const QString &recordPath)
{
    QFile record(recordPath);
    if (!record.open(QIODevice::ReadOnly))
        return;
    const QByteArray processId = record.readAll().trimmed();
    record.close();
    if (processId.toLongLong() > 0)
        QProcess::execute(QStringLiteral("taskkill"),
                          {QStringLiteral("/F"), QStringLiteral("/T"), QStringLiteral("/PID"),
                           QString::fromLatin1(processId)});
    QFile::remove(recordPath);
}
