#include "TypedCharacters.h"

#include "WordTracker.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

bool isReturn(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The modifiers that change what a key types; the keypad flag does not.
Qt::KeyboardModifiers typingModifiers(const QKeyEvent &event)
{
    return event.modifiers() & ~Qt::KeypadModifier;
}

// Printable text as a text editor inserts it: no control characters, and nothing
// for Ctrl or Ctrl+Shift combinations (AltGr, reported as Ctrl+Alt, still types).
bool isInsertableText(const QKeyEvent &event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const Qt::KeyboardModifiers modifiers = typingModifiers(event);
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QChar first = text.front();
    return first.isPrint() || first.category() == QChar::Other_Format
           || first.category() == QChar::Other_PrivateUse
           || (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

} // namespace

QString typedCharacters(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = typingModifiers(event);
    if (key == Qt::Key_Backspace)
        return modifiers & (Qt::ControlModifier | Qt::AltModifier) ? QString()
                                                                   : QString(QChar(WordTracker::Backspace));
    if (key == Qt::Key_Tab)
        return modifiers & (Qt::ControlModifier | Qt::AltModifier) ? QString()
                                                                   : QString(QChar(WordTracker::Tab));
    if (isReturn(key)) {
        if (modifiers & Qt::AltModifier)
            return {};
        return QString(QChar(modifiers & Qt::ControlModifier ? WordTracker::LineFeed : WordTracker::Enter));
    }
    return isInsertableText(event) ? event.text() : QString();
}

QString typedCharacters(const QInputMethodEvent &event)
{
    return event.commitString();
}

bool isModifiedLineBreak(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = typingModifiers(event);
    return isReturn(event.key()) && modifiers != Qt::NoModifier
           && (modifiers & ~(Qt::ControlModifier | Qt::ShiftModifier)) == Qt::NoModifier;
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
