#pragma once

#include "CompileFeedback.h"

class QStatusBar;

// "Compiling Class" (or startText), then "Done Compiling" (or why the compile
// failed) in the status bar, where the text stays until the next compile.
class StatusFeedback : public CompileFeedback
{
public:
    explicit StatusFeedback(QStatusBar &statusBar, const QString &startText = {});
    ~StatusFeedback() override;

    void started() override;
    void finished() override;
    void failed(const QString &reason) override;
    void cancelled() override;

private:
    QStatusBar &m_statusBar;
    const QString m_startText;
};

// The status-bar text for a compile that failed.
QString compileFailedText(const QString &reason);
// The status-bar text for a compile the user ended.
QString compileCancelledText();
