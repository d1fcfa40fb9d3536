#include "CompileDriver.h"

#include "AppletApi.h"
#include "AtomicFile.h"
#include "ChildProcesses.h"
#include "CompileFeedback.h"
#include "CompilerChoice.h"
#include "CompileScript.h"
#include "ErrorText.h"
#include "HostShell.h"
#include "JvmArchive.h"
#include "LogCategories.h"
#include "MarkerFile.h"
#include "WarmCompiler.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CompileDriver", text);
}

// The note of the running compile script, for a Zarn that comes after one that died.
const QString ScriptRecord = QStringLiteral("compile.group");

} // namespace

CompileDriver::CompileDriver(const QString &appFolder)
    : m_appFolder(appFolder)
{
    // A compile left running by a Zarn that died in this folder ends when the next
    // Zarn starts there, unless another live Zarn holds the folder.
    QLockFile lock(tempPath(QStringLiteral("compile.lock")));
    lock.setStaleLockTime(0);
    if (QFileInfo::exists(tempPath(ScriptRecord)) && lock.tryLock(0))
        endRecordedScript(tempPath(ScriptRecord));
}

CompileDriver::~CompileDriver() = default;

void CompileDriver::useWarmCompiler()
{
    if (!m_warm)
        m_warm = std::make_unique<WarmCompiler>(m_appFolder);
}

CompileDriver::Hold::Hold(CompileDriver &driver)
    : m_driver(driver)
    , m_problem(driver.acquire())
{
}

CompileDriver::Hold::~Hold()
{
    if (m_problem.isEmpty())
        m_driver.release();
}

QString CompileDriver::acquire()
{
    if (m_holds > 0) {
        ++m_holds;
        return {};
    }
    auto lock = std::make_unique<QLockFile>(tempPath(QStringLiteral("compile.lock")));
    lock->setStaleLockTime(0); // stale only when the Zarn that held it is gone
    QString problem;
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError) {
        // Another Zarn compiles in this folder: wait for it as for a compile.
        qCInfo(logCompile) << "waiting for another Zarn's compile in" << tempPath(QString());
        QEventLoop wait;
        QElapsedTimer waiting;
        waiting.start();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
            if (lock->tryLock(0) || lock->error() != QLockFile::LockFailedError)
                wait.quit();
            else if (waiting.elapsed() > m_timeLimit.count()) {
                problem = tr("another Zarn's compile in this folder did not end");
                wait.quit();
            }
        });
        poll.start(20);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!problem.isEmpty())
        return problem;
    // A lock that cannot even be made (no temp folder) holds nothing; the compile
    // finds out and says so.
    const bool locked = lock->isLocked();
    m_lock = std::move(lock);
    m_holds = 1;
    // A compile whose Zarn died may still run: it ends before this one writes anything.
    if (locked)
        endRecordedScript(tempPath(ScriptRecord));
    return {};
}

void CompileDriver::release()
{
    if (--m_holds == 0)
        m_lock.reset(); // unlocks
}

QString CompileDriver::tempPath(const QString &name) const
{
    return QDir(m_appFolder).filePath(QStringLiteral("temp/") + name);
}

bool CompileDriver::CompileToFolder(const CompileRequest &request, CompileFeedback &feedback)
{
    if (m_compiling)
        return false; // one compile at a time; the held-back input cannot start another
    const QScopedValueRollback<bool> compiling(m_compiling, true);
    m_lastOutput.clear();
    m_lastProblem.clear();
    m_cancelled = false;

    // Without a compiler that can run, nothing is started.
    const CompilerChoice compiler = chooseCompiler(request.compiler, m_appFolder);
    if (!compiler.problem.isEmpty())
        return fail(compiler.problem, feedback);
    const Hold hold(*this);
    if (!hold.problem().isEmpty())
        return fail(hold.problem(), feedback);
    // A HotSpot javac starts in about half the time from its own class-data archive.
    const JvmArchive archive(compiler.path, JvmArchive::folderIn(m_appFolder), QStringLiteral("javac"));
    QStringList jvmOptions;
    for (const QString &option : archive.options())
        jvmOptions.append(QStringLiteral("-J") + option);
    // A JDK without the Applet API compiles applets against Zarn's.
    const QStringList apiOptions = appletApiOptions(compiler.path, JvmArchive::folderIn(m_appFolder));
    const CompileRequest chosen{compiler.path, request.destination, request.source, request.sourcePath};
    // Through the warm compiler once it is up; this compile starts it when it is not.
    QStringList launcher;
    if (m_warm) {
        launcher = m_warm->launcher(compiler.path);
        m_warm->prepare(compiler.path);
    }
    QString problem = prepare(chosen, jvmOptions + apiOptions, launcher);
    if (problem.isEmpty())
        problem = run(feedback);
    if (problem.isEmpty() && archive.failedIn(m_lastOutput)) {
        qCInfo(logCompile) << "javac died of its class-data archive: compiling once more without it";
        problem = prepare(chosen, apiOptions);
        if (problem.isEmpty())
            problem = run(feedback);
    }
    if (problem.isEmpty())
        archive.adopt(); // a stopped compile may have left half an archive

    // Whatever happened, the marker rests at 0 for the next compile.
    const QString markerProblem = resetMarker(tempPath(QStringLiteral("temp.txt")));
    if (problem.isEmpty() && !markerProblem.isEmpty())
        problem = tr("cannot reset temp/temp.txt: %1").arg(markerProblem);

    QFile log(tempPath(QStringLiteral("compile.log")));
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        log.write(m_lastOutput.toUtf8());

    if (!problem.isEmpty())
        return fail(problem, feedback);
    feedback.finished();
    return true;
}

