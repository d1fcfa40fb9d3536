#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

class QLockFile;

class CompileFeedback;
class WarmCompiler;

// What to compile: the compiler, the folder for the class files, the source file.
struct CompileRequest
{
    QString compiler; // as configured: chooseCompiler finds the one that runs
    QString destination;
    QString source;
    // Where javac finds the other sources: the package root; empty for the source's folder.
    QString sourcePath = {};
};

// Compiles through the compile script and the marker file in the application
// folder's temp/. The wait polls the marker every few milliseconds, keeps the
// windows painting and holds user input back until the compile has ended, so no
// other command can start meanwhile; it ends when the marker says done, or soon
// after the script has ended without saying so. Two Zarns sharing the folder take
// turns: a lock file in temp/ makes the second wait for the first.
class CompileDriver
{
public:
    explicit CompileDriver(const QString &appFolder);
    ~CompileDriver();

    // Holds the temp folder for this process while it lives, so that another Zarn
    // using the same folder waits for this one's compile (and its page) to end.
    // Taking it waits the same way for the other Zarn; holds nest.
    class Hold
    {
    public:
        explicit Hold(CompileDriver &driver);
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

        // Empty when held; otherwise why not (another compile did not end in time).
        const QString &problem() const { return m_problem; }

    private:
        CompileDriver &m_driver;
        QString m_problem;
    };

    // Runs one compile. True when the script ran to its end, whether or not the
    // compiler succeeded; false, with the reason given to the feedback, when it
    // could not start or did not end properly. The marker holds 0 afterwards.
    bool CompileToFolder(const CompileRequest &request, CompileFeedback &feedback);

    bool isCompiling() const { return m_compiling; }

    // What the compiler printed during the last compile; also in temp/compile.log.
    const QString &lastOutput() const { return m_lastOutput; }
    // Why the last compile could not run or end properly; empty when it did.
    const QString &lastProblem() const { return m_lastProblem; }

    // Compiles go through a warm compiler (see WarmCompiler) once it is ready;
    // without this call, every compile runs javac afresh.
    void useWarmCompiler();
    WarmCompiler *warmCompiler() const { return m_warm.get(); }

    // Stops a compile that runs longer than this (the compiler may hang).
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    static constexpr std::chrono::milliseconds PollInterval{5};
    // How often the wait asks the feedback whether the user wants the compile ended.
    static constexpr int PassesPerCancelCheck = 10;
    // How long the marker may lag behind the end of the script.
    static constexpr std::chrono::milliseconds MarkerGrace{1000};
    // More output than any compiler gives: beyond it the compile is stopped.
    static constexpr qint64 MaxOutputBytes = 16 * 1024 * 1024;

private:
    QString acquire();
    void release();
    QString prepare(const CompileRequest &request, const QStringList &compilerOptions,
                    const QStringList &launcher = {}) const;
    QString run(CompileFeedback &feedback);
    bool fail(const QString &problem, CompileFeedback &feedback);
    QString tempPath(const QString &name) const;

    QString m_appFolder;
    QString m_lastOutput;
    QString m_lastProblem;
    bool m_compiling = false;
    bool m_cancelled = false; // the user ended the last compile
    int m_holds = 0;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<WarmCompiler> m_warm;
    std::chrono::milliseconds m_timeLimit{std::chrono::minutes(5)};
};
