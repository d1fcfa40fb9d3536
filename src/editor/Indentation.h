#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

// Indenting as programmers expect, in the document's own unit.

// A tab where the document's first indented line starts with one, else four spaces.
QString indentUnit(const QTextDocument &document);

// The indent Enter gives the new line: that of the text before the caret, one unit
// more after an opening brace.
QString indentForNewLine(const QString &textBeforeCaret, const QString &unit);

// Whether cursor's selection spans more than one line: then Tab and Shift+Tab
// indent and unindent the lines instead of typing.
bool selectsSeveralLines(const QTextCursor &cursor);

// Each line the selection touches gains, or loses, one unit at its start (a line
// indented less loses what it has), as one step of the undo history; the lines
// stay selected, whole.
void indentLines(QTextCursor &cursor, const QString &unit);
void unindentLines(QTextCursor &cursor, const QString &unit);

// For a closing brace typed where only blanks stand before the caret: the line
// loses one unit first, in the same undo step as the brace.
void typeClosingBrace(QTextCursor &cursor, const QString &unit);
