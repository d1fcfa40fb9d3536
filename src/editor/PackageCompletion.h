#pragma once

#include "WordTracker.h"

#include <QObject>

class CompletionList;
class EditorPane;

// Typing a dot behind a known package name opens the completion list over the
// pane; a pick inserts the chosen sub-package after the dot. Keeps CurrentWord.
class PackageCompletion : public QObject
{
    Q_OBJECT

public:
    PackageCompletion(EditorPane &pane, CompletionList &list, QObject *parent = nullptr);

    const QString &CurrentWord() const { return m_word.word(); }

    // The word rule for a character typed in the pane, before the pane inserts it.
    void Richtextbox1_KeyPress(QChar code);
    // Fills the list with the sub-packages of word: 0 when it is a package name of
    // the table, 1 (list untouched) when it is not.
    qint16 FillPackageList(const QString &word);

    void List1_DblClick();
    void List1_KeyPress(QChar code);
    void List1_LostFocus();

private:
    void open();
    void pick();

    EditorPane &m_pane;
    CompletionList &m_list;
    WordTracker m_word;
};
