#pragma once

#include "CompileDriver.h"
#include "CompileResult.h"
#include "JvmArchive.h"
#include "ManagedProcess.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <optional>

class CompileFeedback;
class QLockFile;
class QTimer;

// One compile, run by the event loop from start to end: it waits (on a timer) for
// the application folder to be its own, writes the compile script, starts it in a
// process group of its own and watches the marker file until the script says done
// or ends without saying so; then it resets the marker, keeps what the compiler
// printed in temp/compile.log, and says finished once, with the compiler's
// messages read. Nothing in it waits: the window goes on handling events.
class CompileJob : public QObject
{
    Q_OBJECT

public:
    // Made and started by CompileDriver::CompileToFolder.
    CompileJob(CompileDriver &driver, CompileRequest request, CompileFeedback &feedback);
    ~CompileJob() override;

    // Ends the compile: its processes are killed and it finishes as cancelled.
    void cancel();

    static constexpr int PollIntervalMs = 5;
    // How long the marker may lag behind the end of the script.
    static constexpr int MarkerGraceMs = 1000;
    // How long a compile group left by a Zarn that died may take to be gone.
    static constexpr int DeadGroupGraceMs = 2000;
    // More output than any compiler gives: beyond it the compile is stopped.
    static constexpr qint64 MaxOutputBytes = 16 * 1024 * 1024;

Q_SIGNALS:
    // Another Zarn compiles in this folder: this compile waits for it.
    void waitingForFolder();
    void finished(const CompileResult &result);

private:
    enum class Phase { Waiting, Holding, Running, Ending, Done };

    void begin();
    void tryToHold();
    void waitForDeadGroup();
    void prepareRun();
    void runScript(const QStringList &compilerOptions, const QStringList &launcher);
    bool markerSaysDone();
    void poll();
    void scriptDone();
    void scriptEnded(const ManagedProcess::Exit &exit);
    void fail(const QString &problem);
    void finish(CompileResult result);
    QString writeScript(const QStringList &compilerOptions, const QStringList &launcher) const;

    CompileDriver &m_driver;
    const AppPaths m_paths;
    const CompileRequest m_request;
    CompileFeedback &m_feedback;
    Phase m_phase = Phase::Waiting;
    std::unique_ptr<QLockFile> m_lock;
    QTimer *m_timer = nullptr;
    QElapsedTimer m_clock;
    qint64 m_deadGroup = 0;
    std::optional<JvmArchive> m_archive;
    bool m_triedWithoutArchive = false;
    QStringList m_apiOptions;
    std::unique_ptr<ManagedProcess> m_script;
    QByteArray m_output;
    QString m_problem; // why the running script is being stopped
    bool m_cancelled = false;
    bool m_markedDone = false;
};
