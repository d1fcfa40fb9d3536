#pragma once

#include "TextSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Find" and "Replace": a modeless window over the main window that searches its
// pane, with the options Match case and Whole words. What a search finds is
// selected in the pane, and the window moves off it; what it has to say (a wrap, nothing found, how many were
// replaced) goes to reported(), for the status bar.
class FindWindow : public QDialog
{
    Q_OBJECT

public:
    FindWindow(QPlainTextEdit &pane, QWidget *parent);

    // Shows the window for finding, or for replacing, the pane's selection (when
    // it is on one line) put in the search field.
    void showFind();
    void showReplace();
    // Find Next and Find Previous: the last search again, forwards or backwards;
    // false when there has been none.
    bool findAgain(bool backward);
    // Replace: the selection when it is a match, then the next match.
    void replace();
    // Replace All, as one step of the undo history.
    void replaceEverywhere();

    SearchOptions options() const;
    QLineEdit *findField() const { return m_find; }
    QLineEdit *replaceField() const { return m_replace; }

Q_SIGNALS:
    void reported(const QString &message);

private:
    void showFor(bool replacing);
    bool find(bool backward);
    // Moves the window off the match it just selected, so that the user sees it.
    void moveOffMatch();

    QPlainTextEdit &m_pane;
    QLineEdit *m_find = nullptr;
    QLineEdit *m_replace = nullptr;
    QWidget *m_replaceLabel = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWords = nullptr;
    QPushButton *m_replaceOne = nullptr;
    QPushButton *m_replaceAll = nullptr;
};
