#include "Version.h"

QString zarnVersion()
{
    return QStringLiteral(ZARN_VERSION);
}

QString zarnCaptionVersion()
{
    return QStringLiteral("V%1.%2%3").arg(ZARN_VERSION_MAJOR).arg(ZARN_VERSION_MINOR).arg(ZARN_VERSION_PATCH);
}
