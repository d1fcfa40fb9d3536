#pragma once

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

// Every file below folder, with its size and time, to see that nothing was written.
inline QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator found(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (found.hasNext()) {
        const QFileInfo file(found.next());
        files << file.filePath() + QLatin1Char(' ') + QString::number(file.size()) + QLatin1Char(' ')
                     + file.lastModified().toString(Qt::ISODateWithMs);
    }
    files.sort();
    return files;
}

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
