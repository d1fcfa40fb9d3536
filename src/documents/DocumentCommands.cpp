#include "DocumentCommands.h"

#include "Document.h"
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

DocumentCommands::DocumentCommands(QPlainTextEdit &pane, Document &document, FileDialog &dialog,
                                   UserMessages &messages, const QString &appFolder)
    : m_pane(pane)
    , m_document(document)
    , m_dialog(dialog)
    , m_messages(messages)
    , m_appFolder(appFolder)
{
}

void DocumentCommands::New()
{
    if (!maybeSave())
        return;
    // Neither reads nor writes default.java; the next Save writes over it.
    m_pane.setPlainText(QString());
    m_document.startNew(QDir(m_appFolder).filePath(QStringLiteral("default.java")));
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
    m_pane.setPlainText(loaded.content.text);
    m_document.opened(path, loaded.content.format, loaded.bytes);
}

bool DocumentCommands::Save()
{
    const QString path = m_document.FileName();
    if (path.isEmpty())
        return SaveAs();
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
    m_dialog.Filter = SaveAsFilter;
    m_dialog.DialogTitle.clear();
    if (!m_dialog.ShowSave(window()))
        return false;
    // The name as confirmed; the dialog adds the chosen filter's extension to a
    // name typed without one.
    return saveTo(m_dialog.FileName);
}

bool DocumentCommands::maybeSave()
{
    if (!m_document.isModified())
        return true;
    return askToSave(tr("Save changes to %1?").arg(m_document.displayName()));
}

bool DocumentCommands::readyToCompile()
{
    if (m_document.FileName().isEmpty() || !QFileInfo::exists(m_document.FileName())) {
        m_messages.warning(window(), title(), tr("Save the document first"));
        return false;
    }
    if (!m_document.isModified())
        return true;
    return askToSave(tr("Save changes to %1 before compiling?").arg(m_document.displayName()));
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

QWidget *DocumentCommands::window() const
{
    return m_pane.window();
}

QString DocumentCommands::title() const
{
    return window()->windowTitle();
}
