#include "InstallLayout.h"

#include <QCoreApplication>
#include <QDir>

QString installedDataFolder()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(ZARN_DATA_FROM_BIN)));
}
