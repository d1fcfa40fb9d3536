#pragma once

#include "CompileFeedback.h"
#include "CompileJob.h"
#include "TestTime.h"

#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>

// Records what a compile showed: "started", "finished" or "failed: REASON".
class RecordingFeedback : public CompileFeedback
{
public:
    void started() override { events.append(QStringLiteral("started")); }
    void finished() override { events.append(QStringLiteral("finished")); }
    void failed(const QString &reason) override { events.append(QStringLiteral("failed: ") + reason); }

    QStringList events;
};

// Waits for job to finish: its result, or nothing when it did not within ms.
inline std::optional<CompileResult> resultOf(CompileJob *job, int ms = scaled(60000))
{
    auto result = std::make_shared<std::optional<CompileResult>>();
    if (!job)
        return std::nullopt;
    QObject::connect(job, &CompileJob::finished, job,
                     [result](const CompileResult &ended) { *result = ended; });
    if (!QTest::qWaitFor([&result] { return result->has_value(); }, ms))
        return std::nullopt;
    return *result;
}
