#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Writes bytes to path; a benchmark that cannot set up its files ends.
inline void writeBenchFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The bytes of the file at path; a benchmark that cannot read its files ends.
inline QByteArray readBenchFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// Lays out an application folder in folder: temp/ with the marker files.
inline void makeAppFolder(const QString &folder)
{
    writeBenchFile(QDir(folder).filePath(QStringLiteral("temp/NotDone.txt")), "0\r\n");
    writeBenchFile(QDir(folder).filePath(QStringLiteral("temp/Done.txt")), "1\r\n");
    writeBenchFile(QDir(folder).filePath(QStringLiteral("temp/temp.txt")), "0\r\n");
}

// The resident memory of a process ("self" for this one) in KiB, or -1.
inline qint64 residentKb(const QString &process = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}
