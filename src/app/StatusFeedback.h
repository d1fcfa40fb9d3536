#pragma once

#include "CompileFeedback.h"

class QStatusBar;

// "Compiling Class", then "Done Compiling" (or why the compile failed) in the
// status bar, where the text stays until the next compile.
class StatusFeedback : public CompileFeedback
{
public:
    explicit StatusFeedback(QStatusBar &statusBar)
        : m_statusBar(statusBar)
    {
    }

    void started() override;
    void finished() override;
    void failed(const QString &reason) override;

private:
    QStatusBar &m_statusBar;
};

// The status-bar text for a compile that failed.
QString compileFailedText(const QString &reason);
