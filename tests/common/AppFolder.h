#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh application folder as the build lays it out: temp/ with the two marker
// sources and the marker at 0.
class AppFolder
{
public:
    AppFolder()
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("temp"));
        write(QStringLiteral("temp/NotDone.txt"), "0\r\n");
        write(QStringLiteral("temp/Done.txt"), "1\r\n");
        write(QStringLiteral("temp/temp.txt"), "0\r\n");
    }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

    QByteArray read(const QString &name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};
