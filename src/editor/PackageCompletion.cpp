#include "PackageCompletion.h"

#include "CompletionList.h"
#include "EditorPane.h"
#include "PackageTable.h"

PackageCompletion::PackageCompletion(EditorPane &pane, CompletionList &list, QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_list(list)
{
    connect(&pane, &EditorPane::characterTyped, this, &PackageCompletion::Richtextbox1_KeyPress);
    connect(&list, &CompletionList::listDoubleClicked, this, &PackageCompletion::List1_DblClick);
    connect(&list, &CompletionList::characterTyped, this, &PackageCompletion::List1_KeyPress);
    connect(&list, &CompletionList::focusLost, this, &PackageCompletion::List1_LostFocus);
}

void PackageCompletion::Richtextbox1_KeyPress(QChar code)
{
    const std::optional<QString> lookUp = m_word.type(code);
    if (lookUp && FillPackageList(*lookUp) == 0)
        open();
}

qint16 PackageCompletion::FillPackageList(const QString &word)
{
    const std::optional<QStringList> names = subPackagesOf(word);
    if (!names)
        return 1;
    m_list.clear();
    m_list.addItems(*names);
    return 0;
}

void PackageCompletion::List1_DblClick()
{
    pick();
}

void PackageCompletion::List1_KeyPress(QChar code)
{
    if (code == QChar(WordTracker::Enter))
        pick();
}

void PackageCompletion::List1_LostFocus()
{
    m_list.clear();
    m_list.hide();
    m_pane.setFocus();
}

void PackageCompletion::open()
{
    // The typed dot still goes into the pane after this, at the caret.
    m_list.setVisible(true);
    m_list.setEnabled(true);
    m_list.setFocus();
    m_list.clearHighlight();
}

void PackageCompletion::pick()
{
    const int row = m_list.highlightedRow();
    const QString name = row >= 0 ? m_list.item(row)->text() : QString();
    QTextCursor cursor = m_pane.textCursor();
    cursor.insertText(name);
    m_pane.setTextCursor(cursor);
    m_word.append(name);
    // Disabling or hiding the focused list may move the focus and run the
    // focus-loss steps first; the end state is the same.
    m_list.setEnabled(false);
    m_list.hide();
    m_list.clear();
    m_pane.setFocus();
}
