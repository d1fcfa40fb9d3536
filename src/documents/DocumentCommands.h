#pragma once

#include "AppPaths.h"

#include <QString>

class Document;
class FileDialog;
class QPlainTextEdit;
class QWidget;
class UserMessages;

// New, Open, Save and Save As of the one document, the text of the editing pane.
// A failed load or save says why and leaves the text, the document's FileName and
// the file on disk as they were; unsaved changes are never dropped without the
// user's word.
class DocumentCommands
{
public:
    static const QString OpenFilter;
    static const QString SaveAsFilter;

    DocumentCommands(QPlainTextEdit &pane, Document &document, FileDialog &dialog, UserMessages &messages,
                     const AppPaths &paths);

    // Both return whether a new document was started, or a file opened.
    bool New();
    bool Open();
    // Loads the file at path as Open does once its dialog is answered: a file that
    // cannot be read is reported and changes nothing. False then.
    bool OpenFile(const QString &path);
    // A document of that name that has no file yet (zarn Fresh.java): empty, written
    // there on the first Save. Its folder must exist; else the user is told.
    bool StartNamed(const QString &path);
    // Both return whether the document was saved. A document started with New has
    // no name of its own yet: its Save is a Save As.
    bool Save();
    bool SaveAs();

    // Text a Zarn that ended without saving it left behind, for the document at
    // path: the file as it is on disk, then the text over it, unsaved, for the user
    // to decide whether it replaces the file. An empty path (or the place New puts
    // a document, where older Zarns named it) is a document started with New, and
    // stays without a name of its own.
    void Recover(const QString &path, const QString &text);

    // When the text changed since the last New, Open or save, asks whether to save
    // it. True when the caller may go on: nothing to save, saved, or discarded.
    bool maybeSave();
    // Before a compile, which reads the file on disk: a document that has no file
    // yet is refused with "Save the document first"; changed text is offered for
    // saving first (Don't Save compiles the file as last saved); a file that starts
    // with a byte-order mark, which javac cannot read, is offered for saving without
    // it. True when the compile may go on; else, when the user kept the mark, why
    // nothing compiles is in *kept.
    bool readyToCompile(QString *kept = nullptr);
    // Changed text is saved before a compile without the question.
    void setSaveBeforeCompile(bool save) { m_saveBeforeCompile = save; }

private:
    // The path Save As offers: the class the text declares, in the folder last used.
    QString suggestedPath() const;
    bool askToSave(const QString &question);
    bool saveWithoutMark(QString *kept);
    bool saveTo(const QString &path);
    QWidget *window() const;
    QString title() const;

    QPlainTextEdit &m_pane;
    Document &m_document;
    FileDialog &m_dialog;
    UserMessages &m_messages;
    const AppPaths m_paths;
    // Where Zarn was started: the first Save As of an unnamed document offers it.
    const QString m_startFolder;
    bool m_saveBeforeCompile = false;
};
