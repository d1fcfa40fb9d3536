#include "TextFile.h"

#include "AtomicFile.h"
#include "ErrorText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TextFile", text);
}

QString cannotOpen(const QString &path, const QString &reason)
{
    return tr("Could not open %1: %2.").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

LoadedText readTextFile(const QString &path)
{
    LoadedText loaded;
    const QFileInfo info(path);
    if (!info.exists()) {
        loaded.error = cannotOpen(path, tr("there is no such file"));
        return loaded;
    }
    if (info.isDir()) {
        loaded.error = cannotOpen(path, tr("it is a folder, not a file"));
        return loaded;
    }
    if (!info.isFile()) {
        loaded.error = cannotOpen(path, tr("it is not a regular file"));
        return loaded;
    }
    if (info.size() > MaxTextFileBytes) {
        loaded.error = cannotOpen(
            path, tr("it is larger than the %1 MB the editor takes").arg(MaxTextFileBytes / (1024 * 1024)));
        return loaded;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.error = cannotOpen(path, asReason(file.errorString()));
        return loaded;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.error = cannotOpen(path, asReason(file.errorString()));
        return loaded;
    }
    loaded.fingerprint = bytesFingerprint(bytes);

    loaded.content = decodeText(bytes);
    if (const QChar odd = firstUneditableCharacter(loaded.content.text); !odd.isNull()) {
        const QString code = QString::number(odd.unicode(), 16).toUpper();
        loaded.error = cannotOpen(path,
                                  tr("it holds the character U+%1, which the editor would change").arg(code));
        loaded.content = {};
    }
    return loaded;
}

size_t bytesFingerprint(const QByteArray &bytes)
{
    return qHash(bytes, 0x5a52u);
}

QString writeTextFile(const QString &path, const QByteArray &bytes)
{
    const QString reason = replaceFileAtomically(path, bytes);
    if (reason.isEmpty())
        return {};
    return tr("Could not save %1: %2.").arg(QDir::toNativeSeparators(path), reason);
}
