#include "PackageCompletion.h"

#include "CompletionList.h"
#include "EditorPane.h"
#include "NameAtCaret.h"
#include "PackageTable.h"
#include "TypedCharacters.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

PackageCompletion::PackageCompletion(EditorPane &pane, QWidget &listParent, const QRect &listPlace,
                                     QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_listParent(listParent)
    , m_listPlace(listPlace)
    , m_viewport(pane.viewport())
{
    pane.installEventFilter(this);
    m_viewport->installEventFilter(this);
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

bool PackageCompletion::Richtextbox1_KeyPress(QChar code)
{
    const std::optional<QString> lookUp = m_word.type(code);
    if (!lookUp || FillPackageList(*lookUp) != 0)
        return false;
    open();
    return true;
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
    m_followedName.reset();
    list().setVisible(true);
    list().setEnabled(true);
    list().clearHighlight();
}

void PackageCompletion::close()
{
    m_nameStart = -1;
    m_followedName.reset();
    if (!m_list)
        return;
    m_list->setEnabled(false);
    m_list->hide();
    m_list->clear();
}

std::optional<QString> PackageCompletion::typedName() const
{
    return nameTypedSince(m_pane, m_nameStart);
}

// Highlights the entry the letters typed since the dot begin; closes the list when
// the caret leaves the name (a click elsewhere, Backspace past the dot).
void PackageCompletion::followTyping()
{
    if (!isOpen() || m_nameStart < 0)
        return;
    const std::optional<QString> name = typedName();
    if (!name) {
        close();
    } else if (name != m_followedName) {
        // Only a changed name moves the highlight: Up and Down may have placed it.
        list().highlightFirstStartingWith(*name);
        m_followedName = name;
    }
}

bool PackageCompletion::eventFilter(QObject *watched, QEvent *event)
{
    // Only the events handled below may touch the pane: the others include those the
    // pane gets while it is being destroyed.
    if (m_handingOn)
        return false;
    if (watched == m_viewport) {
        if (event->type() == QEvent::MouseButtonPress && isOpen())
            close(); // a click into the text puts nothing in
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isOpen() && takeKey(*key))
            return true;
        typeInto(event, typedCharacters(*key));
        return true;
    }
    case QEvent::InputMethod:
        typeInto(event, typedCharacters(*static_cast<QInputMethodEvent *>(event)));
        return true;
    case QEvent::ShortcutOverride:
    case QEvent::FocusIn:
        // A menu command, by its key or from a menu that took the focus, may change
        // the text or move the caret: the list follows once it has run.
        if (isOpen())
            QMetaObject::invokeMethod(this, &PackageCompletion::followTyping, Qt::QueuedConnection);
        return false;
    case QEvent::FocusOut:
        if (isOpen() && focusLossClosesList(*static_cast<QFocusEvent *>(event)))
            close();
        return false;
    default:
        return false;
    }
}

// The word rule sees the typed characters before the pane acts on them; then the
// pane gets the event, and the list follows what it did to the text.
void PackageCompletion::typeInto(QEvent *event, const QString &typed)
{
    // How many of the typed characters follow the dot that opened the list.
    qsizetype afterDot = -1;
    for (qsizetype i = 0; i < typed.size(); ++i)
        if (Richtextbox1_KeyPress(typed.at(i)))
            afterDot = typed.size() - i - 1;
    m_handingOn = true;
    QCoreApplication::sendEvent(&m_pane, event);
    m_handingOn = false;
    event->accept(); // handed on once: not again to the pane's parents
    if (afterDot >= 0 && isOpen()) {
        // The typed text went in before the caret: the name starts after its dot.
        const int nameStart = m_pane.textCursor().position() - int(afterDot);
        if (nameStart > 0 && m_pane.document()->characterAt(nameStart - 1) == QLatin1Char('.'))
            m_nameStart = nameStart;
        else
            close();
    }
    followTyping();
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
        // A menu command may have changed the text since the last key: only a name
        // still typed is completed.
        if (modifiers == Qt::NoModifier && list().highlightedRow() >= 0 && typedName()) {
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
    const QString name = row >= 0 ? list().item(row)->text() : QString();
    const std::optional<QString> typed = typedName();
    const int nameStart = m_nameStart;
    close();
    if (name.isEmpty() || !typed)
        return;
    // The word goes on as if the whole name had been typed.
    replaceNameTypedSince(m_pane, nameStart, name);
    m_word.complete(typed->size(), name);
}
