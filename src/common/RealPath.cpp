#include "RealPath.h"

#include <QFileInfo>

QString realFolder(const QString &folder)
{
    QString real = QFileInfo(folder).canonicalFilePath();
    if (!real.isEmpty() && !real.endsWith(QLatin1Char('/')))
        real += QLatin1Char('/');
    return real;
}

bool liesInsideReal(const QString &path, const QString &realFolder)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return !real.isEmpty() && !realFolder.isEmpty() && real.startsWith(realFolder);
}

bool liesInside(const QString &path, const QString &folder)
{
    return liesInsideReal(path, realFolder(folder));
}
