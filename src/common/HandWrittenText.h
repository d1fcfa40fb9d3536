#pragma once

#include <QString>

// The text of a file an author writes by hand (a Java source, an HTML page), read
// as UTF-8; empty when it cannot be read or is larger than any such file, 4 MB.
QString readHandWrittenText(const QString &path);
