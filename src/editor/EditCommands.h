#pragma once

class QClipboard;
class QPlainTextEdit;

// The Edit menu's commands on the pane's selection, through the clipboard in plain
// text only. Each is one step of the pane's undo history, like typing. Copy and Cut
// with nothing selected leave the clipboard as it is; Paste with no text on the
// clipboard changes nothing.
void cutSelection(QPlainTextEdit &pane, QClipboard &clipboard);
void copySelection(const QPlainTextEdit &pane, QClipboard &clipboard);
void pasteClipboard(QPlainTextEdit &pane, const QClipboard &clipboard);
void deleteSelection(QPlainTextEdit &pane);
