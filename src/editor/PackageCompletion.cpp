#include "PackageCompletion.h"

#include "CompletionList.h"
#include "EditorPane.h"
#include "PackageTable.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

PackageCompletion::PackageCompletion(EditorPane &pane, QWidget &listParent, const QRect &listPlace,
                                     QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_listParent(listParent)
    , m_listPlace(listPlace)
{
    connect(&pane, &EditorPane::characterTyped, this, &PackageCompletion::Richtextbox1_KeyPress);
    connect(pane.document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { findAnchor(position, added); });
    connect(&pane, &EditorPane::cursorPositionChanged, this, &PackageCompletion::followTyping);
    pane.installEventFilter(this);
    pane.viewport()->installEventFilter(this);
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
        connect(m_list, &CompletionList::listDoubleClicked, this, &PackageCompletion::List1_DblClick);
    }
    return *m_list;
}

bool PackageCompletion::isOpen() const
{
    return m_list && m_list->isVisible();
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

void PackageCompletion::open()
{
    // The typed dot goes into the pane after this; the name starts behind it.
    m_nameStart = -1;
    list().setVisible(true);
    list().setEnabled(true);
    list().clearHighlight();
}

void PackageCompletion::close()
{
    m_nameStart = -1;
    if (!m_list)
        return;
    m_list->setEnabled(false);
    m_list->hide();
    m_list->clear();
}

// The dot that opened the list has gone into the text (by a key, or as the last dot
// of an input method's text): the name starts right after it.
void PackageCompletion::findAnchor(int position, int added)
{
    if (!isOpen() || m_nameStart >= 0 || added <= 0)
        return;
    QTextCursor inserted(m_pane.document());
    inserted.setPosition(position);
    inserted.setPosition(position + added, QTextCursor::KeepAnchor);
    const qsizetype dot = inserted.selectedText().lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        m_nameStart = position + int(dot) + 1;
}

// Highlights the entry the letters typed since the dot begin; closes the list when
// the caret leaves the name (a click elsewhere, Backspace past the dot).
void PackageCompletion::followTyping()
{
    if (!isOpen() || m_nameStart < 0)
        return;
    const QTextCursor caret = m_pane.textCursor();
    if (caret.hasSelection() || caret.position() < m_nameStart) {
        close();
        return;
    }
    QTextCursor typed(m_pane.document());
    typed.setPosition(m_nameStart);
    typed.setPosition(caret.position(), QTextCursor::KeepAnchor);
    const QString prefix = typed.selectedText();
    if (!std::all_of(prefix.begin(), prefix.end(), isNameCharacter)) {
        close();
        return;
    }
    list().highlightFirstStartingWith(prefix);
}

bool PackageCompletion::eventFilter(QObject *watched, QEvent *event)
{
    if (!isOpen())
        return false;
    if (watched == m_pane.viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            close(); // a click into the text puts nothing in
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        // A menu popping up or another program taking over keeps the list.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            close();
        return false;
    }
    return event->type() == QEvent::KeyPress && takeKey(*static_cast<QKeyEvent *>(event));
}

// What a key does while the list is shown; true when the list took it from the pane.
bool PackageCompletion::takeKey(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (modifiers != Qt::NoModifier)
            break;
        list().moveHighlight(key.key() == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        if (modifiers == Qt::NoModifier && list().highlightedRow() >= 0) {
            pick();
            return true;
        }
        break;
    case Qt::Key_Backspace:
        return false; // the caret leaving the name closes the list
    default:
        // Letters go on the name; keys without text (Shift, Left) change nothing.
        if (key.text().isEmpty() || (key.text().size() == 1 && isNameCharacter(key.text().at(0))))
            return false;
        break;
    }
    close();
    return false;
}

void PackageCompletion::pick()
{
    const int row = list().highlightedRow();
    const int nameStart = m_nameStart;
    const QString name = row >= 0 ? list().item(row)->text() : QString();
    close();
    if (name.isEmpty() || nameStart < 0)
        return;
    // The typed letters are replaced by the whole name, as one step of the undo
    // history; the word goes on as if the whole name had been typed.
    QTextCursor cursor = m_pane.textCursor();
    const int typed = cursor.position() - nameStart;
    cursor.beginEditBlock();
    cursor.setPosition(nameStart, QTextCursor::KeepAnchor);
    cursor.insertText(name);
    cursor.endEditBlock();
    m_pane.setTextCursor(cursor);
    m_word.complete(typed, name);
}
