#include "HostPage.h"

#include "AtomicFile.h"

QByteArray hostPageText(const QString &codeValue)
{
    return QByteArrayLiteral("<html>\n<body>\n<div align = center>\n<applet code = ") + codeValue.toUtf8()
           + QByteArrayLiteral(">\n</applet>\n</div>\n</body>\n</html>\n");
}

QString WriteHostPage(const QString &codeValue, const QString &targetPath)
{
    return replaceFileAtomically(targetPath, hostPageText(codeValue));
}
