#pragma once

#include <QString>

#include <optional>

class QWidget;

// Messages and questions that need the user's attention. The windows talk to this
// interface, never to QMessageBox directly, so that tests can answer in place of a
// user and no test ever blocks on a modal dialog. Each stands centred over parent.
class UserMessages
{
public:
    enum class SaveAnswer { Save, Discard, Cancel };

    virtual ~UserMessages() = default;

    // A modal message with only an OK button.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;

    // Asks whether to save unsaved changes before they would be lost.
    virtual SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &text) = 0;

    // Asks whether to write over a file that another program changed: Overwrite
    // (true) or Cancel.
    virtual bool askToOverwrite(QWidget *parent, const QString &title, const QString &text) = 0;

    // Asks whether to save a file without the byte-order mark it starts with, which
    // javac cannot read: Save Without Mark (true) or Cancel.
    virtual bool askToDropMark(QWidget *parent, const QString &title, const QString &text) = 0;

    // Asks whether to open a file that does not look like text (it holds NUL
    // bytes): Open (true) or Cancel.
    virtual bool askToOpenBinary(QWidget *parent, const QString &title, const QString &text) = 0;

    // Offers text recovered from a Zarn that ended without saving it: Recover
    // (true) or Discard.
    virtual bool askToRecover(QWidget *parent, const QString &title, const QString &text) = 0;

    // Asks for a line number from 1 to lines, offering current; nothing on Cancel.
    virtual std::optional<int> askLineNumber(QWidget *parent, const QString &title, int current,
                                             int lines) = 0;
};
