#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// Replaces the file at path with bytes, atomically: either the whole new content
// is in place, or the old file is left exactly as it was. Only a regular file is
// replaced (through a link, the file it names), with its owner, group and mode
// kept; a file with other hard links, or in a folder where no new file can be
// made, is written in place once the bytes are ready. Returns an empty text on
// success, otherwise the reason (the system's own), worded to follow a colon.
QString replaceFileAtomically(const QString &path, const QByteArray &bytes);
// The same for content given as pieces, written one after the other.
QString replaceFileAtomically(const QString &path, const std::vector<QByteArrayView> &pieces);
