#pragma once

#include "EncodedLines.h"
#include "TextFileCodec.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

class QTextDocument;

// The one open document: its text, the path of its file (FileName), how that file
// is written (its format), what the file on disk was when it was last read or
// written (its stamp), and whether the text changed since (the modified state of
// the text). Whoever changes the path goes through here, and fileNameChanged says
// so; the commands, the compile and the recovery read it from here.
class Document : public QObject
{
    Q_OBJECT

public:
    // text is the editing pane's text.
    explicit Document(QTextDocument &text, QObject *parent = nullptr);

    // Full path of the document's file; empty until New, Open or Save As names one.
    const QString &FileName() const { return m_fileName; }
    // Names the document's file: its own name from now on.
    void setFileName(const QString &path);
    // False for a document started with New: its FileName is only where New puts
    // it, and its first Save asks for a name.
    bool hasOwnName() const { return m_hasOwnName; }
    // Named, but not read from or written to its file yet: a file that appears
    // there meanwhile is not the document's.
    bool isFresh() const { return m_fresh; }
    // The file's name for messages ("Clock.java"); "Untitled" while there is none.
    QString displayName() const;

    QTextDocument &text() const { return m_text; }
    // The text changed since it was last opened, started or saved.
    bool isModified() const;
    void setModified(bool modified);

    // How the document is written: as its file was read, or UTF-8 with LF when new.
    const TextFormat &format() const { return m_format; }
    // Whether the next save writes a byte-order mark (UTF-8 only).
    void setByteOrderMark(bool mark) { m_format.byteOrderMark = mark; }

    // The text now in the pane is a new document without a name of its own;
    // defaultPath is its FileName until it is saved under a name the user gives.
    void startUntitled(const QString &defaultPath);
    // The text now in the pane is a new document, to be saved at path; nothing is
    // known of a file there.
    void startNamed(const QString &path);
    // The text now in the pane was read from the file at path, whose bytes were
    // bytes, in format.
    void opened(const QString &path, const TextFormat &format, const QByteArray &bytes);

    struct Saved
    {
        QString error;        // empty when the file was written
        bool widened = false; // a Latin-1 file had to become UTF-8 to keep every character
    };
    // Writes the text to path, unchanged lines as the file had them. Once written,
    // path is the FileName, the document's own, and the text is unmodified; a
    // failure changes nothing.
    Saved saveTo(const QString &path);

    // False when another program (or another Zarn) changed the file at FileName
    // since this document read or wrote it; true when nothing is known of it, or
    // nothing is there to lose.
    bool unchangedOnDisk() const;

Q_SIGNALS:
    void fileNameChanged(const QString &path);

private:
    void stamp(const QString &path);

    void start(const QString &path);

    QTextDocument &m_text;
    QString m_fileName;
    bool m_hasOwnName = false;
    bool m_fresh = false;
    TextFormat m_format;
    EncodedLines m_lines;

    // The file as it was opened or last saved, to tell whether another program
    // changed it since.
    struct DiskStamp
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QDateTime taken;
        std::optional<size_t> fingerprint; // where time stamps are whole seconds
    };
    DiskStamp m_stamp;
};
