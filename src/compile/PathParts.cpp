#include "PathParts.h"

#include <algorithm>

qsizetype FindLastBackslash(const QString &path)
{
#ifdef Q_OS_WIN
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
#else
    return path.lastIndexOf(QLatin1Char('/'));
#endif
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
