#include "CompileJob.h"

#include "AppletApi.h"
#include "AtomicFile.h"
#include "CompileFeedback.h"
#include "CompileScript.h"
#include "ErrorText.h"
#include "HostShell.h"
#include "LogCategories.h"
#include "ManagedProcess.h"
#include "MarkerFile.h"
#include "WarmCompiler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>

namespace {

// How often a compile waiting for another Zarn's, or for a group left by a Zarn
// that died, looks again.
constexpr int RetryIntervalMs = 20;

} // namespace

CompileJob::CompileJob(CompileDriver &driver, CompileRequest request, CompileFeedback &feedback)
    : QObject(&driver)
    , m_driver(driver)
    , m_paths(driver.paths())
    , m_request(std::move(request))
    , m_feedback(feedback)
    , m_timer(new QTimer(this))
{
    QTimer::singleShot(0, this, &CompileJob::begin);
}

CompileJob::~CompileJob() = default;

void CompileJob::begin()
{
    if (m_cancelled)
        return; // finished as cancelled
    // Without a compiler that can run, nothing is started.
    if (!m_request.jdk.problem.isEmpty()) {
        fail(m_request.jdk.problem);
        return;
    }
    m_clock.start();
    m_lock = std::make_unique<QLockFile>(m_paths.compileLock());
    m_lock->setStaleLockTime(0); // stale only when the Zarn that held it is gone
    connect(m_timer, &QTimer::timeout, this, &CompileJob::tryToHold);
    tryToHold();
}

// Another Zarn compiling in this folder is waited for as for a compile.
void CompileJob::tryToHold()
{
    if (m_cancelled)
        return;
    if (!m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError) {
        if (!m_timer->isActive()) {
            qCInfo(logCompile) << "waiting for another Zarn's compile in" << m_paths.temp();
            m_timer->start(RetryIntervalMs);
            Q_EMIT waitingForFolder();
        } else if (m_clock.elapsed() > m_driver.timeLimit().count()) {
            fail(tr("another Zarn's compile in this folder did not end"));
        }
        return;
    }
    m_timer->stop();
    m_timer->disconnect(this);
    // A lock that cannot even be made (no temp folder) holds nothing; the compile
    // finds out and says so. Held, a compile whose Zarn died may still run: it ends
    // before this one writes anything.
    m_deadGroup = m_driver.takeEndedGroup();
    if (m_lock->isLocked())
        if (const qint64 group = endRecordedScript(m_paths))
            m_deadGroup = group;
    m_clock.restart();
    connect(m_timer, &QTimer::timeout, this, &CompileJob::waitForDeadGroup);
    waitForDeadGroup();
}

void CompileJob::waitForDeadGroup()
{
    if (m_cancelled)
        return;
    if (!groupIsGone(m_deadGroup) && m_clock.elapsed() < DeadGroupGraceMs) {
        if (!m_timer->isActive())
            m_timer->start(RetryIntervalMs);
        return;
    }
    if (!groupIsGone(m_deadGroup))
        qCInfo(logCompile) << "the group" << m_deadGroup << "of a compile whose Zarn died is still there";
    m_timer->stop();
    m_timer->disconnect(this);
    prepareRun();
}

void CompileJob::prepareRun()
{
    m_phase = Phase::Holding;
    if (m_request.beforeScript)
        m_request.beforeScript();
    const Jdk &jdk = m_request.jdk;
    // A HotSpot javac starts in about half the time from its own class-data archive.
    m_archive.emplace(jdk, m_paths.archives(), QStringLiteral("javac"));
    QStringList jvmOptions;
    for (const QString &option : m_archive->options())
        jvmOptions.append(QStringLiteral("-J") + option);
    // A JDK without the Applet API compiles applets against Zarn's.
    m_apiOptions = appletApiOptions(jdk);
    // Through the warm compiler once it is up; this compile starts it when it is not.
    QStringList launcher;
    if (WarmCompiler *warm = m_driver.warmCompiler()) {
        launcher = warm->launcher(jdk.javac);
        warm->prepare(jdk);
    }
    runScript(jvmOptions + m_apiOptions, launcher);
}