bool CompileDriver::fail(const QString &problem, CompileFeedback &feedback)
{
    qCInfo(logCompile) << "the compile failed:" << problem;
    m_lastProblem = problem;
    if (m_cancelled)
        feedback.cancelled();
    else
        feedback.failed(problem);
    return false;
}

// Writes the script and sets the marker to 0; the reason when that cannot be done.
QString CompileDriver::prepare(const CompileRequest &request, const QStringList &compilerOptions,
                               const QStringList &launcher) const
{
    if (!QFileInfo(tempPath(QString())).isDir())
        return tr("the folder %1 is missing").arg(QDir::toNativeSeparators(tempPath(QString())));
    for (const QString &marker : {QStringLiteral("NotDone.txt"), QStringLiteral("Done.txt")})
        if (!QFileInfo::exists(tempPath(marker)))
            return tr("temp/%1 is missing").arg(marker);

    const QByteArray script = compileScript(request.compiler, request.destination, request.source,
                                            compilerOptions, request.sourcePath, launcher);
    // A new file renamed into place, never the old one rewritten: a shell that still
    // reads the old script would read on into the new one.
    const QString scriptPath = QDir(m_appFolder).filePath(hostScriptName());
    if (const QString reason = replaceFileAtomically(scriptPath, script); !reason.isEmpty())
        return tr("cannot write %1: %2").arg(QDir::toNativeSeparators(scriptPath), reason);

    // A marker left at 1 by an interrupted compile would end the next wait at once.
    if (const QString reason = resetMarker(tempPath(QStringLiteral("temp.txt"))); !reason.isEmpty())
        return tr("cannot write temp/temp.txt: %1").arg(reason);
    return {};
}

// Starts the script and waits for the marker; the reason when it did not end well.
QString CompileDriver::run(CompileFeedback &feedback)
{
    QProcess script;
    script.setWorkingDirectory(m_appFolder);
    script.setProcessChannelMode(QProcess::MergedChannels);
    startHostScript(script, hostScriptName());
    if (!script.waitForStarted())
        return tr("cannot start the command shell: %1").arg(asReason(script.errorString()));
    script.closeWriteChannel(); // a compiler that reads its input gets none
    const qint64 scriptId = script.processId();
    qCInfo(logCompile) << "started /bin/sh" << hostScriptName() << "as process group" << scriptId;
    recordScript(tempPath(ScriptRecord), scriptId);
    ChildProcesses::add(scriptId, true);

    QByteArray output;
    QString problem;
    QEventLoop wait;
    QObject::connect(&script, &QProcess::readyReadStandardOutput, &wait, [&] {
        output += script.readAllStandardOutput();
        if (output.size() > MaxOutputBytes && problem.isEmpty()) {
            problem = tr("the compiler printed more than %1 MB and was stopped").arg(MaxOutputBytes >> 20);
            wait.quit();
        }
    });

    const QString marker = tempPath(QStringLiteral("temp.txt"));
    QElapsedTimer running;
    running.start();
    QElapsedTimer sinceScriptEnded;
    QTimer poll;
    poll.setInterval(PollInterval);
    int passes = 0;
    QObject::connect(&poll, &QTimer::timeout, &wait, [&] {
        feedback.waiting();
        if (++passes % PassesPerCancelCheck == 0 && feedback.cancelRequested()) {
            m_cancelled = true;
            problem = tr("cancelled");
            wait.quit();
        } else if (readMarker(marker) == 1) {
            wait.quit();
        } else if (script.state() == QProcess::NotRunning) {
            if (!sinceScriptEnded.isValid())
                sinceScriptEnded.start();
            else if (sinceScriptEnded.elapsed() > MarkerGrace.count()) {
                problem = tr("the compile script ended without marking the compile done");
                wait.quit();
            }
        } else if (running.elapsed() > m_timeLimit.count()) {
            problem = tr("the compile took longer than %1 seconds and was stopped")
                          .arg(std::chrono::duration_cast<std::chrono::seconds>(m_timeLimit).count());
            wait.quit();
        }
    });

    feedback.started();
    poll.start();
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    poll.stop();

    // The done marker is the script's last step: it ends at once, with all its output.
    // (The wait is false too when it has ended already: whatever it left in its group goes.)
    if (!problem.isEmpty() || !script.waitForFinished(int(MarkerGrace.count()))) {
        if (!problem.isEmpty())
            qCInfo(logCompile) << "stopping process group" << scriptId << ":" << problem;
        stopHostScript(script, scriptId);
    }
    qCInfo(logCompile) << "process group" << scriptId << "ended, exit code" << script.exitCode();
    ChildProcesses::remove(scriptId);
    QFile::remove(tempPath(ScriptRecord));
    output += script.readAllStandardOutput();
    m_lastOutput = QString::fromLocal8Bit(output);
    return problem;
}
