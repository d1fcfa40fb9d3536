#include "HostShell.h"

#include <QProcess>

#include <csignal>
#include <unistd.h>

ScriptDialect hostScriptDialect()
{
    return ScriptDialect::Posix;
}

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
