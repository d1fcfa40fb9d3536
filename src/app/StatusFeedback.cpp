#include "StatusFeedback.h"

#include <QCoreApplication>
#include <QStatusBar>

QString compileFailedText(const QString &reason)
{
    return QCoreApplication::translate("StatusFeedback", "Compile Failed: %1").arg(reason);
}

QString compileCancelledText()
{
    return QStringLiteral("Compile Cancelled");
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
}

void StatusFeedback::finished()
{
    m_statusBar.showMessage(QStringLiteral("Done Compiling"));
}

void StatusFeedback::failed(const QString &reason)
{
    m_statusBar.showMessage(compileFailedText(reason));
}

void StatusFeedback::cancelled()
{
    m_statusBar.showMessage(compileCancelledText());
}
