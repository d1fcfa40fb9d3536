#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

#include <functional>

class QTimer;

// A helper process of Zarn's (the compile script, an applet host, the warm
// compiler, the runs beside them), run one way for all: entered in the child table
// (see ChildProcesses) before a signal that ends Zarn can miss it, its standard
// output read in lines or in pieces, and stopped without Zarn waiting on it: asked
// to stop, it gets StopGraceMs and then KillMarginMs more before it is killed. One
// destroyed while its process runs stops it that way, and the process is seen to
// its end after its owner has gone (see finishStopping).
class ManagedProcess : public QObject
{
    Q_OBJECT

public:
    // The time a helper has to end once asked; the applet host is told it, and its
    // applet's stop and destroy run within it.
    static constexpr int StopGraceMs = 1500;
    // Beyond the grace: the time a JVM takes to exit once it has halted.
    static constexpr int KillMarginMs = 500;

    enum class Output {
        Lines,     // standard output line by line (lineRead); standard error kept (errorOutput)
        Pieces,    // both channels merged, as they come (piecesRead)
        Discarded, // neither is read
    };

    struct Setup
    {
        QString workingFolder; // empty: Zarn's own
        Output output = Output::Lines;
        // A process group of its own, ended whole, at once, when stopped (the compile
        // script with its compiler).
        bool ownGroup = false;
        // Its input is closed at once: a program that reads it gets nothing.
        bool closedInput = false;
        // Run in the child between fork and exec: async-signal-safe calls only.
        std::function<void()> inChild;
    };

    struct Exit
    {
        int code = -1;
        bool crashed = false;
        QString startError; // not empty: it never started
    };

    // name is how the logs call it ("the applet host").
    explicit ManagedProcess(const QString &name, QObject *parent = nullptr);
    ~ManagedProcess() override;

    void start(const QString &program, const QStringList &arguments, const Setup &setup);
    // Its number while it runs (from the start on); 0 before and after.
    qint64 pid() const;
    bool isRunning() const;
    void write(const QByteArray &bytes);
    // The last 64 KB of its standard error (Output::Lines).
    const QByteArray &errorOutput() const { return m_errors; }

    // Asks it to end: writes farewell, closes its input, and kills it when it has
    // not ended in time. A process of its own group is ended at once.
    void stop(const QByteArray &farewell = {});
    // Ends it now, with its group.
    void kill();
    // Kills what is left of its process group, also after its leader has ended.
    void endGroup();

    // Once the event loop has ended: waits for the processes that are still being
    // stopped, each at most the rest of its time, then kills those left.
    static void finishStopping();

Q_SIGNALS:
    void started();
    // A line of its standard output, without its line end.
    void lineRead(const QByteArray &line);
    void piecesRead(const QByteArray &bytes);
    // What came on its standard error (Output::Lines), as it came; also kept in errorOutput.
    void errorRead(const QByteArray &bytes);
    void ended(const ManagedProcess::Exit &exit);

private:
    void readLines();
    void hasEnded(const Exit &exit);

    QString m_name;
    QProcess *m_process = nullptr;
    QTimer *m_killTimer = nullptr;
    qint64 m_pid = 0;
    bool m_ownGroup = false;
    Output m_output = Output::Lines;
    QByteArray m_errors;
};
