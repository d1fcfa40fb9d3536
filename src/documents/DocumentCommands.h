#pragma once

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
                     const QString &appFolder);

    void New();
    void Open();
    // Loads the file at path as Open does once its dialog is answered: a file that
    // cannot be read is reported and changes nothing.
    void OpenFile(const QString &path);
    // Both return whether the document was saved.
    bool Save();
    bool SaveAs();

    // When the text changed since the last New, Open or save, asks whether to save
    // it. True when the caller may go on: nothing to save, saved, or discarded.
    bool maybeSave();
    // Before a compile, which reads the file on disk: a document that has no file
    // yet is refused with "Save the document first"; changed text is offered for
    // saving first (Don't Save compiles the file as last saved). True when the
    // compile may go on.
    bool readyToCompile();

private:
    bool askToSave(const QString &question);
    bool saveTo(const QString &path);
    QWidget *window() const;
    QString title() const;

    QPlainTextEdit &m_pane;
    Document &m_document;
    FileDialog &m_dialog;
    UserMessages &m_messages;
    const QString m_appFolder;
};
