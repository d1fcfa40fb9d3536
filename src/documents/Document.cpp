#include "Document.h"

#include "LogCategories.h"
#include "PathBytes.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextDocument>

Document::Document(QTextDocument &text, QObject *parent)
    : QObject(parent)
    , m_text(text)
    , m_lines(text)
{
}

void Document::setFileName(const QString &path)
{
    m_hasOwnName = !path.isEmpty();
    m_fresh = false;
    if (path == m_fileName)
        return;
    m_fileName = path;
    Q_EMIT fileNameChanged(path);
}

QString Document::displayName() const
{
    return m_fileName.isEmpty() ? QCoreApplication::translate("Document", "Untitled")
                                : QFileInfo(readablePath(m_fileName)).fileName();
}

bool Document::isModified() const
{
    return m_text.isModified();
}

void Document::setModified(bool modified)
{
    m_text.setModified(modified);
}

void Document::start(const QString &path)
{
    m_text.setModified(false);
    m_format = TextFormat{};
    m_lines.adopt(QByteArray(), m_format);
    m_stamp = {};
    setFileName(path);
}

void Document::startUntitled(const QString &defaultPath)
{
    start(defaultPath);
    m_hasOwnName = false;
}

void Document::startNamed(const QString &path)
{
    start(path);
    m_fresh = true;
}

void Document::opened(const QString &path, const TextFormat &format, const QByteArray &bytes)
{
    m_text.setModified(false);
    m_format = format;
    m_lines.adopt(bytes, format);
    stamp(path);
    setFileName(path);
}

Document::Saved Document::saveTo(const QString &path)
{
    Saved saved;
    // Unchanged lines go out as the file had them; otherwise the whole text is encoded.
    if (const std::optional<EncodedPieces> pieces = m_lines.encode(m_format)) {
        saved.error = writeTextFile(path, pieces->views());
        if (!saved.error.isEmpty())
            return saved;
    } else {
        const QString text = m_text.toRawText();
        TextFormat format = m_format;
        EncodedText encoded = encodeText(text, format);
        // A Latin-1 file that now holds characters beyond Latin-1 can only be kept whole as UTF-8.
        const bool widened = !encoded.lossless && format.encoding == TextEncoding::Latin1;
        if (widened) {
            format.encoding = TextEncoding::Utf8;
            encoded = encodeText(text, format);
        }
        saved.error = writeTextFile(path, encoded.bytes);
        if (!saved.error.isEmpty())
            return saved;
        if (widened)
            qCInfo(logDocuments) << path << "was read as Latin-1 and is now written as UTF-8";
        saved.widened = widened;
        m_format = format;
        m_lines.adopt(encoded.bytes, format);
    }
    m_text.setModified(false);
    stamp(path);
    setFileName(path);
    return saved;
}

void Document::stamp(const QString &path)
{
    const ReachablePath reach(path);
    const QFileInfo file(reach.path());
    m_stamp = {path, file.size(), file.lastModified(), QDateTime::currentDateTimeUtc(), std::nullopt};
    // A file system that keeps whole seconds cannot tell a write in the same second
    // from none: then the bytes will tell.
    if (m_stamp.modified.time().msec() == 0)
        m_stamp.fingerprint = fileFingerprint(path);
}

bool Document::unchangedOnDisk() const
{
    const QString &path = m_fileName;
    const ReachablePath reach(path);
    const QFileInfo file(reach.path());
    if (m_stamp.path != path || !file.exists())
        return true; // nothing known of it, or nothing there to lose
    if (file.size() != m_stamp.size || file.lastModified() != m_stamp.modified)
        return false;
    if (!m_stamp.fingerprint || m_stamp.modified.secsTo(m_stamp.taken) > 2)
        return true;
    const std::optional<size_t> now = fileFingerprint(path);
    return !now || *now == *m_stamp.fingerprint;
}
