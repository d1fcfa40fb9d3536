#include "AtomicFile.h"

#include "ErrorText.h"

#include <QSaveFile>

QString replaceFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // QSaveFile::commit() does not notice a write that fails while its buffer is
    // flushed (a full disk) and would put the truncated file in place; flush first.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return {};
    return asReason(file.errorString());
}
