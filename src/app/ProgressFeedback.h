#pragma once

#include "CompileFeedback.h"

#include <memory>

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

    MessageWindow *window() const { return m_window.get(); }

private:
    QWidget *m_owner;
    QStatusBar &m_statusBar;
    std::unique_ptr<MessageWindow> m_window;
};
