#include "AppletFiles.h"

#include "AppletLaunch.h"
#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString tr(const char *text)
{
    return QCoreApplication::translate("AppletFiles", text);
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
}

void AppletFiles::loaded(const QString &path)
{
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (file.startsWith(m_classFolder) || m_absolute.contains(file))
        return;
    for (const QString &base : std::as_const(m_bases))
        if (file.startsWith(base)) {
            m_relative.append(file.mid(base.size()));
            m_absolute.append(file);
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
    const qsizetype at = m_relative.indexOf(relativePath);
    return at < 0 ? QString() : m_absolute.at(at);
}

CopiedFiles copyAppletFiles(const AppletFiles &files, const QStringList &relativePaths,
                            const QString &destination, const std::function<bool(const QString &)> &overwrite)
{
    CopiedFiles copied;
    for (const QString &relative : relativePaths) {
        const QString from = files.sourceOf(relative);
        const QString to = QDir(destination).filePath(relative);
        if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath()) {
            ++copied.carried; // published where it lies
            continue;
        }
        QFile source(from);
        if (!source.open(QIODevice::ReadOnly)) {
            copied.problems.append(tr("%1: %2").arg(QDir::toNativeSeparators(from), source.errorString()));
            continue;
        }
        const QByteArray bytes = source.readAll();
        if (QFileInfo::exists(to) && contentsOf(to) == bytes) {
            ++copied.carried;
            continue;
        }
        if (QFileInfo::exists(to) && !overwrite(to))
            continue;
        if (!QDir().mkpath(QFileInfo(to).absolutePath())) {
            copied.problems.append(tr("%1: the folder cannot be made").arg(QDir::toNativeSeparators(to)));
            continue;
        }
        if (const QString problem = replaceFileAtomically(to, bytes); !problem.isEmpty()) {
            copied.problems.append(tr("%1: %2").arg(QDir::toNativeSeparators(to), problem));
            continue;
        }
        ++copied.carried;
    }
    return copied;
}
