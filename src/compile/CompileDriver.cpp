#include "CompileDriver.h"

#include "CompileJob.h"
#include "HostShell.h"
#include "WarmCompiler.h"

#include <QFileInfo>
#include <QLockFile>

CompileDriver::CompileDriver(const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_paths(appFolder)
{
    // A compile left running by a Zarn that died in this folder ends when the next
    // Zarn starts there, unless another live Zarn holds the folder. Nothing waits
    // for it here: the first compile does, should it still be there.
    QLockFile lock(m_paths.compileLock());
    lock.setStaleLockTime(0);
    if (QFileInfo::exists(m_paths.compileGroup()) && lock.tryLock(0))
        m_endedGroup = endRecordedScript(m_paths);
}

CompileDriver::~CompileDriver() = default;

void CompileDriver::useWarmCompiler()
{
    if (!m_warm)
        m_warm = std::make_unique<WarmCompiler>(m_paths.root());
}

CompileJob *CompileDriver::CompileToFolder(const CompileRequest &request, CompileFeedback &feedback)
{
    if (m_job)
        return nullptr; // one compile at a time
    auto *job = new CompileJob(*this, request, feedback);
    m_job = job;
    // Before anyone else hears of it: once finished, another compile may start.
    connect(job, &CompileJob::finished, this, [this] { m_job.clear(); });
    return job;
}
