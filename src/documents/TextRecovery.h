#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class Document;

// Unsaved text kept where a kill or a crash cannot take it: once typing has paused
// for two seconds, the text of a changed document goes to this Zarn's recovery file
// in recovery/ of the application folder (a folder only the user may enter). The
// file goes when the text is saved or discarded, or the window closes cleanly. A
// Zarn that starts finds the files of Zarns that ended without that, and offers
// their text back; the user's own file is never written by it.
//
// A file holds its writer (its process number and start, which no later process
// shares), the document's path as bytes, and every character of the text, blocks
// ending in LF.
class TextRecovery : public QObject
{
    Q_OBJECT

public:
    // Keeps the text of document, with the path it belongs to.
    TextRecovery(const Document &document, const QString &appFolder, QObject *parent = nullptr);

    static constexpr int PauseMs = 2000;

    // Keeps the text now, when it has changed since it was last saved.
    void keepNow();
    // Forgets the kept text: saved, discarded or closed.
    void forget();
    QString filePath() const { return m_path; }

    struct Left
    {
        QString recoveryFile;
        QString document; // the path the text belongs to; empty for an untitled one
        qint64 size = 0;  // of the recovery file
        qint64 textStart = 0;
        // The text, read now: only once the user has chosen it.
        QString text() const;
    };
    // The text left by the Zarn that ended last without saving or discarding it;
    // only what precedes the text is read.
    static std::optional<Left> leftBehind(const QString &appFolder);

private:
    const Document &m_document;
    QString m_path;
    QTimer m_pause;
};
