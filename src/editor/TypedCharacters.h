#pragma once

#include <QString>

// A character of a Java name: a letter, a digit, '_' or '$'.
bool isNameCharacter(QChar c);

class QInputMethodEvent;
class QKeyEvent;

// The character codes a key press types, as the word rule sees them: Backspace 8,
// Tab 9, Return and keypad Enter 13, Ctrl+Return a line feed (10), otherwise the
// printable text the key produces. Keys that produce no character (arrows,
// function keys, Delete, Ctrl+letter) give an empty text.
QString typedCharacters(const QKeyEvent &event);

// What an input method commits counts as typed.
QString typedCharacters(const QInputMethodEvent &event);

// Return or Enter with Shift or Ctrl: the pane makes these a plain line break.
bool isModifiedLineBreak(const QKeyEvent &event);
