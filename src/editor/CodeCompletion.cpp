#include "CodeCompletion.h"

#include "CompletionList.h"
#include "EditorPane.h"
#include "NameAtCaret.h"
#include "PackageCompletion.h"
#include "TypedCharacters.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int ShownRows = 8;
constexpr int NarrowestList = 160;
constexpr int WidestList = 420;

} // namespace

CodeCompletion::CodeCompletion(EditorPane &pane, PackageCompletion &packages, QWidget &listParent,
                               QObject *parent)
    : QObject(parent)
    , m_pane(pane)
    , m_packages(packages)
    , m_listParent(listParent)
    , m_viewport(pane.viewport())
{
    // Installed after the package completion's filter, so seen before it.
    pane.installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(&pane, &QPlainTextEdit::cursorPositionChanged, this, &CodeCompletion::follow);
}

CompletionList &CodeCompletion::list()
{
    if (!m_list) {
        m_list = new CompletionList(&m_listParent);
        m_list->setObjectName(QStringLiteral("CodeCompletionList"));
        m_list->hide();
        connect(m_list, &CompletionList::listDoubleClicked, this, &CodeCompletion::pick);
    }
    return *m_list;
}

bool CodeCompletion::isOpen() const
{
    return m_list && m_list->isVisible();
}

std::optional<int> CodeCompletion::begin()
{
    close();
    const QTextCursor caret = m_pane.textCursor();
    if (m_packages.isOpen() || caret.hasSelection())
        return std::nullopt;
    int start = caret.position();
    while (start > 0 && isNameCharacter(m_pane.document()->characterAt(start - 1)))
        --start;
    m_nameStart = start;
    return caret.position();
}

std::optional<int> CodeCompletion::begunCaret() const
{
    if (!typedName())
        return std::nullopt;
    return m_pane.textCursor().position();
}

void CodeCompletion::show(const QList<CompletionEntry> &entries)
{
    const std::optional<QString> name = typedName();
    if (!name || m_packages.isOpen()) {
        close();
        return;
    }
    m_entries = entries;
    filter(*name);
}

void CodeCompletion::close()
{
    m_nameStart = -1;
    m_entries.clear();
    if (m_list) {
        m_list->hide();
        m_list->clear();
    }
}

std::optional<QString> CodeCompletion::typedName() const
{
    return nameTypedSince(m_pane, m_nameStart);
}

// The caret moved or the text changed: the list follows the name, or closes once
// the caret has left it.
void CodeCompletion::follow()
{
    if (m_nameStart < 0)
        return;
    const std::optional<QString> name = typedName();
    if (!name)
        close();
    else if (isOpen())
        filter(*name);
}

void CodeCompletion::filter(const QString &name)
{
    CompletionList &shown = list();
    shown.clear();
    int exact = -1;
    for (const CompletionEntry &entry : std::as_const(m_entries)) {
        if (!entry.insert.startsWith(name, Qt::CaseInsensitive))
            continue;
        if (exact < 0 && entry.insert.startsWith(name))
            exact = shown.count();
        auto *item = new QListWidgetItem(entry.label, &shown);
        item->setData(Qt::UserRole, entry.insert);
    }
    if (shown.count() == 0) {
        close();
        return;
    }
    place();
    shown.show();
    shown.raise();
    shown.setCurrentRow(std::max(exact, 0));
}

// Below the caret's line, or above it where the parent has no room below; as wide
// as the longest entry needs, within bounds.
void CodeCompletion::place()
{
    CompletionList &shown = list();
    const int rows = std::min(int(shown.count()), ShownRows);
    const int frame = 2 * shown.frameWidth();
    int widest = 0;
    for (int row = 0; row < shown.count(); ++row)
        widest = std::max(widest, shown.fontMetrics().horizontalAdvance(shown.item(row)->text()));
    const QSize size(std::clamp(widest + frame + shown.verticalScrollBar()->sizeHint().width() + 8,
                                NarrowestList, WidestList),
                     rows * shown.sizeHintForRow(0) + frame);
    const QRect caret = m_pane.cursorRect();
    QPoint at = m_viewport->mapTo(&m_listParent, caret.bottomLeft());
    if (at.y() + size.height() > m_listParent.height())
        at.setY(m_viewport->mapTo(&m_listParent, caret.topLeft()).y() - size.height());
    at.setX(std::clamp(at.x(), 0, std::max(0, m_listParent.width() - size.width())));
    at.setY(std::max(at.y(), 0));
    shown.setGeometry(QRect(at, size));
}

void CodeCompletion::pick()
{
    const int row = list().highlightedRow();
    const std::optional<QString> typed = typedName();
    if (row < 0 || !typed) {
        close();
        return;
    }
    const QString insert = list().item(row)->data(Qt::UserRole).toString();
    const int nameStart = m_nameStart;
    close();
    replaceNameTypedSince(m_pane, nameStart, insert);
    m_packages.wordCompleted(typed->size(), insert);
}

bool CodeCompletion::eventFilter(QObject *watched, QEvent *event)
{
    if (!isOpen())
        return false;
    if (watched == m_viewport) {
        if (event->type() == QEvent::MouseButtonPress)
            close(); // a click into the text puts nothing in
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        return takeKey(key->key(), key->modifiers() & ~Qt::KeypadModifier);
    }
    case QEvent::FocusOut:
        if (focusLossClosesList(*static_cast<QFocusEvent *>(event)))
            close();
        return false;
    default:
        return false;
    }
}

// What a key does while the list is shown; true when the list took it from the pane.
bool CodeCompletion::takeKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        list().moveHighlight(key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        list().moveHighlight(key == Qt::Key_PageUp ? -ShownRows : ShownRows);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        pick();
        return true;
    default:
        return false; // typed on: the pane takes it, and the list follows
    }
}
