#include "HostShell.h"

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
