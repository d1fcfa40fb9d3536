#include "ProgressFeedback.h"

#include "MessageWindow.h"
#include "StatusFeedback.h"

#include <QProgressBar>
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
    m_step = 0;
    m_rising = true;
    m_window->setMessage(
        QStringLiteral("Please wait while compiling class. This progressbar is not an indication of how much "
                       "of the program is compiled. It is to show that your computer has not locked up."));
    if (m_cancel)
        QObject::connect(m_window.get(), &MessageWindow::closeAsked, m_window.get(), m_cancel);
    m_window->show();
    m_window->repaint();
}

void ProgressFeedback::markerRead()
{
    if (!m_window)
        return;
    if (m_rising)
        ++m_step;
    else
        --m_step;
    if (m_step == 100)
        m_rising = false;
    else if (m_step == 0)
        m_rising = true;
    m_window->ProgressBar1->setValue(m_step);
}

// Every compile that showed the window ends here first: the window closes before
// the marker is reset, and the three endings below find it gone.
void ProgressFeedback::ending()
{
    m_window.reset();
}

void ProgressFeedback::finished()
{
}

void ProgressFeedback::failed(const QString &reason)
{
    m_statusBar.showMessage(compileFailedText(reason));
}

void ProgressFeedback::cancelled()
{
    m_statusBar.showMessage(compileCancelledText());
}
