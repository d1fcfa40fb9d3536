#pragma once

#include "CompileDriver.h"
#include "CompileFeedback.h"
#include "CompileJob.h"

#include <QEventLoop>
#include <QString>

// Compile feedback for a benchmark: shows nothing, and stops the run when a compile
// fails, since its figures would mean nothing.
class QuietFeedback : public CompileFeedback
{
public:
    void started() override { }
    void finished() override { }
    void failed(const QString &reason) override { qFatal("compile failed: %s", qPrintable(reason)); }
};

// Runs one compile through driver to its end, the event loop running meanwhile.
inline void compileOnce(CompileDriver &driver, const CompileRequest &request, CompileFeedback &feedback)
{
    CompileJob *job = driver.CompileToFolder(request, feedback);
    if (!job)
        qFatal("a compile runs already");
    QEventLoop loop;
    QObject::connect(job, &CompileJob::finished, &loop, &QEventLoop::quit);
    loop.exec();
}
