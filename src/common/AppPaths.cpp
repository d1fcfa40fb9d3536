#include "AppPaths.h"

#include <QDir>

AppPaths::AppPaths(const QString &root)
    : m_root(root)
{
}

QString AppPaths::options() const
{
    return QDir(m_root).filePath(QStringLiteral("Options.dat"));
}

QString AppPaths::defaultDocument() const
{
    return QDir(m_root).filePath(QStringLiteral("default.java"));
}

QString AppPaths::temp() const
{
    return QDir(m_root).filePath(QStringLiteral("temp"));
}

QString AppPaths::scriptName()
{
    return QStringLiteral("temp/temp.sh");
}

QString AppPaths::script() const
{
    return QDir(m_root).filePath(scriptName());
}

QString AppPaths::marker() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/temp.txt"));
}

QString AppPaths::notDoneMarker() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/NotDone.txt"));
}

QString AppPaths::doneMarker() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/Done.txt"));
}

QString AppPaths::hostPage() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/temp.html"));
}

QString AppPaths::compileLog() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/compile.log"));
}

QString AppPaths::compileLock() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/compile.lock"));
}

QString AppPaths::compileGroup() const
{
    return QDir(m_root).filePath(QStringLiteral("temp/compile.group"));
}

QString AppPaths::archives() const
{
    return QDir(m_root).filePath(QStringLiteral("cds"));
}

QString AppPaths::recovery() const
{
    return QDir(m_root).filePath(QStringLiteral("recovery"));
}
