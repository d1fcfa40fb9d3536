#pragma once

#include <QString>

#include <optional>

// The marker file temp/temp.txt: its first field is 1 once the compile script has
// finished, anything else while it runs, and 0 between compiles.

// The first field as a number, or nothing when the file is missing, empty or
// holds no number there (for instance while the script is replacing it).
std::optional<int> readMarker(const QString &path);

// Puts the single field 0 (then CR LF) into the marker. Empty text on success,
// otherwise the reason.
QString resetMarker(const QString &path);
