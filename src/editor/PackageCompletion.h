#pragma once

#include "WordTracker.h"

#include <QObject>
#include <QRect>

class CompletionList;
class EditorPane;

// Typing a dot behind a known package name opens the completion list over the
// pane; a pick inserts the chosen sub-package after the dot. Keeps CurrentWord.
class PackageCompletion : public QObject
{
    Q_OBJECT

public:
    // The list is made, hidden and empty, at listPlace in listParent when first needed.
    PackageCompletion(EditorPane &pane, QWidget &listParent, const QRect &listPlace,
                      QObject *parent = nullptr);

    const QString &CurrentWord() const { return m_word.word(); }
    // The completion list, or null while it has never been needed.
    CompletionList *List1() const { return m_list; }

    // The word rule for a character typed in the pane, before the pane inserts it.
    void Richtextbox1_KeyPress(QChar code);
    // Fills the list with the sub-packages of word: 0 when it is a package name of
    // the table, 1 (list untouched) when it is not.
    qint16 FillPackageList(const QString &word);

    void List1_DblClick();
    void List1_KeyPress(QChar code);
    void List1_LostFocus();

private:
    CompletionList &list();
    void open();
    void pick();

    EditorPane &m_pane;
    QWidget &m_listParent;
    QRect m_listPlace;
    CompletionList *m_list = nullptr;
    WordTracker m_word;
};
