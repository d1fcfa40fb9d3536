#include "ProgressFeedback.h"

#include "EscapeKey.h"
#include "MessageWindow.h"
#include "StatusFeedback.h"

#include <QStatusBar>

ProgressFeedback::ProgressFeedback(QWidget *owner, QStatusBar &statusBar)
    : m_owner(owner)
    , m_statusBar(statusBar)
{
}

ProgressFeedback::~ProgressFeedback() = default;

void ProgressFeedback::started()
{
    m_window = std::make_unique<MessageWindow>(m_owner);
    m_window->setMessage(
        QStringLiteral("Please wait while compiling class. This progressbar is not an indication of how much "
                       "of the program is compiled. It is to show that your computer has not locked up."));
    m_window->show();
    m_window->repaint();
    m_escape = std::make_unique<EscapeKey>(QList<QWidget *>{m_owner, m_window.get()});
}

void ProgressFeedback::finished()
{
    m_escape.reset();
    m_window.reset();
}

void ProgressFeedback::failed(const QString &reason)
{
    m_escape.reset();
    m_window.reset();
    m_statusBar.showMessage(compileFailedText(reason));
}

bool ProgressFeedback::cancelRequested()
{
    return (m_window && m_window->closeAsked()) || (m_escape && m_escape->pressed());
}

void ProgressFeedback::cancelled()
{
    m_escape.reset();
    m_window.reset();
    m_statusBar.showMessage(compileCancelledText());
}