// Writes the script and sets the marker to 0; the reason when that cannot be done.
QString CompileJob::writeScript(const QStringList &compilerOptions, const QStringList &launcher) const
{
    if (!QFileInfo(m_paths.temp()).isDir())
        return tr("the folder %1 is missing").arg(QDir::toNativeSeparators(m_paths.temp()));
    for (const QString &marker : {m_paths.notDoneMarker(), m_paths.doneMarker()})
        if (!QFileInfo::exists(marker))
            return tr("temp/%1 is missing").arg(QFileInfo(marker).fileName());

    const QStringList sourceOptions = m_request.encoding.isEmpty()
                                          ? QStringList()
                                          : QStringList{QStringLiteral("-encoding"), m_request.encoding};
    const QByteArray script = compileScript(m_request.jdk.javac, m_request.destination, m_request.source,
                                            compilerOptions, m_request.sourcePath, launcher, sourceOptions);
    // A new file renamed into place, never the old one rewritten: a shell that still
    // reads the old script would read on into the new one.
    if (const QString reason = replaceFileAtomically(m_paths.script(), script); !reason.isEmpty())
        return tr("cannot write %1: %2").arg(QDir::toNativeSeparators(m_paths.script()), reason);

    // A marker left at 1 by an interrupted compile would end the next wait at once.
    if (const QString reason = resetMarker(m_paths.marker()); !reason.isEmpty())
        return tr("cannot write temp/temp.txt: %1").arg(reason);
    return {};
}

void CompileJob::runScript(const QStringList &compilerOptions, const QStringList &launcher)
{
    if (const QString problem = writeScript(compilerOptions, launcher); !problem.isEmpty()) {
        fail(problem);
        return;
    }
    m_output.clear();
    m_problem.clear();
    m_markedDone = false;
    m_script = std::make_unique<ManagedProcess>(QStringLiteral("the compile script"));
    connect(m_script.get(), &ManagedProcess::piecesRead, this, [this](const QByteArray &bytes) {
        m_output += bytes;
        if (m_output.size() > MaxOutputBytes && m_problem.isEmpty()) {
            m_problem = tr("the compiler printed more than %1 MB and was stopped").arg(MaxOutputBytes >> 20);
            m_script->kill();
        }
    });
    connect(m_script.get(), &ManagedProcess::ended, this, &CompileJob::scriptEnded);
    ManagedProcess::Setup setup;
    setup.workingFolder = m_paths.root(); // the script names its files relative to it
    setup.output = ManagedProcess::Output::Pieces;
    setup.ownGroup = true; // stopping the script stops the compiler too
    setup.closedInput = true;
    m_phase = Phase::Running;
    m_script->start(QStringLiteral("/bin/sh"), {AppPaths::scriptName()}, setup);
    if (m_phase != Phase::Running)
        return; // it could not start
    recordScript(m_paths, m_script->pid());
    if (!m_triedWithoutArchive)
        m_feedback.started();
    m_clock.restart();
    connect(m_timer, &QTimer::timeout, this, &CompileJob::poll);
    m_timer->start(PollIntervalMs);
}

// One look at the marker, which the feedback may show (the progress bar steps);
// true when it says done.
bool CompileJob::markerSaysDone()
{
    const bool done = readMarker(m_paths.marker()) == 1;
    m_feedback.markerRead();
    return done;
}

void CompileJob::poll()
{
    if (!m_markedDone && markerSaysDone()) {
        // The done marker is the script's last step: it ends at once, with all its output.
        m_markedDone = true;
        m_clock.restart();
    }
    if (m_markedDone) {
        if (m_clock.elapsed() > MarkerGraceMs)
            m_script->kill();
    } else if (m_clock.elapsed() > m_driver.timeLimit().count()) {
        m_problem = tr("the compile took longer than %1 seconds and was stopped")
                        .arg(std::chrono::duration_cast<std::chrono::seconds>(m_driver.timeLimit()).count());
        m_script->kill();
    }
}

