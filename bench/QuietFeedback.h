#pragma once

#include "CompileFeedback.h"

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
