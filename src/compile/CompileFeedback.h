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
};

// Counts 1, 2, ... 100, 99, ... 0, 1, ... one step at a time: the progress bar of the
// wait, which measures nothing.
class BouncingCounter
{
public:
    int step()
    {
        m_value += m_up ? 1 : -1;
        if (m_value == 100)
            m_up = false;
        if (m_value == 0)
            m_up = true;
        return m_value;
    }

private:
    int m_value = 0;
    bool m_up = true;
};
