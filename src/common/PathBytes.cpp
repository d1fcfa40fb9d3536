#include "PathBytes.h"

#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t RawByteBase = 0xDC00;

bool isRawByte(char16_t c)
{
    return c >= RawByteBase + 0x80 && c <= RawByteBase + 0xFF;
}

// The length of the valid UTF-8 sequence at the start of bytes, or 0.
qsizetype validSequence(QByteArrayView bytes)
{
    const auto byte = [&](qsizetype i) {
        return i < bytes.size() ? uchar(bytes[i]) : 0u;
    };
    const uint lead = byte(0);
    const auto continues = [&](qsizetype i) {
        return (byte(i) & 0xC0) == 0x80;
    };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continues(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint second = byte(1);
        // No overlong forms, no surrogates.
        const bool fits = lead == 0xE0 ? second >= 0xA0 : lead == 0xED ? second < 0xA0 : true;
        return fits && continues(1) && continues(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint second = byte(1);
        // Nothing overlong, nothing beyond U+10FFFF.
        const bool fits = lead == 0xF0 ? second >= 0x90 : lead == 0xF4 ? second < 0x90 : true;
        return fits && continues(1) && continues(2) && continues(3) ? 4 : 0;
    }
    return 0;
}

} // namespace

QString pathFromBytes(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    qsizetype valid = 0; // start of the valid run not yet decoded
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = validSequence(bytes.sliced(i));
        if (length > 0) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(bytes.sliced(valid, i - valid));
        path += QChar(char16_t(RawByteBase + uchar(bytes[i])));
        valid = ++i;
    }
    path += QString::fromUtf8(bytes.sliced(valid));
    return path;
}

QByteArray pathToBytes(QStringView path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype plain = 0; // start of the run without raw bytes
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isRawByte(path[i].unicode()))
            continue;
        bytes += path.sliced(plain, i - plain).toUtf8();
        bytes += char(path[i].unicode() - RawByteBase);
        plain = i + 1;
    }
    bytes += path.sliced(plain).toUtf8();
    return bytes;
}

bool holdsRawBytes(QStringView path)
{
    for (const QChar c : path)
        if (isRawByte(c.unicode()))
            return true;
    return false;
}

QString readablePath(const QString &path)
{
    QString readable = path;
    for (QChar &c : readable)
        if (isRawByte(c.unicode()))
            c = QChar::ReplacementCharacter;
    return readable;
}

ReachablePath::ReachablePath(const QString &path)
    : m_path(path)
{
    if (!holdsRawBytes(path))
        return;
    // A handle to the name only (O_PATH): it neither reads nor blocks on a pipe.
    m_handle = ::open(pathToBytes(path).constData(), O_PATH | O_CLOEXEC);
    m_path = m_handle < 0 ? QStringLiteral("/proc/self/fd/-1/missing")
                          : QStringLiteral("/proc/self/fd/%1").arg(m_handle);
}

ReachablePath::~ReachablePath()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

QString absolutePathOf(const QString &path)
{
    return QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path
                                                             : QDir::currentPath() + QLatin1Char('/') + path);
}

QString folderOf(const QString &absolutePath)
{
    const qsizetype slash = absolutePath.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : absolutePath.left(slash);
}

bool pathExists(const QString &path)
{
    struct stat status = {};
    return !path.isEmpty() && ::stat(pathToBytes(path).constData(), &status) == 0;
}
