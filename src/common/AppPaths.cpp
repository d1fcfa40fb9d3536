#include "AppPaths.h"

#include <QDir>

AppPaths::AppPaths(const QString &root)
    : m_root(root)
{
}

QString AppPaths::file(const QString &relative) const
{
    return QDir(m_root).filePath(relative);
}

QString AppPaths::optionsName()
{
    return QStringLiteral("Options.dat");
}

QString AppPaths::tempName()
{
    return QStringLiteral("temp");
}

QString AppPaths::scriptName()
{
    return QStringLiteral("temp/temp.sh");
}

QString AppPaths::markerName()
{
    return QStringLiteral("temp/temp.txt");
}

QString AppPaths::notDoneMarkerName()
{
    return QStringLiteral("temp/NotDone.txt");
}

QString AppPaths::doneMarkerName()
{
    return QStringLiteral("temp/Done.txt");
}
