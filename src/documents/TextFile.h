#pragma once

#include "TextFileCodec.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A text file read whole for the editor, or the reason it could not be.
struct LoadedText
{
    DecodedText content;
    QByteArray bytes; // as read
    QString error;    // empty on success; otherwise a sentence for the user
};

// A quick fingerprint of the bytes of the file at path, to tell whether another
// program changed it; nothing when it cannot be read.
std::optional<size_t> fileFingerprint(const QString &path);

// The largest file the editor takes; larger ones are refused rather than left to
// exhaust memory.
constexpr qint64 MaxTextFileBytes = qint64(256) * 1024 * 1024;

// Reads and decodes the file at path. Never blocks on a FIFO or device and refuses
// what the editing pane could not hold unchanged.
LoadedText readTextFile(const QString &path);

// Replaces the file at path with bytes atomically: a failed write leaves the old
// file as it was. Returns an empty text on success, otherwise the reason.
QString writeTextFile(const QString &path, const QByteArray &bytes);
QString writeTextFile(const QString &path, const std::vector<QByteArrayView> &pieces);
