#include "AtomicFile.h"

#include "ErrorText.h"
#include "LogCategories.h"
#include "PathBytes.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AtomicFile", text);
}

// Qt says "Unknown error" where the system said why (a full disk): the system's words.
QString reasonOf(const QFileDevice &file, int systemError)
{
    const QString said = file.errorString();
    if ((said.isEmpty() || said.contains(QLatin1String("Unknown error"), Qt::CaseInsensitive))
        && systemError != 0)
        return asReason(qt_error_string(systemError));
    return asReason(said);
}

// A file with more hard links than one: replacing it would part it from the others,
// so it is written in place.
bool hasOtherLinks(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && status.st_nlink > 1;
}

// Writes the pieces a megabyte at a time. Each megabyte is handed to the disk as
// soon as it is written, so that the sync of a commit has little left to
// wait for.
bool writePieces(QFileDevice &file, const std::vector<QByteArrayView> &pieces)
{
    constexpr qsizetype Slice = qsizetype(1) << 20;
    qint64 written = 0;
    qint64 handedOver = 0;
    for (QByteArrayView rest : pieces) {
        while (!rest.isEmpty()) {
            const QByteArrayView slice = rest.first(std::min(rest.size(), Slice));
            if (file.write(slice.data(), slice.size()) != slice.size())
                return false;
            written += slice.size();
            rest = rest.sliced(slice.size());
            if (written - handedOver < Slice)
                continue;
            if (!file.flush())
                return false;
            ::sync_file_range(file.handle(), handedOver, written - handedOver, SYNC_FILE_RANGE_WRITE);
            handedOver = written;
        }
    }
    return file.flush();
}

QString writeInPlace(const QString &path, const std::vector<QByteArrayView> &pieces)
{
    QFile file(path);
    errno = 0;
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && writePieces(file, pieces))
        return {};
    return reasonOf(file, errno);
}

} // namespace

QString replaceFileAtomically(const QString &path, const QByteArray &bytes)
{
    return replaceFileAtomically(path, std::vector<QByteArrayView>{bytes});
}

namespace {

QString replaceQtNamedFile(const QString &path, const std::vector<QByteArrayView> &pieces)
{
    // A link is followed to what it names; only a regular file is ever replaced (a
    // device or a pipe would be turned into a file).
    const QFileInfo target(QFileInfo(path).isSymLink() ? QFileInfo(path).symLinkTarget() : path);
    if (target.exists() && !target.isFile())
        return tr("it is not a regular file");
    if (target.exists() && hasOtherLinks(target.filePath())) {
        qCInfo(logCommon) << target.filePath() << "has other hard links: written in place";
        return writeInPlace(target.filePath(), pieces);
    }

    struct stat before = {};
    const bool existed = ::stat(QFile::encodeName(target.filePath()).constData(), &before) == 0;
    QSaveFile file(path);
    // Where no new file can be made beside it, the file is written in place.
    file.setDirectWriteFallback(true);
    errno = 0;
    // QSaveFile::commit() does not notice a write that fails while its buffer is
    // flushed (a full disk) and would put the truncated file in place; flush first.
    if (!file.open(QIODevice::WriteOnly) || !writePieces(file, pieces)) {
        // Read before cancelling: cancelWriting() puts its own words in place.
        const QString reason = reasonOf(file, errno);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return reasonOf(file, errno);
    // The new file is the saver's (root's, when root saves): give it back its owner.
    if (existed) {
        const QByteArray name = QFile::encodeName(target.filePath());
        [[maybe_unused]] const int owned = ::chown(name.constData(), before.st_uid, before.st_gid);
        ::chmod(name.constData(), before.st_mode & 07777);
    }
    return {};
}

// A name Qt cannot spell (bytes that are not UTF-8): the content goes in place under
// one it can, in the same folder (reached through a handle), and is renamed over it.
QString replaceRawNamedFile(const QString &path, const std::vector<QByteArrayView> &pieces)
{
    const QByteArray bytes = pathToBytes(path);
    const qsizetype slash = bytes.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : bytes.left(slash);
    const QByteArray name = bytes.mid(slash + 1);
    const int dir = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return asReason(qt_error_string(errno));
    const QByteArray standIn = ".zarn-" + QByteArray::number(QCoreApplication::applicationPid()) + ".new";
    struct stat before = {};
    const bool existed = ::fstatat(dir, name.constData(), &before, 0) == 0;
    QString problem;
    if (existed && !S_ISREG(before.st_mode))
        problem = tr("it is not a regular file");
    if (problem.isEmpty())
        problem = replaceQtNamedFile(
            QStringLiteral("/proc/self/fd/%1/").arg(dir) + QString::fromLatin1(standIn), pieces);
    if (problem.isEmpty()) {
        if (existed) {
            [[maybe_unused]] const int owned = ::fchownat(dir, standIn.constData(), before.st_uid,
                                                          before.st_gid, 0);
            ::fchmodat(dir, standIn.constData(), before.st_mode & 07777, 0);
        }
        if (::renameat(dir, standIn.constData(), dir, name.constData()) != 0) {
            problem = asReason(qt_error_string(errno));
            ::unlinkat(dir, standIn.constData(), 0);
        }
    }
    ::close(dir);
    return problem;
}

} // namespace

QString replaceFileAtomically(const QString &path, const std::vector<QByteArrayView> &pieces)
{
    return holdsRawBytes(path) ? replaceRawNamedFile(path, pieces) : replaceQtNamedFile(path, pieces);
}
