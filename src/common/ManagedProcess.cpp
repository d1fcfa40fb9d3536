#include "ManagedProcess.h"

#include "ChildProcesses.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

#include <csignal>
#include <unistd.h>

namespace {

constexpr qsizetype MaxErrorBytes = 64 * 1024;

// A process whose owner has gone while it was being stopped: seen to its end, then
// taken out of the child table. Lives under the application.
class Stopping : public QObject
{
public:
    Stopping(QProcess *process, qint64 pid, bool group, const QString &name, int msLeft)
        : QObject(QCoreApplication::instance())
        , m_process(process)
        , m_pid(pid)
        , m_group(group)
        , m_name(name)
        , m_deadline(msLeft)
    {
        all().append(this);
        m_process->setParent(this);
        connect(m_process, &QProcess::finished, this, &Stopping::done);
        QTimer::singleShot(msLeft, this, &Stopping::killNow);
    }
    // The application gone before it ended (no finishStopping): ended here, so
    // that no QProcess is destroyed running.
    ~Stopping() override
    {
        if (!all().removeOne(this))
            return;
        waitOrKill();
        ChildProcesses::remove(m_pid);
    }

    static QList<Stopping *> &all()
    {
        static QList<Stopping *> stopping;
        return stopping;
    }

    // Without an event loop: waits out the rest of the time, then kills.
    void finishNow()
    {
        waitOrKill();
        done();
    }

private:
    // Blocks, and is meant to: it runs only once no window is left to wait, from
    // finishStopping after the event loop, or as the application itself goes.
    void waitOrKill()
    {
        if (!m_process->waitForFinished(int(std::max<qint64>(0, m_deadline.remainingTime())))) {
            killNow();
            m_process->waitForFinished(); // a killed process ends at once
        }
    }

    void killNow()
    {
        if (m_process->state() == QProcess::NotRunning)
            return;
        qCInfo(logCommon) << m_name << m_pid << "did not end in time: killed";
        ::kill(pid_t(m_group ? -m_pid : m_pid), SIGKILL);
    }

    void done()
    {
        if (!all().removeOne(this))
            return; // seen already
        qCInfo(logCommon) << m_name << m_pid << "has ended";
        ChildProcesses::remove(m_pid);
        deleteLater();
    }

    QProcess *m_process;
    qint64 m_pid;
    bool m_group;
    QString m_name;
    QDeadlineTimer m_deadline;
};

} // namespace

ManagedProcess::ManagedProcess(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
{
}

ManagedProcess::~ManagedProcess()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (m_process->state() == QProcess::NotRunning) {
        ChildProcesses::remove(m_pid);
        return; // deleted with this object
    }
    if (!QCoreApplication::instance()) {
        // Destroyed with the application (a child of it): no timer runs any more, and
        // nothing would see it end. It is killed now, as QProcess would; the wait is
        // for a killed process, with no window left to hold up.
        ::kill(pid_t(m_ownGroup ? -m_pid : m_pid), SIGKILL);
        m_process->waitForFinished();
        ChildProcesses::remove(m_pid);
        return;
    }
    if (m_ownGroup) {
        endGroup();
    } else if (!m_killTimer->isActive()) {
        m_process->closeWriteChannel();
        m_killTimer->start(StopGraceMs + KillMarginMs);
    }
    const int msLeft = m_ownGroup ? KillMarginMs : m_killTimer->remainingTime();
    new Stopping(m_process, m_pid, m_ownGroup, m_name, std::max(0, msLeft));
}

