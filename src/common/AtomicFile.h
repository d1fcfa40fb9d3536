#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, atomically: either the whole new content
// is in place, or the old file is left exactly as it was. Returns an empty text on
// success, otherwise the reason, worded to follow a colon.
QString replaceFileAtomically(const QString &path, const QByteArray &bytes);
