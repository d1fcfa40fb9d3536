#include "TextFile.h"

#include "AtomicFile.h"
#include "ErrorText.h"
#include "PathBytes.h"

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
    return tr("Could not open %1: %2.").arg(QDir::toNativeSeparators(readablePath(path)), reason);
}

} // namespace

LoadedText readTextFile(const QString &path)
{
    LoadedText loaded;
    const ReachablePath reach(path);
    const QFileInfo info(reach.path());
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

    QFile file(reach.path());
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.error = cannotOpen(path, asReason(file.errorString()));
        return loaded;
    }
    loaded.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.error = cannotOpen(path, asReason(file.errorString()));
        loaded.bytes.clear();
        return loaded;
    }
    loaded.content = decodeText(loaded.bytes);
    if (const QChar odd = firstUneditableCharacter(loaded.content.text); !odd.isNull()) {
        const QString code = QString::number(odd.unicode(), 16).toUpper();
        loaded.error = cannotOpen(path,
                                  tr("it holds the character U+%1, which the editor would change").arg(code));
        loaded.content = {};
        loaded.bytes.clear();
    }
    return loaded;
}

std::optional<size_t> fileFingerprint(const QString &path)
{
    const ReachablePath reach(path);
    QFile file(reach.path());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return qHash(file.readAll(), 0x5a52u);
}

QString writeTextFile(const QString &path, const QByteArray &bytes)
{
    return writeTextFile(path, std::vector<QByteArrayView>{bytes});
}

QString writeTextFile(const QString &path, const std::vector<QByteArrayView> &pieces)
{
    const QString reason = replaceFileAtomically(path, pieces);
    if (reason.isEmpty())
        return {};
    return tr("Could not save %1: %2.").arg(QDir::toNativeSeparators(readablePath(path)), reason);
}
