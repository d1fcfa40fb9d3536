#include "PathParts.h"

namespace {

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
#else
    return c == QLatin1Char('/');
#endif
}

} // namespace

qsizetype FindLastBackslash(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path.at(i)))
            return i;
    return -1;
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
