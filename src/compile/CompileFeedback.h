#pragma once

#include <QString>

// What the user sees of a compile: a status-bar text or the progress window.
class CompileFeedback
{
public:
    virtual ~CompileFeedback() = default;

    virtual void started() = 0;
    // Called on every pass of the wait.
    virtual void waiting() { }
    // The compile ran to its end; the compiler itself may have failed.
    virtual void finished() = 0;
    // The compile could not run or did not end properly.
    virtual void failed(const QString &reason) = 0;
    // Asked now and then during the wait: true when the user wants the compile ended.
    virtual bool cancelRequested() { return false; }
    // The user ended the compile, and its processes have been stopped.
    virtual void cancelled() { failed(QStringLiteral("cancelled")); }
};
