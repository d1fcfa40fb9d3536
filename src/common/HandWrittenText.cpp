#include "HandWrittenText.h"

#include <QFile>

QString readHandWrittenText(const QString &path)
{
    constexpr qint64 MaxReadBytes = 4 * 1024 * 1024;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > MaxReadBytes)
        return {};
    return QString::fromUtf8(file.readAll());
}