void ManagedProcess::start(const QString &program, const QStringList &arguments, const Setup &setup)
{
    Q_ASSERT(!m_process);
    m_ownGroup = setup.ownGroup;
    m_output = setup.output;
    m_process = new QProcess(this);
    m_killTimer = new QTimer(this);
    m_killTimer->setSingleShot(true);
    connect(m_killTimer, &QTimer::timeout, this, [this] {
        qCInfo(logCommon) << m_name << m_pid << "did not end in time: killed";
        kill();
    });
    if (!setup.workingFolder.isEmpty())
        m_process->setWorkingDirectory(setup.workingFolder);
    switch (setup.output) {
    case Output::Lines:
        connect(m_process, &QProcess::readyReadStandardOutput, this, &ManagedProcess::readLines);
        connect(m_process, &QProcess::readyReadStandardError, this, [this] {
            const QByteArray bytes = m_process->readAllStandardError();
            m_errors += bytes;
            if (m_errors.size() > MaxErrorBytes)
                m_errors = m_errors.right(MaxErrorBytes);
            Q_EMIT errorRead(bytes);
        });
        break;
    case Output::Pieces:
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        connect(m_process, &QProcess::readyReadStandardOutput, this,
                [this] { Q_EMIT piecesRead(m_process->readAllStandardOutput()); });
        break;
    case Output::Discarded:
        m_process->setStandardOutputFile(QProcess::nullDevice());
        m_process->setStandardErrorFile(QProcess::nullDevice());
        break;
    }
    connect(m_process, &QProcess::started, this, &ManagedProcess::started);
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        hasEnded({code, status == QProcess::CrashExit, {}});
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            hasEnded({-1, false, m_process->errorString()});
    });
    const bool ownGroup = setup.ownGroup;
    const std::function<void()> inChild = setup.inChild;
    m_process->setChildProcessModifier([ownGroup, inChild] {
        if (ownGroup)
            ::setpgid(0, 0);
        if (inChild)
            inChild();
    });
    qCInfo(logCommon) << "starting" << m_name << ":" << program << arguments;
    const QPointer<ManagedProcess> alive(this);
    m_process->start(program, arguments);
    if (!alive)
        return; // it could not start, and its owner let it go
    // Forked by now: entered in the table before the event loop, where a signal's
    // end of Zarn is carried out, runs again.
    m_pid = m_process->processId();
    if (setup.closedInput)
        m_process->closeWriteChannel();
    if (m_pid > 0) {
        if (ownGroup)
            ::setpgid(pid_t(m_pid), pid_t(m_pid)); // the child may not have done it yet
        ChildProcesses::add(m_pid, ownGroup);
        qCInfo(logCommon) << m_name << "runs as process" << m_pid;
    }
}

qint64 ManagedProcess::pid() const
{
    return isRunning() ? m_pid : 0;
}

bool ManagedProcess::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void ManagedProcess::write(const QByteArray &bytes)
{
    if (isRunning())
        m_process->write(bytes);
}

void ManagedProcess::stop(const QByteArray &farewell)
{
    if (!isRunning())
        return;
    if (m_ownGroup) {
        endGroup();
        return;
    }
    if (m_killTimer->isActive())
        return; // asked already
    if (!farewell.isEmpty())
        m_process->write(farewell);
    m_process->closeWriteChannel();
    m_killTimer->start(StopGraceMs + KillMarginMs);
}

void ManagedProcess::kill()
{
    if (!isRunning())
        return;
    ::kill(pid_t(m_ownGroup ? -m_pid : m_pid), SIGKILL);
}

void ManagedProcess::endGroup()
{
    if (m_ownGroup && m_pid > 0)
        ::kill(pid_t(-m_pid), SIGKILL);
}

void ManagedProcess::readLines()
{
    const QPointer<ManagedProcess> alive(this);
    while (alive && m_process->canReadLine()) {
        QByteArray line = m_process->readLine();
        line.chop(1);
        Q_EMIT lineRead(line);
    }
}

void ManagedProcess::hasEnded(const Exit &exit)
{
    m_killTimer->stop();
    ChildProcesses::remove(m_pid);
    if (exit.startError.isEmpty())
        qCInfo(logCommon) << m_name << m_pid << "ended:" << (exit.crashed ? -1 : exit.code);
    else
        qCInfo(logCommon) << m_name << "could not start:" << exit.startError;
    if (m_output == Output::Lines && exit.startError.isEmpty()) {
        const QPointer<ManagedProcess> alive(this);
        readLines(); // what came with its end
        if (!alive)
            return;
    }
    Q_EMIT ended(exit);
}

void ManagedProcess::finishStopping()
{
    while (!Stopping::all().isEmpty())
        Stopping::all().constFirst()->finishNow();
    // Their objects go with the application; nothing more runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
