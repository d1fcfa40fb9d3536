#pragma once

#include "EncodedLines.h"
#include "TextFileCodec.h"

#include <QDateTime>
#include <QString>

class FileDialog;
class QPlainTextEdit;
class QWidget;
class UserMessages;

// New, Open, Save and Save As of the one document: the text of the editing pane,
// tied to the main window's FileName. A failed load or save says why and leaves
// the text, FileName and the file on disk as they were; unsaved changes are never
// dropped without the user's word.
class DocumentCommands
{
public:
    static const QString OpenFilter;
    static const QString SaveAsFilter;

    DocumentCommands(QPlainTextEdit &pane, QString &fileName, FileDialog &dialog, UserMessages &messages,
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

    // How the document will be written: as it was read, or UTF-8 with LF when new.
    const TextFormat &format() const { return m_format; }

private:
    bool askToSave(const QString &question);
    bool writeTo(const QString &path);
    // Ends a save that wrote path, or failed with error.
    bool written(const QString &path, const QString &error);
    void stampFile(const QString &path);
    bool unchangedOnDisk(const QString &path) const;
    void loadText(const QString &text, const TextFormat &format, const QByteArray &bytes);
    QString documentName() const;
    QWidget *window() const;
    QString title() const;

    QPlainTextEdit &m_pane;
    QString &m_fileName;
    FileDialog &m_dialog;
    UserMessages &m_messages;
    const QString m_appFolder;
    TextFormat m_format;
    EncodedLines m_lines;

    // The file as it was opened or last saved, to tell whether another program
    // changed it since.
    struct DiskStamp
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QDateTime taken;
        std::optional<size_t> fingerprint; // where time stamps are whole seconds
    };
    DiskStamp m_stamp;
};
