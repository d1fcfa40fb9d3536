#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A file name or path is bytes; Qt's own conversions lose those that are not UTF-8
// (and Qt's file classes cannot reach such a file). These carry every byte: valid
// UTF-8 becomes its characters, and each byte of an invalid sequence becomes one
// of the lone surrogates U+DC80 to U+DCFF, which valid UTF-8 never yields; turned
// back, each such surrogate is its byte again.
QString pathFromBytes(QByteArrayView bytes);
QByteArray pathToBytes(QStringView path);

// The path holds bytes that are not UTF-8 (Qt's file classes cannot reach it).
bool holdsRawBytes(QStringView path);

// The path for messages and titles: each byte that is not UTF-8 shows as U+FFFD.
QString readablePath(const QString &path);

// Where Qt's file classes can reach the file at path: path itself, or for a path
// that holds raw bytes, /proc/self/fd/N of a handle kept open while this lives.
// A missing file gives a path that does not exist.
class ReachablePath
{
public:
    explicit ReachablePath(const QString &path);
    ~ReachablePath();
    ReachablePath(const ReachablePath &) = delete;
    ReachablePath &operator=(const ReachablePath &) = delete;

    const QString &path() const { return m_path; }

private:
    QString m_path;
    int m_handle = -1;
};

// The path made absolute against the working folder, and its folder; by the text
// alone (QFileInfo would lose the raw bytes).
QString absolutePathOf(const QString &path);
QString folderOf(const QString &absolutePath);

// Whether a file (or folder, or anything) is at path; any bytes.
bool pathExists(const QString &path);
