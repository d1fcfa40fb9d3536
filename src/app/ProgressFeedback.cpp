#include "ProgressFeedback.h"

#include "MessageWindow.h"
#include "StatusFeedback.h"

#include <QStatusBar>

ProgressFeedback::ProgressFeedback(QWidget *owner, QStatusBar &statusBar, std::function<void()> cancel)
    : m_owner(owner)
    , m_statusBar(statusBar)
    , m_cancel(std::move(cancel))
{
}

ProgressFeedback::~ProgressFeedback() = default;

void ProgressFeedback::started()
{
    m_window = std::make_unique<MessageWindow>(m_owner);
    m_window->setMessage(
        QStringLiteral("Please wait while compiling class. This progressbar is not an indication of how much "
                       "of the program is compiled. It is to show that your computer has not locked up."));
    if (m_cancel)
        QObject::connect(m_window.get(), &MessageWindow::closeAsked, m_window.get(), m_cancel);
    m_window->show();
    m_window->repaint();
}

void ProgressFeedback::finished()
{
    m_window.reset();
}

void ProgressFeedback::failed(const QString &reason)
{
    m_window.reset();
    m_statusBar.showMessage(compileFailedText(reason));
}

void ProgressFeedback::cancelled()
{
    m_window.reset();
    m_statusBar.showMessage(compileCancelledText());
}
