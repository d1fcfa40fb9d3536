#include "AppletFiles.h"

#include "AppletLaunch.h"
#include "RealPath.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString folderOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    const QString folder = path.endsWith(QLatin1Char('/')) ? path : QFileInfo(path).absolutePath();
    return QDir::cleanPath(folder) + QLatin1Char('/');
}

QDateTime stampOf(const QString &path)
{
    return QFileInfo(path).lastModified();
}

} // namespace

void AppletFiles::begin(const QString &sourcePath, const AppletLaunch &launch, const QString &classFolder)
{
    *this = AppletFiles();
    m_source = QFileInfo(sourcePath).absoluteFilePath();
    m_sourceStamp = stampOf(sourcePath);
    for (const QUrl &base : {launch.codeBase, launch.packageRoot, launch.documentBase})
        if (const QString folder = folderOf(base); !folder.isEmpty() && !m_bases.contains(folder))
            m_bases.append(folder);
    m_classFolder = QDir::cleanPath(QDir(classFolder).absolutePath()) + QLatin1Char('/');
    for (const QString &base : std::as_const(m_bases))
        m_realBases.append(realFolder(base));
}

void AppletFiles::loaded(const QString &path)
{
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (file.startsWith(m_classFolder))
        return;
    for (const QString &base : std::as_const(m_bases))
        if (file.startsWith(base)) {
            // Loaded again, or the same place under two folders: the first is the one.
            const QString relative = file.mid(base.size());
            if (!m_sourceOf.contains(relative)) {
                m_relative.append(relative);
                m_sourceOf.insert(relative, file);
            }
            return;
        }
}

std::optional<QStringList> AppletFiles::relativePaths(const QString &sourcePath) const
{
    if (!m_ran || QFileInfo(sourcePath).absoluteFilePath() != m_source
        || stampOf(sourcePath) != m_sourceStamp)
        return std::nullopt;
    return m_relative;
}

QString AppletFiles::sourceOf(const QString &relativePath) const
{
    return m_sourceOf.value(relativePath);
}

bool AppletFiles::holds(const QString &path) const
{
    return std::any_of(m_realBases.cbegin(), m_realBases.cend(),
                       [&path](const QString &base) { return liesInsideReal(path, base); });
}
