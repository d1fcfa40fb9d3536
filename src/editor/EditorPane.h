#pragma once

#include "DiagnosticMarks.h"

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

class JavaHighlighter;
class LineNumberGutter;

// The editing pane: plain text in and out. It leaves the keys of the window's
// menu shortcuts to the menus. Around that it offers what a Java editor should:
// highlighting, line numbers, matching brackets, the indentation of the line above
// on Enter, and the compiler's marks.
class EditorPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    // Documents larger than this many characters are not highlighted: highlighting
    // them would make loading and typing slow.
    static constexpr int HighlightLimit = 2 * 1024 * 1024;

    explicit EditorPane(QWidget *parent = nullptr);
    ~EditorPane() override;

    // Keys that belong to the window's menus rather than to the pane.
    void setMenuShortcuts(const QList<QKeySequence> &keys) { m_menuShortcuts = keys; }

    // Marks the compiler's messages on the text, replacing the earlier marks.
    void setDiagnostics(const QList<PaneDiagnostic> &diagnostics);
    const DiagnosticMarks &diagnostics() const { return m_marks; }
    // Moves the caret to the next or previous mark, or to the first error.
    void goToNextDiagnostic();
    void goToPreviousDiagnostic();
    void goToFirstError();
    // Puts the caret at the start of line (from 1), shown, and takes the focus.
    void goToLine(int line);

    bool isHighlighting() const;
    int gutterWidth() const;

Q_SIGNALS:
    // The compiler's message at the caret, now that the caret moved onto a mark or
    // off it, or went to a mark; empty when the caret is on no mark.
    void caretMessageChanged(const QString &message);
    // A file was dropped on the pane: it is to be opened, not its name inserted.
    void fileDropped(const QString &path);
    // A click with Ctrl held at position in the text: go to the class named there.
    void nameClicked(int position);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Only plain text leaves the pane, by the clipboard or by dragging.
    QMimeData *createMimeDataFromSelection() const override;

private:
    friend class LineNumberGutter;

    void breakLine();
    void moveCaretTo(std::optional<int> position);
    void documentChanged(int position, int removed, int added);
    void updateExtraSelections();
    void updateCaretMessage();
    void updateGutterWidth();
    void updateTabWidth();
    void paintGutter(QPaintEvent *event);

    QList<QKeySequence> m_menuShortcuts;
    JavaHighlighter *m_highlighter = nullptr;
    LineNumberGutter *m_gutter = nullptr;
    DiagnosticMarks m_marks;
    QString m_caretMessage;
};
