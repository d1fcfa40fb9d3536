#pragma once

#include <QByteArray>
#include <QString>

// The page through which the applet viewer (or a browser) runs an applet: eight
// lines, each ending in LF, naming the class by the code value, unquoted.
QByteArray hostPageText(const QString &codeValue);

// Writes the host page to targetPath, replacing any file there. Empty text on
// success, otherwise the reason.
QString WriteHostPage(const QString &codeValue, const QString &targetPath);
