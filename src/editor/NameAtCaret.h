#pragma once

#include <QString>

#include <optional>

class QFocusEvent;
class QPlainTextEdit;

// What the completion lists share about the name being typed at the caret.

// The name typed in pane from start to the caret; nothing when text is selected,
// the caret stands before start, or something else than a name stands there.
std::optional<QString> nameTypedSince(const QPlainTextEdit &pane, int start);

// Puts name in place of what stands from start to the caret, as one step of the
// undo history, the caret after it.
void replaceNameTypedSince(QPlainTextEdit &pane, int start, const QString &name);

// Whether the pane's losing the focus so closes a list: a menu popping up or
// another program taking over keeps it.
bool focusLossClosesList(const QFocusEvent &event);
