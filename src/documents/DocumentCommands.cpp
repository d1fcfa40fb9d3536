#include "DocumentCommands.h"

#include "FileDialog.h"
#include "TextFile.h"
#include "UserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DocumentCommands", text);
}

} // namespace

// The two filters differ: Save As has a blank on each side of every "|", which the
// dialog shows as part of the description and patterns.
const QString DocumentCommands::OpenFilter = QStringLiteral(
    "Java File (*.java)|*.java|Text File (*.txt)|*.txt");
const QString DocumentCommands::SaveAsFilter = QStringLiteral(
    "Java File (*.java) | *.java | Text File (*.txt) | *.txt");

DocumentCommands::DocumentCommands(QPlainTextEdit &pane, QString &fileName, FileDialog &dialog,
                                   UserMessages &messages, const QString &appFolder)
    : m_pane(pane)
    , m_fileName(fileName)
    , m_dialog(dialog)
    , m_messages(messages)
    , m_appFolder(appFolder)
    , m_lines(*pane.document())
{
}

void DocumentCommands::New()
{
    if (!maybeSave())
        return;
    // Neither reads nor writes default.java; the next Save writes over it.
    m_fileName = QDir(m_appFolder).filePath(QStringLiteral("default.java"));
    loadText(QString(), TextFormat{}, QByteArray());
}

void DocumentCommands::Open()
{
    if (!maybeSave())
        return;
    m_dialog.Filter = OpenFilter;
    m_dialog.DialogTitle.clear();
    if (!m_dialog.ShowOpen(window()))
        return;
    OpenFile(m_dialog.FileName);
}

void DocumentCommands::OpenFile(const QString &path)
{
    const LoadedText loaded = readTextFile(path);
    if (!loaded.error.isEmpty()) {
        m_messages.warning(window(), title(), loaded.error);
        return;
    }
    loadText(loaded.content.text, loaded.content.format, loaded.bytes);
    m_fileName = path;
    stampFile(path);
}

bool DocumentCommands::Save()
{
    if (m_fileName.isEmpty())
        return SaveAs();
    // Another program (or another Zarn) may have written the file meanwhile.
    if (!unchangedOnDisk(m_fileName)
        && !m_messages.askToOverwrite(
            window(), title(),
            tr("%1 changed on disk since it was opened. Overwrite it?").arg(documentName())))
        return false;
    return writeTo(m_fileName);
}

bool DocumentCommands::SaveAs()
{
    m_dialog.Filter = SaveAsFilter;
    m_dialog.DialogTitle.clear();
    if (!m_dialog.ShowSave(window()))
        return false;
    // The name as confirmed; the dialog adds the chosen filter's extension to a
    // name typed without one.
    const QString path = m_dialog.FileName;
    if (!writeTo(path))
        return false;
    m_fileName = path;
    return true;
}

bool DocumentCommands::maybeSave()
{
    if (!m_pane.document()->isModified())
        return true;
    return askToSave(tr("Save changes to %1?").arg(documentName()));
}

bool DocumentCommands::readyToCompile()
{
    if (m_fileName.isEmpty() || !QFileInfo::exists(m_fileName)) {
        m_messages.warning(window(), title(), tr("Save the document first"));
        return false;
    }
    if (!m_pane.document()->isModified())
        return true;
    return askToSave(tr("Save changes to %1 before compiling?").arg(documentName()));
}

bool DocumentCommands::askToSave(const QString &question)
{
    switch (m_messages.askToSave(window(), title(), question)) {
    case UserMessages::SaveAnswer::Save:
        return Save();
    case UserMessages::SaveAnswer::Discard:
        return true;
    case UserMessages::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool DocumentCommands::writeTo(const QString &path)
{
    // Unchanged lines go out as the file had them; otherwise the whole text is encoded.
    if (const std::optional<EncodedPieces> pieces = m_lines.encode(m_format))
        return written(path, writeTextFile(path, pieces->views()));

    const QString text = m_pane.document()->toRawText();
    TextFormat format = m_format;
    EncodedText encoded = encodeText(text, format);
    // A Latin-1 file that now holds characters beyond Latin-1 can only be kept whole as UTF-8.
    const bool widened = !encoded.lossless && format.encoding == TextEncoding::Latin1;
    if (widened) {
        format.encoding = TextEncoding::Utf8;
        encoded = encodeText(text, format);
    }
    if (!written(path, writeTextFile(path, encoded.bytes)))
        return false;
    m_format = format;
    m_lines.adopt(encoded.bytes, format);
    if (widened)
        m_messages.warning(window(), title(),
                           tr("%1 was read as Latin-1, which cannot hold some of the characters it now "
                              "contains, so it was saved as UTF-8.")
                               .arg(QDir::toNativeSeparators(path)));
    return true;
}

bool DocumentCommands::written(const QString &path, const QString &error)
{
    if (!error.isEmpty()) {
        m_messages.warning(window(), title(), error);
        return false;
    }
    m_pane.document()->setModified(false);
    stampFile(path);
    return true;
}

void DocumentCommands::stampFile(const QString &path)
{
    const QFileInfo file(path);
    m_stamp = {path, file.size(), file.lastModified(), QDateTime::currentDateTimeUtc(), std::nullopt};
    // A file system that keeps whole seconds cannot tell a write in the same second
    // from none: then the bytes will tell.
    if (m_stamp.modified.time().msec() == 0)
        m_stamp.fingerprint = fileFingerprint(path);
}

bool DocumentCommands::unchangedOnDisk(const QString &path) const
{
    const QFileInfo file(path);
    if (m_stamp.path != path || !file.exists())
        return true; // nothing known of it, or nothing there to lose
    if (file.size() != m_stamp.size || file.lastModified() != m_stamp.modified)
        return false;
    if (!m_stamp.fingerprint || m_stamp.modified.secsTo(m_stamp.taken) > 2)
        return true;
    const std::optional<size_t> now = fileFingerprint(path);
    return !now || *now == *m_stamp.fingerprint;
}

void DocumentCommands::loadText(const QString &text, const TextFormat &format, const QByteArray &bytes)
{
    m_pane.setPlainText(text);
    m_pane.document()->setModified(false);
    m_format = format;
    m_lines.adopt(bytes, format);
}

QString DocumentCommands::documentName() const
{
    return m_fileName.isEmpty() ? tr("Untitled") : QFileInfo(m_fileName).fileName();
}

QWidget *DocumentCommands::window() const
{
    return m_pane.window();
}

QString DocumentCommands::title() const
{
    return window()->windowTitle();
}
