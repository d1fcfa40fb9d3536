#include "EditCommands.h"

#include <QClipboard>
#include <QPlainTextEdit>

namespace {

QString selectedText(const QPlainTextEdit &pane)
{
    QString text = pane.textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void replaceSelection(QPlainTextEdit &pane, const QString &text)
{
    QTextCursor cursor = pane.textCursor();
    if (text.isEmpty() && !cursor.hasSelection())
        return; // nothing changes, and the document stays unmodified
    cursor.insertText(text);
    pane.setTextCursor(cursor);
}

} // namespace

void cutSelection(QPlainTextEdit &pane, QClipboard &clipboard)
{
    copySelection(pane, clipboard);
    replaceSelection(pane, QString());
}

void copySelection(const QPlainTextEdit &pane, QClipboard &clipboard)
{
    // Nothing selected: what another program put on the clipboard stays there.
    if (!pane.textCursor().hasSelection())
        return;
    clipboard.clear();
    clipboard.setText(selectedText(pane));
}

void pasteClipboard(QPlainTextEdit &pane, const QClipboard &clipboard)
{
    // No text on the clipboard: the selection stays.
    const QString text = clipboard.text();
    if (!text.isEmpty())
        replaceSelection(pane, text);
}

void deleteSelection(QPlainTextEdit &pane)
{
    replaceSelection(pane, QString());
}
