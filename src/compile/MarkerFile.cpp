#include "MarkerFile.h"

#include "AtomicFile.h"

#include <QFile>

std::optional<int> readMarker(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = file.read(64);
    qsizetype end = 0;
    while (end < line.size() && line.at(end) != ',' && line.at(end) != '\r' && line.at(end) != '\n')
        ++end;
    bool ok = false;
    const int value = line.left(end).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString resetMarker(const QString &path)
{
    return replaceFileAtomically(path, QByteArrayLiteral("0\r\n"));
}
