#pragma once

#include "CompileFeedback.h"

#include <QStringList>

// Records what a compile showed: "started", "finished" or "failed: REASON", and
// how many passes the wait made.
class RecordingFeedback : public CompileFeedback
{
public:
    void started() override { events.append(QStringLiteral("started")); }
    void waiting() override { ++passes; }
    void finished() override { events.append(QStringLiteral("finished")); }
    void failed(const QString &reason) override { events.append(QStringLiteral("failed: ") + reason); }
    bool cancelRequested() override { return cancel; }

    QStringList events;
    bool cancel = false; // the user asks to end the compile
    int passes = 0;
};
