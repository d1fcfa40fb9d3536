#pragma once

#include <QString>

class QProcess;

// The compile script's path relative to the application folder: temp/temp.sh.
QString hostScriptName();

// Starts the script with /bin/sh, in a process group of its own, apart from
// Zarn's; the caller has set the working directory.
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
