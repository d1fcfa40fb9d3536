#include "ApplicationFolder.h"

#include "AppPaths.h"
#include "InstallLayout.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The files of an application folder, relative to it, and what a fresh one holds
// when no installed copy can be found.
struct SeedFile
{
    QString name;
    const char *content;
};

bool isApplicationFolder(const QString &folder)
{
    const QFileInfo temp(AppPaths(folder).temp());
    return temp.isDir() && temp.isWritable() && QFileInfo(folder).isWritable();
}

void seed(const QString &folder, const QString &installedCopies)
{
    const SeedFile seeds[] = {
        {AppPaths::notDoneMarkerName(), "0\r\n"},
        {AppPaths::doneMarkerName(), "1\r\n"},
        {AppPaths::markerName(), "0\r\n"},
        {AppPaths::optionsName(), "4,2,\"\"\r\n"},
    };
    QDir(folder).mkpath(AppPaths::tempName());
    for (const SeedFile &file : seeds) {
        const QString target = QDir(folder).filePath(file.name);
        if (QFileInfo::exists(target))
            continue;
        const QString copy = QDir(installedCopies).filePath(file.name);
        if (QFile::copy(copy, target)) {
            // Installed files are read-only; the user's copies must not be.
            QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);
            continue;
        }
        qCInfo(logApp) << "no installed copy" << copy << ": a fresh" << target;
        QFile fresh(target);
        if (fresh.open(QIODevice::WriteOnly))
            fresh.write(file.content);
    }
}

} // namespace

QString chooseApplicationFolder(const QString &executableFolder, const QString &installedCopies,
                                const QString &userFolder)
{
    if (isApplicationFolder(executableFolder))
        return executableFolder;
    qCInfo(logApp) << "no writable temp/ beside the executable in" << executableFolder << ": using"
                   << userFolder;
    seed(userFolder, installedCopies);
    return userFolder;
}

QString applicationFolder()
{
    return chooseApplicationFolder(QCoreApplication::applicationDirPath(), installedDataFolder(),
                                   QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
