#include "EditorPane.h"

#include "TypedCharacters.h"

#include <QKeyEvent>
#include <QMimeData>

EditorPane::EditorPane(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool EditorPane::event(QEvent *event)
{
    // The text control claims Ctrl+X, Ctrl+C and Ctrl+V for itself; left unclaimed,
    // they reach the Edit menu's commands.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (m_menuShortcuts.contains(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void EditorPane::keyPressEvent(QKeyEvent *event)
{
    for (const QChar code : typedCharacters(*event))
        Q_EMIT characterTyped(code);

    // Shift+Return would insert U+2028, which looks like a line break but is none
    // in the saved file, and Ctrl+Return nothing at all: both give a line break.
    if (isModifiedLineBreak(*event)) {
        QKeyEvent plainReturn(event->type(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&plainReturn);
        event->setAccepted(plainReturn.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EditorPane::inputMethodEvent(QInputMethodEvent *event)
{
    for (const QChar code : typedCharacters(*event))
        Q_EMIT characterTyped(code);
    QPlainTextEdit::inputMethodEvent(event);
}

QMimeData *EditorPane::createMimeDataFromSelection() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}
