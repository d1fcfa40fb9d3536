#pragma once

#include "CompileScript.h"

#include <QString>

class QProcess;

// The command shell that runs the compile script on this platform: /bin/sh with
// "temp/temp.sh" here, cmd.exe with "temp\temp.bat" on Windows.
ScriptDialect hostScriptDialect();

// The script's path relative to the application folder.
QString hostScriptName();

// Starts the script through the shell, without a console window and apart from
// Zarn's own process group; the caller has set the working directory.
void startHostScript(QProcess &process, const QString &scriptName);

// Ends the script and every program it started (the compiler among them), also
// when the script itself has already ended; processId is the script's.
void stopHostScript(QProcess &process, qint64 processId);
