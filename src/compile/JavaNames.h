#pragma once

#include <QString>

// True when fileName (a name, not a path) is a Java name (see isJavaName) followed
// by ".java", as a source file must be named for its public class. Any other name
// would reach the compiler and the host page as something else than a class.
bool isJavaSourceName(const QString &fileName);

// True when word is a Java name: letters, digits, "_" and "$", not starting with a
// digit, and no keyword.
bool isJavaName(const QString &word);
// A character that may stand in a Java name.
bool isJavaNamePart(QChar c);
