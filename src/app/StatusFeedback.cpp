#include "StatusFeedback.h"

#include <QCoreApplication>
#include <QStatusBar>

QString compileFailedText(const QString &reason)
{
    return QCoreApplication::translate("StatusFeedback", "Compile Failed: %1").arg(reason);
}

void StatusFeedback::started()
{
    m_statusBar.showMessage(QStringLiteral("Compiling Class"));
}

void StatusFeedback::finished()
{
    m_statusBar.showMessage(QStringLiteral("Done Compiling"));
}

void StatusFeedback::failed(const QString &reason)
{
    m_statusBar.showMessage(compileFailedText(reason));
}
