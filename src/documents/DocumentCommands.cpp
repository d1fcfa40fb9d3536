#include "DocumentCommands.h"

#include "Document.h"
#include "FileDialog.h"
#include "PathBytes.h"
#include "TextFile.h"
#include "UserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>

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

DocumentCommands::DocumentCommands(QPlainTextEdit &pane, Document &document, FileDialog &dialog,
                                   UserMessages &messages, const AppPaths &paths)
    : m_pane(pane)
    , m_document(document)
    , m_dialog(dialog)
    , m_messages(messages)
    , m_paths(paths)
    , m_startFolder(QDir::currentPath())
{
}

bool DocumentCommands::New()
{
    if (!maybeSave())
        return false;
    // Neither reads nor writes default.java: the first Save asks for a name.
    m_pane.setPlainText(QString());
    m_document.startUntitled(m_paths.defaultDocument());
    return true;
}

bool DocumentCommands::Open()
{
    if (!maybeSave())
        return false;
    if (!m_dialog.ShowOpen(window(), OpenFilter, QString()))
        return false;
    return OpenFile(m_dialog.FileName());
}

bool DocumentCommands::OpenFile(const QString &path)
{
    const LoadedText loaded = readTextFile(path);
    if (!loaded.error.isEmpty()) {
        m_messages.warning(window(), title(), loaded.error);
        return false;
    }
    // A class file or a picture shows as garbage: only when the user says so.
    if (loaded.bytes.contains('\0')
        && !m_messages.askToOpenBinary(window(), title(),
                                       tr("%1 does not look like text. Open it anyway?")
                                           .arg(QFileInfo(readablePath(path)).fileName())))
        return false;
    m_pane.setPlainText(loaded.content.text);
    m_document.opened(path, loaded.content.format, loaded.bytes);
    return true;
}

bool DocumentCommands::StartNamed(const QString &path)
{
    const QString absolute = absolutePathOf(path);
    const QString folder = folderOf(absolute);
    const ReachablePath reach(folder);
    if (!QFileInfo(reach.path()).isDir()) {
        m_messages.warning(window(), title(),
                           tr("%1 cannot be started: there is no folder %2.")
                               .arg(QFileInfo(readablePath(path)).fileName(),
                                    QDir::toNativeSeparators(readablePath(folder))));
        return false;
    }
    m_pane.setPlainText(QString());
    m_document.startNamed(absolute);
    return true;
}

bool DocumentCommands::Save()
{
    const QString path = m_document.FileName();
    if (path.isEmpty() || !m_document.hasOwnName())
        return SaveAs();
    if (m_document.isFresh() && pathExists(path)
        && !m_messages.askToOverwrite(window(), title(),
                                      tr("%1 is there already, and is not this document. Overwrite it?")
                                          .arg(QDir::toNativeSeparators(readablePath(path)))))
        return false;
    // Another program (or another Zarn) may have written the file meanwhile.
    if (!m_document.unchangedOnDisk()
        && !m_messages.askToOverwrite(
            window(), title(),
            tr("%1 changed on disk since it was opened. Overwrite it?").arg(m_document.displayName())))
        return false;
    return saveTo(path);
}

bool DocumentCommands::SaveAs()
{
    if (!m_dialog.ShowSave(window(), SaveAsFilter, QString(), suggestedPath()))
        return false;
    // The name as confirmed (the dialog asked before replacing a file of that
    // name); the dialog adds the chosen filter's extension to a name typed without one.
    return saveTo(m_dialog.FileName());
}

