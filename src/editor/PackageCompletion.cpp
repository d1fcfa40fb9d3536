#include "PackageCompletion.h"

#include "CompletionList.h"
#include "EditorPane.h"
#include "PackageTable.h"

PackageCompletion::PackageCompletion(EditorPane &pane, QWidget &listParent, const QRect &listPlace,
                                     QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_listParent(listParent)
    , m_listPlace(listPlace)
{
    connect(&pane, &EditorPane::characterTyped, this, &PackageCompletion::Richtextbox1_KeyPress);
}

CompletionList &PackageCompletion::list()
{
    // Made on first need: most sessions never complete a package, and start-up is
    // quicker and smaller without the item-view machinery.
    if (!m_list) {
        m_list = new CompletionList(&m_listParent);
        m_list->setObjectName(QStringLiteral("List1"));
        m_list->setGeometry(m_listPlace);
        m_list->hide();
        m_list->raise(); // over the pane, at its fixed place
        QWidget::setTabOrder(&m_pane, m_list);
        connect(m_list, &CompletionList::listDoubleClicked, this, &PackageCompletion::List1_DblClick);
        connect(m_list, &CompletionList::characterTyped, this, &PackageCompletion::List1_KeyPress);
        connect(m_list, &CompletionList::focusLost, this, &PackageCompletion::List1_LostFocus);
    }
    return *m_list;
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
    list().clear();
    list().addItems(*names);
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
    list().clear();
    list().hide();
    m_pane.setFocus();
}

void PackageCompletion::open()
{
    // The typed dot still goes into the pane after this, at the caret.
    list().setVisible(true);
    list().setEnabled(true);
    list().setFocus();
    list().clearHighlight();
}

void PackageCompletion::pick()
{
    const int row = list().highlightedRow();
    const QString name = row >= 0 ? list().item(row)->text() : QString();
    // A step of its own in the undo history, apart from the typing before it.
    QTextCursor cursor = m_pane.textCursor();
    cursor.beginEditBlock();
    cursor.insertText(name);
    cursor.endEditBlock();
    m_pane.setTextCursor(cursor);
    m_word.append(name);
    // Disabling or hiding the focused list may move the focus and run the
    // focus-loss steps first; the end state is the same.
    list().setEnabled(false);
    list().hide();
    list().clear();
    m_pane.setFocus();
}
