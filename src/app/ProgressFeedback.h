#pragma once

#include "CompileFeedback.h"

#include <functional>
#include <memory>

class MessageWindow;
class QStatusBar;
class QWidget;

// The progress window for the length of the compile, its bar stepped back and forth
// once per look at the marker. The status bar is left alone unless the compile fails.
class ProgressFeedback : public CompileFeedback
{
public:
    // The progress window's close button calls cancel.
    ProgressFeedback(QWidget *owner, QStatusBar &statusBar, std::function<void()> cancel = {});
    ~ProgressFeedback() override;

    void started() override;
    void markerRead() override;
    void ending() override;
    void finished() override;
    void failed(const QString &reason) override;
    void cancelled() override;

    MessageWindow *window() const { return m_window.get(); }

private:
    QWidget *m_owner;
    QStatusBar &m_statusBar;
    std::function<void()> m_cancel;
    std::unique_ptr<MessageWindow> m_window;
    // The bar's position and way, afresh for each command: 1, 2, ... 100, 99, ... 0, 1, ...
    quint16 m_step = 0;
    bool m_rising = true;
};
