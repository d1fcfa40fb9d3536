#include "AppletFiles.h"

#include "AppletLaunch.h"
#include "AtomicFile.h"
#include "RealPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool AppletFiles::holds(const QString &path) const
{
    return std::any_of(m_bases.cbegin(), m_bases.cend(),
                       [&path](const QString &base) { return liesInside(path, base); });
}

namespace {

// The loaded file at path, open for reading, when it is a regular file in the
// applet's folders; else why not. It is judged as opened, so that a file swapped
// after the check is judged too.
std::variant<std::unique_ptr<QFile>, QString> openLoadedFile(const AppletFiles &files, const QString &path)
{
    // Without waiting: a FIFO opened to be read would wait for a writer.
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    auto file = std::make_unique<QFile>();
    if (!file->open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return file->errorString();
    }
    struct stat status = {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))
        return tr("not a regular file");
    if (!files.holds(QStringLiteral("/proc/self/fd/%1").arg(handle)))
        return tr("it lies outside the applet's folders (through a link)");
    return file;
}

} // namespace

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
        auto opened = openLoadedFile(files, from);
        if (const QString *problem = std::get_if<QString>(&opened)) {
            copied.problems.append(tr("%1: %2").arg(QDir::toNativeSeparators(from), *problem));
            continue;
        }
        const QByteArray bytes = std::get<std::unique_ptr<QFile>>(opened)->readAll();
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
