#include "InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString installedDataFolder()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(ZARN_DATA_FROM_BIN)));
}

QString shippedFile(const QString &name)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir(installedDataFolder()).filePath(name);
}

QString shippedProgram(const QString &name)
{
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString beside = bin.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(bin.filePath(QStringLiteral(ZARN_LIBEXEC_FROM_BIN "/") + name));
}