void CompileJob::scriptEnded(const ManagedProcess::Exit &exit)
{
    if (!exit.startError.isEmpty()) {
        m_phase = Phase::Ending;
        fail(tr("cannot start the command shell: %1").arg(asReason(exit.startError)));
        return;
    }
    if (m_problem.isEmpty() && !m_cancelled && !m_markedDone) {
        // The shell has ended, and with it its last step; the marker may lag a little.
        m_timer->disconnect(this);
        m_clock.restart();
        connect(m_timer, &QTimer::timeout, this, [this] {
            if (markerSaysDone())
                m_markedDone = true;
            else if (m_clock.elapsed() <= MarkerGraceMs)
                return;
            else
                m_problem = tr("the compile script ended without marking the compile done");
            scriptDone();
        });
        return;
    }
    scriptDone();
}

void CompileJob::scriptDone()
{
    m_phase = Phase::Ending;
    m_timer->stop();
    m_timer->disconnect(this);
    // Whatever it left in its group goes.
    m_script->endGroup();
    qCInfo(logCompile) << "the compile script ended" << (m_problem.isEmpty() ? QString() : m_problem);
    m_script.release()->deleteLater();
    QFile::remove(m_paths.compileGroup());
    const QString output = QString::fromLocal8Bit(m_output);

    if (m_cancelled || !m_problem.isEmpty()) {
        CompileResult result;
        result.outcome = m_cancelled ? CompileResult::Outcome::Cancelled : CompileResult::Outcome::Failed;
        result.problem = m_cancelled ? tr("cancelled") : m_problem;
        result.output = output;
        finish(result);
        return;
    }
    if (!m_triedWithoutArchive && m_archive->failedIn(output)) {
        qCInfo(logCompile) << "javac died of its class-data archive: compiling once more without it";
        m_triedWithoutArchive = true;
        runScript(m_apiOptions, {});
        return;
    }
    m_archive->adopt(); // a stopped compile may have left half an archive: only now
    CompileResult result;
    result.outcome = CompileResult::Outcome::Ran;
    result.output = output;
    result.diagnostics = parseCompilerOutput(output);
    finish(result);
}

void CompileJob::cancel()
{
    if (m_phase == Phase::Done || m_cancelled)
        return;
    m_cancelled = true;
    qCInfo(logCompile) << "the user ended the compile";
    if (m_script && m_script->isRunning())
        m_script->kill(); // it finishes once the script has ended
    else if (m_phase == Phase::Waiting)
        QTimer::singleShot(0, this, [this] {
            CompileResult result;
            result.outcome = CompileResult::Outcome::Cancelled;
            result.problem = tr("cancelled");
            finish(result);
        });
}

void CompileJob::fail(const QString &problem)
{
    CompileResult result;
    result.problem = problem;
    finish(result);
}

void CompileJob::finish(CompileResult result)
{
    if (m_phase == Phase::Done)
        return;
    const bool started = m_phase != Phase::Waiting;
    m_phase = Phase::Done;
    m_timer->stop();
    if (started) {
        m_feedback.ending(); // the progress window closes before the marker is reset
        // Whatever happened, the marker rests at 0 for the next compile.
        const QString markerProblem = resetMarker(m_paths.marker());
        if (result.ran() && !markerProblem.isEmpty()) {
            result.outcome = CompileResult::Outcome::Failed;
            result.problem = tr("cannot reset temp/temp.txt: %1").arg(markerProblem);
        }
        QFile log(m_paths.compileLog());
        if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
            log.write(result.output.toUtf8());
    }
    m_lock.reset(); // unlocks
    switch (result.outcome) {
    case CompileResult::Outcome::Ran:
        m_feedback.finished();
        break;
    case CompileResult::Outcome::Failed:
        qCInfo(logCompile) << "the compile failed:" << result.problem;
        m_feedback.failed(result.problem);
        break;
    case CompileResult::Outcome::Cancelled:
        m_feedback.cancelled();
        break;
    }
    Q_EMIT finished(result);
    deleteLater();
}
