#pragma once

#include "CompileFeedback.h"

#include <memory>

class EscapeKey;

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
    // Esc ends the compile.
    bool cancelRequested() override;
    void cancelled() override;

private:
    QStatusBar &m_statusBar;
    const QString m_startText;
    std::unique_ptr<EscapeKey> m_escape; // while the compile runs
};

// The status-bar text for a compile that failed.
QString compileFailedText(const QString &reason);
// The status-bar text for a compile the user ended.
QString compileCancelledText();
