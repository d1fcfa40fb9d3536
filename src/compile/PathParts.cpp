#include "PathParts.h"

#include <QFileInfo>

qsizetype FindLastBackslash(const QString &path)
{
    return path.lastIndexOf(QLatin1Char('/'));
}

QString NamePart(const QString &path)
{
    return path.mid(FindLastBackslash(path) + 1);
}

std::optional<QString> FolderPart(const QString &path)
{
    const qsizetype separator = FindLastBackslash(path);
    if (separator < 0)
        return std::nullopt;
    return path.left(separator);
}

bool samePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}