QString DocumentCommands::suggestedPath() const
{
    // The public class, else the first class, interface, enum or record.
    static const QRegularExpression publicType(QStringLiteral(
        R"(\bpublic\s+(?:(?:abstract|final|strictfp|sealed)\s+)*(?:class|interface|enum|record)\s+([A-Za-z_$][\w$]*))"));
    static const QRegularExpression anyType(
        QStringLiteral(R"(\b(?:class|interface|enum|record)\s+([A-Za-z_$][\w$]*))"));
    const QString text = m_pane.toPlainText();
    QString name = publicType.match(text).captured(1);
    if (name.isEmpty())
        name = anyType.match(text).captured(1);
    const QString current = m_document.hasOwnName() ? m_document.FileName() : QString();
    if (name.isEmpty())
        name = current.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(current).completeBaseName();
    // The folder last used in the dialog; else the document's own.
    const QString last = m_dialog.FileName();
    QString folder = last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = current.isEmpty() ? m_startFolder : QFileInfo(current).absolutePath();
    return QDir(folder).filePath(name + QStringLiteral(".java"));
}

bool DocumentCommands::maybeSave()
{
    if (!m_document.isModified())
        return true;
    return askToSave(tr("Save changes to %1?").arg(m_document.displayName()));
}

bool DocumentCommands::readyToCompile(QString *kept)
{
    // A document started with New has no file of its own, whatever default.java holds.
    if (m_document.FileName().isEmpty() || !m_document.hasOwnName() || !pathExists(m_document.FileName())) {
        m_messages.warning(window(), title(), tr("Save the document first"));
        return false;
    }
    // javac reads file names as UTF-8: it could not find this one.
    if (holdsRawBytes(m_document.FileName())) {
        m_messages.warning(window(), title(),
                           tr("%1 cannot be compiled: javac takes only file and folder names in UTF-8.")
                               .arg(QDir::toNativeSeparators(readablePath(m_document.FileName()))));
        return false;
    }
    // A page's mark is the browser's business; javac reads only sources.
    if (m_document.format().byteOrderMark
        && QFileInfo(m_document.FileName()).suffix() == QLatin1String("java"))
        return saveWithoutMark(kept);
    if (!m_document.isModified())
        return true;
    if (m_saveBeforeCompile)
        return Save();
    return askToSave(tr("Save changes to %1 before compiling?").arg(m_document.displayName()));
}

// One question covers the mark and any unsaved changes: both go with the save.
bool DocumentCommands::saveWithoutMark(QString *kept)
{
    const QString name = m_document.displayName();
    if (!m_messages.askToDropMark(window(), title(),
                                  tr("%1 starts with a byte-order mark, which javac cannot read. Save it "
                                     "without the mark and compile?")
                                      .arg(name))) {
        if (kept)
            *kept = tr("%1 starts with a byte-order mark, which javac cannot read: not compiled").arg(name);
        return false;
    }
    m_document.setByteOrderMark(false);
    if (Save())
        return true;
    m_document.setByteOrderMark(true); // still on disk
    return false;
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

bool DocumentCommands::saveTo(const QString &path)
{
    const Document::Saved saved = m_document.saveTo(path);
    if (!saved.error.isEmpty()) {
        m_messages.warning(window(), title(), saved.error);
        return false;
    }
    if (saved.widened)
        m_messages.warning(window(), title(),
                           tr("%1 was read as Latin-1, which cannot hold some of the characters it now "
                              "contains, so it was saved as UTF-8.")
                               .arg(QDir::toNativeSeparators(path)));
    return true;
}

void DocumentCommands::Recover(const QString &path, const QString &text)
{
    if (path.isEmpty() || path == m_paths.defaultDocument()) {
        m_pane.setPlainText(QString());
        m_document.startUntitled(m_paths.defaultDocument());
    } else if (!pathExists(path) || !OpenFile(path)) {
        // Gone from disk (or unreadable): the text is all there is, under its name.
        m_pane.setPlainText(QString());
        m_document.startNamed(path);
    }
    m_pane.selectAll();
    m_pane.insertPlainText(text);
    m_document.setModified(true);
}

QWidget *DocumentCommands::window() const
{
    return m_pane.window();
}

QString DocumentCommands::title() const
{
    return window()->windowTitle();
}
