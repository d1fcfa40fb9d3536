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

// Notes in recordPath that the script processId runs, so that a Zarn coming after
// one that died can end it (see endRecordedScript).
void recordScript(const QString &recordPath, qint64 processId);
// Ends the script noted in recordPath, with every program it started, when it still
// runs, and waits until they are gone; then forgets it. The caller holds the
// compile lock, so the script is one whose Zarn died.
void endRecordedScript(const QString &recordPath);
