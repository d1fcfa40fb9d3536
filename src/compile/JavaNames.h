#pragma once

#include <QString>

// True when fileName (a name, not a path) is a Java class name followed by ".java",
// as a source file must be named for its public class: letters, digits, "_" and
// "$", not starting with a digit, and no keyword. Any other name would reach the
// compiler and the host page as something else than a class.
bool isJavaSourceName(const QString &fileName);
