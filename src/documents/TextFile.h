#pragma once

#include "TextFileCodec.h"

#include <QString>

// A text file read whole for the editor, or the reason it could not be.
struct LoadedText
{
    DecodedText content;
    QString error;          // empty on success; otherwise a sentence for the user
    size_t fingerprint = 0; // of the bytes read (see bytesFingerprint)
};

// A quick fingerprint of a file's bytes, to tell whether another program changed it.
size_t bytesFingerprint(const QByteArray &bytes);

// The largest file the editor takes; larger ones are refused rather than left to
// exhaust memory.
constexpr qint64 MaxTextFileBytes = qint64(256) * 1024 * 1024;

// Reads and decodes the file at path. Never blocks on a FIFO or device and refuses
// what the editing pane could not hold unchanged.
LoadedText readTextFile(const QString &path);

// Replaces the file at path with bytes atomically: a failed write leaves the old
// file as it was. Returns an empty text on success, otherwise the reason.
QString writeTextFile(const QString &path, const QByteArray &bytes);
