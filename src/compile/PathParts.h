#pragma once

#include <QString>

#include <optional>

// Splitting a path at its last separator, "/".

// The 0-based position of the last separator in path, or -1 when there is none.
qsizetype FindLastBackslash(const QString &path);

// The characters after the last separator: the whole path when there is none.
QString NamePart(const QString &path);

// The characters before the last separator, which is left out; nothing when the
// path has no separator. "/Clock.class" gives the empty folder part.
std::optional<QString> FolderPart(const QString &path);

// Whether two paths name the same file once made absolute (links are not resolved).
bool samePath(const QString &a, const QString &b);
