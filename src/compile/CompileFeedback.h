#pragma once

#include <QString>

// What the user sees of a compile: a status-bar text or the progress window.
class CompileFeedback
{
public:
    virtual ~CompileFeedback() = default;

    // The compile script runs.
    virtual void started() = 0;
    // The marker was looked at once more while the script ran.
    virtual void markerRead() { }
    // The compile is over; the marker is about to be reset. Then one of the three below.
    virtual void ending() { }
    // The compile ran to its end; the compiler itself may have failed.
    virtual void finished() = 0;
    // The compile could not run or did not end properly.
    virtual void failed(const QString &reason) = 0;
    // The user ended the compile, and its processes have been stopped.
    virtual void cancelled() { failed(QStringLiteral("cancelled")); }
};
