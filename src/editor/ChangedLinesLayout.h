#pragma once

#include <QPlainTextDocumentLayout>
#include <QTextCursor>

// The pane's layout, which lays out and repaints the lines an edit changed and no
// more. Qt 6.4's layout measures a change by the characters removed and added
// together: a line whose formats changed (removed and added, the same characters)
// then seems to reach into the next line, and every highlighted key repaints the
// whole pane. Only the characters the text now has there count, as later Qt
// versions do. The line being edited keeps its glyphs shaped.
class ChangedLinesLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT

public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    QTextCursor m_edited; // in the line last edited
};
