#include "NameAtCaret.h"

#include "TypedCharacters.h"

#include <QFocusEvent>
#include <QPlainTextEdit>

#include <algorithm>

std::optional<QString> nameTypedSince(const QPlainTextEdit &pane, int start)
{
    const QTextCursor caret = pane.textCursor();
    if (start < 0 || caret.hasSelection() || caret.position() < start)
        return std::nullopt;
    QTextCursor typed(pane.document());
    typed.setPosition(start);
    typed.setPosition(caret.position(), QTextCursor::KeepAnchor);
    const QString name = typed.selectedText();
    if (!std::all_of(name.begin(), name.end(), isNameCharacter))
        return std::nullopt;
    return name;
}

void replaceNameTypedSince(QPlainTextEdit &pane, int start, const QString &name)
{
    QTextCursor cursor = pane.textCursor();
    cursor.beginEditBlock();
    cursor.setPosition(start, QTextCursor::KeepAnchor);
    cursor.insertText(name);
    cursor.endEditBlock();
    pane.setTextCursor(cursor);
}

bool focusLossClosesList(const QFocusEvent &event)
{
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}
