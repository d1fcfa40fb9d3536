#include "WorkspaceSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString Resizable = QStringLiteral("workspace/resizable");
const QString CaptionShowsFile = QStringLiteral("workspace/captionShowsFile");
const QString ViewerFitsApplet = QStringLiteral("workspace/viewerFitsApplet");
const QString SaveBeforeCompile = QStringLiteral("workspace/saveBeforeCompile");
const QString CheckWhileTyping = QStringLiteral("workspace/checkWhileTyping");
const QString RecentFiles = QStringLiteral("recent/files");
const QString WindowGeometry = QStringLiteral("window/geometry");

bool reads(const QSettings &file, const QString &key, const QString &word)
{
    return file.value(key).toString().trimmed().compare(word, Qt::CaseInsensitive) == 0;
}

bool isOn(const QSettings &file, const QString &key)
{
    return reads(file, key, QStringLiteral("true"));
}

// Only a regular file is read: a FIFO or a device named so never blocks the start.
bool readable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

template <typename Write> QString writeTo(const QString &path, Write write)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QCoreApplication::translate("WorkspaceSettings", "%1 is not a file: the workspace settings "
                                                                "were not stored.")
            .arg(QDir::toNativeSeparators(path));
    QSettings file(path, QSettings::IniFormat);
    write(file);
    file.sync();
    if (file.status() == QSettings::NoError)
        return {};
    return QCoreApplication::translate("WorkspaceSettings",
                                       "The workspace settings could not be stored in %1.")
        .arg(QDir::toNativeSeparators(path));
}

QVariant readValue(const QString &path, const QString &key)
{
    if (!readable(path))
        return {};
    return QSettings(path, QSettings::IniFormat).value(key);
}

QString writeValue(const QString &path, const QString &key, const QVariant &value)
{
    return writeTo(path, [&key, &value](QSettings &file) { file.setValue(key, value); });
}

} // namespace

WorkspaceSettings readWorkspaceSettings(const QString &path)
{
    if (!readable(path))
        return {};
    const QSettings file(path, QSettings::IniFormat);
    return {isOn(file, Resizable), isOn(file, CaptionShowsFile), isOn(file, ViewerFitsApplet),
            isOn(file, SaveBeforeCompile), !reads(file, CheckWhileTyping, QStringLiteral("false"))};
}

QString writeWorkspaceSettings(const QString &path, const WorkspaceSettings &settings)
{
    return writeTo(path, [&settings](QSettings &file) {
        const auto text = [](bool on) {
            return on ? QStringLiteral("true") : QStringLiteral("false");
        };
        file.setValue(Resizable, text(settings.resizable));
        file.setValue(CaptionShowsFile, text(settings.captionShowsFile));
        file.setValue(ViewerFitsApplet, text(settings.viewerFitsApplet));
        file.setValue(SaveBeforeCompile, text(settings.saveBeforeCompile));
        file.setValue(CheckWhileTyping, text(settings.checkWhileTyping));
    });
}

QStringList readRecentFiles(const QString &path)
{
    return readValue(path, RecentFiles).toStringList();
}

QString writeRecentFiles(const QString &path, const QStringList &files)
{
    return writeValue(path, RecentFiles, files);
}

QByteArray readWindowGeometry(const QString &path)
{
    return readValue(path, WindowGeometry).toByteArray();
}

QString writeWindowGeometry(const QString &path, const QByteArray &geometry)
{
    return writeValue(path, WindowGeometry, geometry);
}
