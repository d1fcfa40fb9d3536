#include "RealPath.h"

#include <QFileInfo>

bool liesInside(const QString &path, const QString &folder)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty() || realFolder.isEmpty())
        return false;
    if (!realFolder.endsWith(QLatin1Char('/')))
        realFolder += QLatin1Char('/');
    return real.startsWith(realFolder);
}
