#pragma once

#include <QListWidget>

// The completion list: a list box beside the pane that never takes the keyboard
// (the pane keeps it while the list is shown) and reports a double-click anywhere
// on it.
class CompletionList : public QListWidget
{
    Q_OBJECT

public:
    explicit CompletionList(QWidget *parent = nullptr);

    // ListIndex: the highlighted entry, -1 when none is.
    int highlightedRow() const;
    // Leaves no entry highlighted and none current, so that Down starts at the top.
    void clearHighlight();
    // Highlights the first entry that starts with prefix (in any case); none when no
    // entry does, or when prefix is empty.
    void highlightFirstStartingWith(const QString &prefix);
    // Moves the highlight by step entries, staying within the list.
    void moveHighlight(int step);

Q_SIGNALS:
    void listDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
