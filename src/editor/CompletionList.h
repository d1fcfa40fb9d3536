#pragma once

#include <QListWidget>

// The completion list: a list box that reports a double-click anywhere on it,
// every character typed into it, and the loss of the focus to another control.
// Enter and Escape stop here: they never reach the window or the pane.
class CompletionList : public QListWidget
{
    Q_OBJECT

public:
    explicit CompletionList(QWidget *parent = nullptr);

    // ListIndex: the highlighted entry, -1 when none is.
    int highlightedRow() const;
    // Leaves no entry highlighted and none current, so that Down starts at the top.
    void clearHighlight();

Q_SIGNALS:
    void listDoubleClicked();
    void characterTyped(QChar code);
    void focusLost();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
