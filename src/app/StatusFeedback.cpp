#include "StatusFeedback.h"

#include "EscapeKey.h"

#include <QCoreApplication>
#include <QStatusBar>

QString compileFailedText(const QString &reason)
{
    return QCoreApplication::translate("StatusFeedback", "Compile Failed: %1").arg(reason);
}

StatusFeedback::StatusFeedback(QStatusBar &statusBar, const QString &startText)
    : m_statusBar(statusBar)
    , m_startText(startText.isEmpty() ? QStringLiteral("Compiling Class") : startText)
{
}

StatusFeedback::~StatusFeedback() = default;

void StatusFeedback::started()
{
    m_statusBar.showMessage(m_startText);
    m_escape = std::make_unique<EscapeKey>(QList<QWidget *>{m_statusBar.window()});
}

void StatusFeedback::finished()
{
    m_escape.reset();
    m_statusBar.showMessage(QStringLiteral("Done Compiling"));
}

void StatusFeedback::failed(const QString &reason)
{
    m_escape.reset();
    m_statusBar.showMessage(compileFailedText(reason));
}

QString compileCancelledText()
{
    return QStringLiteral("Compile Cancelled");
}

bool StatusFeedback::cancelRequested()
{
    return m_escape && m_escape->pressed();
}

void StatusFeedback::cancelled()
{
    m_escape.reset();
    m_statusBar.showMessage(compileCancelledText());
}
