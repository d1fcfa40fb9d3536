#pragma once

#include "WordTracker.h"

#include <QObject>
#include <QRect>

#include <optional>

class CompletionList;
class EditorPane;
class QKeyEvent;

// Typing a dot behind a known package name shows the completion list beside the
// pane; the pane keeps the keyboard, so nothing typed is lost. Letters typed after
// the dot go into the pane and highlight the first entry they begin; Enter, Tab or
// a double-click put in the rest of the highlighted name; Esc closes the list; any
// other key closes it and acts in the pane as usual. Keeps CurrentWord.
//
// Every key and input-method text reaches the pane through this object's event
// filter, the one place that applies the word rule and moves the list: it feeds
// the typed characters to the word, hands the event on to the pane, then looks at
// what the pane did. Menu commands that change the text are followed once they
// have run.
class PackageCompletion : public QObject
{
    Q_OBJECT

public:
    // The list is made, hidden and empty, at listPlace in listParent when first needed.
    PackageCompletion(EditorPane &pane, QWidget &listParent, const QRect &listPlace,
                      QObject *parent = nullptr);

    const QString &CurrentWord() const { return m_word.word(); }
    bool isOpen() const;

    // The word rule for a character typed in the pane, before the pane inserts it;
    // true when it was a dot that opened the list.
    bool Richtextbox1_KeyPress(QChar code);
    // Fills the list with the sub-packages of word: 0 when it is a package name of
    // the table, 1 (list untouched) when it is not.
    qint16 FillPackageList(const QString &word);

    void List1_DblClick();
    // Another completion put name in place of the last typed characters of the word.
    void wordCompleted(qsizetype typed, const QString &name) { m_word.complete(typed, name); }
    // Hides and empties the list without putting anything in.
    void close();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CompletionList &list();
    void open();
    void pick();
    bool takeKey(const QKeyEvent &key);
    void typeInto(QEvent *event, const QString &typed);
    // The letters typed since the dot, while the caret stands right after them;
    // nothing when the caret left the name or something else than a name stands there.
    std::optional<QString> typedName() const;
    void followTyping();

    EditorPane &m_pane;
    QWidget &m_listParent;
    QRect m_listPlace;
    QWidget *const m_viewport; // the pane's, where clicks into the text arrive
    CompletionList *m_list = nullptr;
    WordTracker m_word;
    // While the list is shown: the position right after the dot, where the name
    // being typed starts; -1 until the dot is in the text.
    int m_nameStart = -1;
    // The name the highlight was last placed for.
    std::optional<QString> m_followedName;
    // The event filter is handing an event on to the pane.
    bool m_handingOn = false;
};
