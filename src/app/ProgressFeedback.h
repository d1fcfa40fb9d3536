#pragma once

#include "CompileFeedback.h"

#include <memory>

class EscapeKey;
class MessageWindow;
class QStatusBar;
class QWidget;

// The progress window for the length of the compile, its bar moving all the while.
// The status bar is left alone unless the compile fails.
class ProgressFeedback : public CompileFeedback
{
public:
    ProgressFeedback(QWidget *owner, QStatusBar &statusBar);
    ~ProgressFeedback() override;

    void started() override;
    void finished() override;
    void failed(const QString &reason) override;
    // Esc, or the progress window's close button, ends the compile.
    bool cancelRequested() override;
    void cancelled() override;

    MessageWindow *window() const { return m_window.get(); }

private:
    QWidget *m_owner;
    QStatusBar &m_statusBar;
    std::unique_ptr<MessageWindow> m_window;
    std::unique_ptr<EscapeKey> m_escape; // while the compile runs
};
