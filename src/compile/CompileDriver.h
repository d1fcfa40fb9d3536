#pragma once

#include "AppPaths.h"
#include "Jdk.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class CompileFeedback;
class CompileJob;
class WarmCompiler;

// What to compile: with which JDK, into which folder, which source.
struct CompileRequest
{
    Jdk jdk; // its problem, when it has one, is the compile's
    QString destination;
    QString source;
    // Where javac finds the other sources: the package root; empty for the source's folder.
    QString sourcePath = {};
    // Run once the application folder is this compile's, before its script is
    // written (View > Applet writes its page there).
    std::function<void()> beforeScript = {};
    // The encoding the source was read in ("ISO-8859-1"), so that javac reads what
    // the editor shows; empty for javac's own default.
    QString encoding = {};
};

// Compiles through the compile script and the marker file in the application
// folder's temp/, one compile at a time, each a job of the event loop (see
// CompileJob). Two Zarns sharing the folder take turns: a lock file in temp/ makes
// the second wait for the first. Compiles go through a warm compiler once it is
// ready (see useWarmCompiler).
class CompileDriver : public QObject
{
    Q_OBJECT

public:
    explicit CompileDriver(const QString &appFolder, QObject *parent = nullptr);
    ~CompileDriver() override;

    // Starts a compile. The job reports to feedback, which must outlive it, and
    // says finished once, from the event loop, never from within this call. Null
    // when a compile runs already.
    CompileJob *CompileToFolder(const CompileRequest &request, CompileFeedback &feedback);
    bool isCompiling() const { return !m_job.isNull(); }

    // Without this call, every compile runs javac afresh.
    void useWarmCompiler();
    WarmCompiler *warmCompiler() const { return m_warm.get(); }

    // Stops a compile that runs longer than this (the compiler may hang).
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    std::chrono::milliseconds timeLimit() const { return m_timeLimit; }

    const AppPaths &paths() const { return m_paths; }
    // The group of a compile left running by a Zarn that died, ended when this
    // driver was made; 0 when none. The first compile waits until it is gone.
    qint64 takeEndedGroup() { return std::exchange(m_endedGroup, 0); }

private:
    AppPaths m_paths;
    QPointer<CompileJob> m_job;
    std::unique_ptr<WarmCompiler> m_warm;
    std::chrono::milliseconds m_timeLimit{std::chrono::minutes(5)};
    qint64 m_endedGroup = 0;
};
