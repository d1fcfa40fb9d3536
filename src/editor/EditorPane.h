#pragma once

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

// The editing pane: plain text in and out. It reports every character a key
// types before acting on the key, which it never changes, and leaves the keys of
// the window's menu shortcuts to the menus.
class EditorPane : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit EditorPane(QWidget *parent = nullptr);

    // Keys that belong to the window's menus rather than to the pane.
    void setMenuShortcuts(const QList<QKeySequence> &keys) { m_menuShortcuts = keys; }

Q_SIGNALS:
    // A key or input method typed this character; the pane has not acted on it yet.
    void characterTyped(QChar code);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    // Only plain text leaves the pane, by the clipboard or by dragging.
    QMimeData *createMimeDataFromSelection() const override;

private:
    QList<QKeySequence> m_menuShortcuts;
};
