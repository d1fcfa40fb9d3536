#pragma once

#include <QString>

// Qt's error strings ("No such file or directory.") as the reason after a colon in
// a sentence of ours: first letter in lower case, no final stop.
inline QString asReason(QString error)
{
    if (error.endsWith(QLatin1Char('.')))
        error.chop(1);
    if (!error.isEmpty())
        error[0] = error[0].toLower();
    return error;
}
