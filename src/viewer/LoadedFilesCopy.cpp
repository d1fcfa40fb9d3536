#include "LoadedFilesCopy.h"

#include "AppletFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Progress is told this often, in files.
constexpr int ProgressStep = 64;

QString tr(const char *text)
{
    return QCoreApplication::translate("LoadedFilesCopy", text);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The regular file at path, open for reading; nothing, with *problem saying why,
// for anything else. Opened without waiting (a FIFO opened to be read would wait
// for a writer) and judged as opened, so that a file swapped after a check is
// judged too.
std::unique_ptr<QFile> openRegularFile(const QString &path, QString *problem)
{
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        *problem = systemError(errno);
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        *problem = file->errorString();
        return nullptr;
    }
    struct stat status = {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        *problem = tr("not a regular file");
        return nullptr;
    }
    return file;
}

// The loaded file at path, read whole, when it is a regular file in the applet's
// folders; else why not.
std::optional<QByteArray> readLoadedFile(const AppletFiles &files, const QString &path, QString *problem)
{
    const std::unique_ptr<QFile> file = openRegularFile(path, problem);
    if (!file)
        return std::nullopt;
    if (!files.holds(QStringLiteral("/proc/self/fd/%1").arg(file->handle()))) {
        *problem = tr("it lies outside the applet's folders (through a link)");
        return std::nullopt;
    }
    return file->readAll();
}

// What the regular file at path holds; nothing for anything else.
std::optional<QByteArray> regularFileContents(const QString &path)
{
    QString ignored;
    const std::unique_ptr<QFile> file = openRegularFile(path, &ignored);
    return file ? std::optional<QByteArray>(file->readAll()) : std::nullopt;
}

// A new file beside the target, renamed into place; synced with the others later.
QString writeFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray part = target + ".zarn-part-" + QByteArray::number(QCoreApplication::applicationPid());
    const int handle = ::open(part.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (handle < 0)
        return systemError(errno);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t now = ::write(handle, bytes.constData() + written, size_t(bytes.size() - written));
        if (now < 0 && errno == EINTR)
            continue;
        if (now < 0) {
            const int error = errno;
            ::close(handle);
            ::unlink(part.constData());
            return systemError(error);
        }
        written += now;
    }
    if (::close(handle) != 0 || ::rename(part.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(part.constData());
        return systemError(error);
    }
    return {};
}

} // namespace

struct LoadedFilesCopy::File
{
    enum class Step { Carried, Write, Ask, Skip, Problem };
    QString from;
    QString to;
    Step step = Step::Problem; // until checked
    QByteArray bytes;
};

LoadedFilesCopy::LoadedFilesCopy(const AppletFiles &files, const QStringList &relativePaths,
                                 const QString &destination, Overwrite overwrite, QObject *parent)
    : QObject(parent)
    , m_appletFiles(files)
    , m_destination(destination)
    , m_overwrite(std::move(overwrite))
{
    m_files.reserve(size_t(relativePaths.size()));
    for (const QString &relative : relativePaths)
        m_files.push_back(
            {files.sourceOf(relative), QDir(destination).filePath(relative), File::Step::Problem, {}});
}

LoadedFilesCopy::~LoadedFilesCopy()
{
    m_cancelled = true;
    if (m_thread)
        m_thread->wait();
}

void LoadedFilesCopy::start()
{
    onThread(&LoadedFilesCopy::check, &LoadedFilesCopy::ask);
}

void LoadedFilesCopy::cancel()
{
    m_cancelled = true;
}

void LoadedFilesCopy::onThread(void (LoadedFilesCopy::*work)(), void (LoadedFilesCopy::*then)())
{
    m_thread = QThread::create([this, work] { (this->*work)(); });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this, then] {
        m_thread->deleteLater();
        m_thread = nullptr;
        (this->*then)();
    });
    m_thread->start();
}

void LoadedFilesCopy::check()
{
    const int total = int(m_files.size());
    int done = 0;
    for (File &file : m_files) {
        if (m_cancelled)
            return;
        if (++done % ProgressStep == 0)
            Q_EMIT progressed(done, total);
        if (QFileInfo(file.from).absoluteFilePath() == QFileInfo(file.to).absoluteFilePath()) {
            file.step = File::Step::Carried; // published where it lies
            continue;
        }
        QString problem;
        std::optional<QByteArray> bytes = readLoadedFile(m_appletFiles, file.from, &problem);
        if (!bytes) {
            m_copied.problems.append(tr("%1: %2").arg(QDir::toNativeSeparators(file.from), problem));
            continue;
        }
        const bool there = QFileInfo::exists(file.to) || QFileInfo(file.to).isSymLink();
        if (there && regularFileContents(file.to) == *bytes) {
            file.step = File::Step::Carried;
            continue;
        }
        file.step = there ? File::Step::Ask : File::Step::Write;
        file.bytes = std::move(*bytes);
    }
}

void LoadedFilesCopy::ask()
{
    for (File &file : m_files) {
        if (m_cancelled)
            break;
        if (file.step == File::Step::Ask)
            file.step = m_overwrite(file.to) ? File::Step::Write : File::Step::Skip;
    }
    if (m_cancelled)
        end();
    else
        onThread(&LoadedFilesCopy::write, &LoadedFilesCopy::end);
}

void LoadedFilesCopy::write()
{
    const int total = int(m_files.size());
    int done = 0;
    QSet<QString> madeFolders; // files come many to a folder
    for (File &file : m_files) {
        if (m_cancelled)
            break;
        if (++done % ProgressStep == 0)
            Q_EMIT progressed(done, total);
        if (file.step == File::Step::Carried)
            ++m_copied.carried;
        if (file.step != File::Step::Write)
            continue;
        const QString folder = QFileInfo(file.to).absolutePath();
        const bool folderThere = madeFolders.contains(folder) || QDir().mkpath(folder);
        if (folderThere)
            madeFolders.insert(folder);
        const QString problem = folderThere ? writeFile(file.to, file.bytes)
                                            : tr("the folder cannot be made");
        file.bytes.clear();
        if (!problem.isEmpty())
            m_copied.problems.append(tr("%1: %2").arg(QDir::toNativeSeparators(file.to), problem));
        else
            ++m_copied.carried;
    }
    // Once for all the files written, not once for each.
    const int folder = ::open(QFile::encodeName(m_destination).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::syncfs(folder);
        ::close(folder);
    }
}

void LoadedFilesCopy::end()
{
    Q_EMIT finished(m_copied, m_cancelled);
}
